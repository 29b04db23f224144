#include "util/PathUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include "support/TempDir.h"

namespace {

using namespace zpk::util;

struct PathCase {
  const char* label;
  std::function<std::string(std::string_view, char)> op;
  std::string input;  // written with "\"; the "/" variant swaps the separator
  std::string expected;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.label; }

std::string WithSeparator(std::string text, char sep) {
  std::replace(text.begin(), text.end(), '\\', sep);
  return text;
}

const auto kAdd = [](std::string_view p, char s) { return AddBackslash(p, s); };
const auto kStrip = [](std::string_view p, char s) { return StripBackslash(p, s); };
const auto kPath = [](std::string_view p, char s) { return GetFilePath(p, s); };
const auto kName = [](std::string_view p, char s) { return GetFileName(p, s); };
const auto kExt = [](std::string_view p, char) { return GetFileExt(p); };

const PathCase kCases[] = {
    {"AddToSpaces", kAdd, "   ", "   "},
    {"AddToFolder", kAdd, "C:\\Games", "C:\\Games\\"},
    {"AddToFolderWithSeparator", kAdd, "C:\\Games\\", "C:\\Games\\"},
    {"AddBehindTrailingSpace", kAdd, "C:\\Games ", "C:\\Games \\"},
    {"StripOneOfTwo", kStrip, "C:\\Games\\\\", "C:\\Games\\"},
    {"StripEmpty", kStrip, "", ""},
    {"StripNone", kStrip, "C:\\Games", "C:\\Games"},
    {"PathOfFile", kPath, "C:\\Games\\data.zpk", "C:\\Games\\"},
    {"PathOfBareName", kPath, "data.zpk", ""},
    {"PathOfRootedName", kPath, "\\data.zpk", ""},
    {"NameOfFile", kName, "C:\\Games\\data.zpk", "data.zpk"},
    {"NameOfBareName", kName, "data.zpk", "data.zpk"},
    {"NameOfRootedName", kName, "\\data.zpk", ""},
    {"ExtLastDotWins", kExt, "music.final.mp3", "MP3"},
    {"ExtNone", kExt, "readme", ""},
    {"ExtLeadingDotOnly", kExt, ".hidden", ""},
    {"ExtDotInFolder", kExt, "data.old\\readme", "OLD\\README"},
};

class PathUtilsTable : public ::testing::TestWithParam<std::tuple<PathCase, char>> {};

TEST_P(PathUtilsTable, GivesTheFixedEdgeBehaviour) {
  const auto& [c, sep] = GetParam();
  EXPECT_EQ(c.op(WithSeparator(c.input, sep), sep), WithSeparator(c.expected, sep))
      << "input '" << WithSeparator(c.input, sep) << "'";
}

INSTANTIATE_TEST_SUITE_P(
    BothSeparators, PathUtilsTable,
    ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Values('\\', '/')),
    [](const auto& p) {
      return std::string(std::get<0>(p.param).label) +
             (std::get<1>(p.param) == '\\' ? "_Backslash" : "_Slash");
    });

// (That only spaces are trimmed is seen in the archive's display names.)
TEST(PathUtils, OnlyTheGivenSeparatorCounts) {
  EXPECT_EQ(GetFileName("gfx/units/ship.bmp", '\\'), "gfx/units/ship.bmp");
  EXPECT_EQ(GetFilePath("a//b", '/'), "a//");
}

// A name too long for the file system loses bytes of its stem, never a part of a character,
// and keeps its extension when that leaves room for a stem.
TEST(FitFileName, CutsTheStemOnACharacterBoundary) {
  const std::string ae = "\xC3\xA4";
  const std::tuple<std::string, std::size_t, std::string> rows[] = {
      {"ship.bmp", 8, "ship.bmp"},
      {"longship.bmp", 8, "long.bmp"},
      {ae + ae + ae + ".bmp", 9, ae + ae + ".bmp"},
      {"ab.cdefg", 6, "ab.cde"},  // the extension would leave no stem
  };
  for (const auto& [name, maxBytes, expected] : rows) EXPECT_EQ(FitFileName(name, maxBytes), expected) << name;
}

// Every missing folder is made; a file in the way is no error (the next file operation
// tells), and nothing is made beside it.
TEST(MakePath, CreatesEveryMissingFolderAndSkipsWhatCannotBeMade) {
  zpk::test::TempDir dir;
  EXPECT_TRUE(MakePath((dir.path() / "A" / "B" / "C").string() + kPathSeparator));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "A" / "B" / "C"));
  zpk::test::WriteFileBytes(dir.path() / "file", {});
  EXPECT_TRUE(MakePath((dir.path() / "file" / "sub").string()));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "file" / "sub"));
}

}  // namespace
