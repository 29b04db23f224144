// The Steam libraries that a libraryfolders.vdf names, as Steam has written the file.
#include <gtest/gtest.h>

#include <string>

#include "platform/WinePrefixSearch.h"
#include "support/RowName.h"

namespace {

struct VdfCase {
  const char* name;
  std::string text;
  std::vector<std::filesystem::path> libraries;
};

// Blocks inside blocks, deeper than any stack could follow.
std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "x { ";
  return text;
}

const VdfCase kVdfCases[] = {
    {"CurrentFormat",
     "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/q/.local/share/Steam\"\n"
     "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
     "\t\"1\"\n\t{\n\t\t\"PATH\"\t\t\"/mnt/games/Steam Library\"\n\t}\n}\n",
     {"/home/q/.local/share/Steam", "/mnt/games/Steam Library"}},
    {"OlderFormatNumberedTexts",
     "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n"
     "\t\"ContentStatsID\"\t\t\"-1\"\n\t\"1\"\t\t\"/mnt/a\"\n\t\"2\"\t\t\"/mnt/b\"\n}\n",
     {"/mnt/a", "/mnt/b"}},
    {"EscapesCommentsConditionsAndBareWords",
     "// written by hand\nlibraryfolders { 0 { \"path\" \"/mnt/\\\"q\\\\x\" [$LINUX] }\n"
     "  1 { path /mnt/bare } }",
     {"/mnt/\"q\\x", "/mnt/bare"}},
    {"CutWhileWritingKeepsTheLibrariesBefore",
     "\"libraryfolders\" { \"0\" { \"path\" \"/mnt/a\" } \"1\" { \"path\" \"/mnt/b",
     {"/mnt/a"}},
    {"RelativePathsAndTooDeepBlocksNameNothing",
     "\"libraryfolders\" { \"0\" { \"path\" \"games\" } }\n" + Nested(200'000),
     {}},
};

class SteamLibraries : public testing::TestWithParam<VdfCase> {};

TEST_P(SteamLibraries, AreThePathsTheFileNames) {
  EXPECT_EQ(GetParam().libraries, zpk::platform::SteamLibraryPaths(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Files, SteamLibraries, testing::ValuesIn(kVdfCases), zpk::test::RowName());

}  // namespace
