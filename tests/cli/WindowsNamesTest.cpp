// Names that Windows can't hold: one table, checked twice. The mapping itself runs on every
// system; then the real zpk extracts one archive of all the names, and the files that land
// must be the mapped names on Windows (where names that differ only in case are one path
// and go through the duplicate rule) and the names unchanged elsewhere.
#include <gtest/gtest.h>

#include <cctype>

#include "ZpkProcess.h"
#include "archive/Cp1252.h"
#include "cli/FileSystem.h"
#include "cli/SafeName.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;

struct NameRow {
  std::string name;              // as stored in the archive (Windows-1252)
  std::string mapped;            // what Windows gets; empty: the name unchanged
  std::string onWindows = {};    // where it lands there, when the duplicate rule renames it
};

std::string Utf8(const std::string& cp1252) { return zpk::archive::Cp1252ToUtf8(cp1252); }

// 255 characters, the longest name an entry holds, in nine levels.
std::string LongPath() {
  std::string path;
  for (int level = 0; level < 8; ++level) path += std::string(29, static_cast<char>('a' + level)) + "/";
  return path + std::string(11, 'z') + ".txt";
}

std::vector<NameRow> Rows() {
  std::vector<NameRow> rows;
  std::vector<std::string> reserved{"CON", "PRN", "AUX", "NUL"};
  for (const char* port : {"COM", "LPT"}) {
    for (char digit = '1'; digit <= '9'; ++digit) reserved.push_back(port + std::string(1, digit));
  }
  // Each device name bare, with an extension and in a folder, in upper, lower and mixed case.
  for (const auto& device : reserved) {
    auto lower = device;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto title = device.substr(0, 1) + lower.substr(1);
    rows.push_back({device, device + "_"});
    rows.push_back({lower + ".txt", lower + "_.txt"});
    rows.push_back({"in/" + title + ".tar.gz", "in/" + title + "_.tar.gz"});
  }
  const std::vector<NameRow> more{
      {"CON .txt", "CON _.txt"},
      {"COM0.log", "COM0_.log"},
      {"lpt\xB9", "lpt\xB9_"},
      // Near misses stay as they are.
      {"CONSOLE.txt", ""},
      {"COM10", ""},
      {"LPT", ""},
      {"COMA", ""},
      // Trailing dots and spaces of any level.
      {"notes. .", "notes___"},
      {"dir /a.txt", "dir_/a.txt"},
      {"lvl/...", "lvl/___"},
      // Every character Windows refuses in a name.
      {"a<b>c\"d|e?f*.txt", "a_b_c_d_e_f_.txt"},
      // Names one path apart only on Windows.
      {"Ship.bmp", ""},
      {"SHIP.BMP", "", "SHIP (2).BMP"},
      {"x_.txt", ""},
      {"x*.txt", "x_.txt", "x_ (2).txt"},
      {LongPath(), ""},
  };
  rows.insert(rows.end(), more.begin(), more.end());
  for (auto& row : rows) {
    row.mapped = Utf8(row.mapped.empty() ? row.name : row.mapped);
    if (row.onWindows.empty()) row.onWindows = row.mapped;
  }
  return rows;
}

TEST(WindowsNamesTest, EachNameIsMappedToOneWindowsCanHold) {
  for (const auto& row : Rows()) {
    const auto safe = zpk::cli::SafeRelativePath(Utf8(row.name));
    ASSERT_TRUE(safe) << row.name << ": " << safe.error();
    const auto mapped = zpk::cli::WindowsHoldablePath(*safe);
    ASSERT_TRUE(mapped) << row.name << ": " << mapped.error();
    EXPECT_EQ(row.mapped, *mapped) << row.name;
    // A mapped name is final: mapping it again changes nothing.
    EXPECT_EQ(*mapped, zpk::cli::WindowsHoldablePath(*mapped).value_or("refused")) << row.name;
  }
  // A level that grows past the limit is refused rather than cut.
  const auto tooLong = zpk::cli::WindowsHoldablePath("con." + std::string(251, 'x'));
  ASSERT_FALSE(tooLong);
  EXPECT_NE(std::string::npos, tooLong.error().find("longer than 255 bytes")) << tooLong.error();
  EXPECT_TRUE(zpk::cli::WindowsHoldablePath("con." + std::string(250, 'x')));
}

TEST(WindowsNamesTest, ExtractedFilesLandUnderTheNamesTheSystemHolds) {
  const auto rows = Rows();
  zpk::tools::ArchiveWriter writer;
  for (const auto& row : rows) writer.Add(zpk::tools::TextEntry(row.name, Utf8(row.name)));
  zpk::test::TempDir root;
  ASSERT_TRUE(writer.WriteFile(root / "names.zpk"));

  // A folder deep enough that the longest name makes a path of over 300 characters.
  const auto out = root / "out" / std::string(50, 'o');
  const auto r = RunZpk({"extract", "-C", out.string(), "names.zpk"}, root.path());
  EXPECT_EQ(0, r.exitCode) << r.err;
  const auto tree = ReadTree(out);
  EXPECT_EQ(rows.size(), tree.size());
  for (const auto& row : rows) {
    const auto& landed = zpk::cli::kWindowsNames ? row.onWindows : Utf8(row.name);
    const auto file = tree.find(landed);
    ASSERT_NE(tree.end(), file) << row.name << " not written as " << landed;
    EXPECT_EQ(Utf8(row.name), file->second) << landed;
    const bool mapped = row.mapped != Utf8(row.name);
    const auto notice = "'" + Utf8(row.name) + "': written as '" + row.mapped +
                        "', a name that Windows can hold";
    EXPECT_EQ(zpk::cli::kWindowsNames && mapped, Slashed(r.err).find(notice) != std::string::npos)
        << row.name << "\n" << r.err;
  }
}

}  // namespace
