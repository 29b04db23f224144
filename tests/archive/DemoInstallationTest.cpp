// The demo installation is what the README's first command opens; it must keep showing
// every case it was made for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "archive/Probe.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::archive;
namespace fs = std::filesystem;

class DemoInstallation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new zpk::test::TempDir;
    ASSERT_EQ(zpk::test::RunTool(ZPK_MAKE_DEMO, dir_->path()), 0);
  }
  static void TearDownTestSuite() { delete dir_; }
  static fs::path Archive(const char* name) { return dir_->path() / "Tidewater" / name; }
  static zpk::test::TempDir* dir_;
};
zpk::test::TempDir* DemoInstallation::dir_ = nullptr;

TEST_F(DemoInstallation, IsTheSameByteForByteOnEveryRun) {
  zpk::test::TempDir again;
  ASSERT_EQ(zpk::test::RunTool(ZPK_MAKE_DEMO, again.path()), 0);
  for (const char* name : {"data.zpk", "maps.zpk", "empty.zpk", "patch.zpk", "zero.zpk"}) {
    EXPECT_EQ(zpk::test::ReadFileBytes(Archive(name)),
              zpk::test::ReadFileBytes(again.path() / "Tidewater" / name))
        << name;
  }
}

TEST_F(DemoInstallation, MainArchiveShowsEveryCase) {
  auto file = ArchiveFile::Open(Archive("data.zpk"));
  ASSERT_TRUE(file);
  auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  EXPECT_FALSE(catalogue->directoryTruncated);
  const auto& table = catalogue->entries;
  int encrypted = 0, atZero = 0, duplicates = 0, leadingSpaces = 0, blanks = 0;
  bool bmp = false, wav = false, bik = false, nested = false;
  for (std::size_t k = 1; k <= table.size(); ++k) {
    const auto entry = *table.Slot(static_cast<std::int64_t>(k));
    ASSERT_TRUE(CheckRange(entry, file->Size())) << entry.Name;
    const auto data = ReadResource(*file, entry);
    ASSERT_TRUE(data);
    encrypted += *ProbeEntry(*file, entry) == Verdict::Encrypted;
    atZero += entry.Pos == 0;
    leadingSpaces += entry.Name.starts_with(' ');
    const auto name = DisplayName(entry.Name);
    blanks += name.find(' ') != std::string::npos;
    for (std::size_t j = 1; j < k; ++j) duplicates += DisplayName(table.NameAt(j)) == name;
    nested |= name == "gfx/units/ship.bmp";
    bmp |= name.ends_with(".bmp") && (*data)[0] == std::byte{'B'} && (*data)[1] == std::byte{'M'};
    wav |= name.ends_with(".wav") && data->size() > 44 && (*data)[8] == std::byte{'W'};
    bik |= name.ends_with(".bik");
  }
  EXPECT_EQ(encrypted, 1);
  EXPECT_EQ(atZero, 1);
  EXPECT_EQ(duplicates, 1);
  EXPECT_EQ(leadingSpaces, 1);
  EXPECT_EQ(blanks, 1);
  EXPECT_TRUE(bmp && wav && bik && nested);
}

TEST_F(DemoInstallation, DamagedAndEmptyArchivesAreThere) {
  auto empty = ReadCatalogue(Archive("empty.zpk"));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->header.EntryCount, 0);
  auto zero = ReadCatalogue(Archive("zero.zpk"));
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->fileSize, 0u);
  auto patch = ReadCatalogue(Archive("patch.zpk"));
  ASSERT_TRUE(patch);
  EXPECT_TRUE(patch->directoryTruncated);
  EXPECT_GT(patch->header.EntryCount, static_cast<std::int32_t>(patch->entries.size()));
}

}  // namespace
