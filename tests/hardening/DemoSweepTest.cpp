// The demo installation, made once by the build's make_demo, and every archive in it swept:
// cut at every byte boundary of its header and directory, and a thousand copies with about
// 1% of their bytes changed. Each is read, probed and copied out by the core with clean
// errors only, never short data, and never a file left behind by a failed copy. The seeds
// are fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>

#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "archive/Probe.h"
#include "checks/ArchiveInvariants.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::archive;
namespace fs = std::filesystem;

const fs::path& DemoFolder() {
  static const auto folder = [] {
    static const auto root = std::make_unique<zpk::test::TempDir>();
    if (zpk::test::RunTool(ZPK_MAKE_DEMO, root->path()) != 0) throw std::runtime_error("make_demo failed");
    return root->path() / "Tidewater";
  }();
  return folder;
}

// Listed here rather than read from the folder, so that a test instance exists for each
// before the folder is made; TheListNamesEveryArchive checks the list is complete.
const std::vector<std::string> kDemoArchives = {"data.zpk", "maps.zpk", "empty.zpk", "patch.zpk",
                                                "zero.zpk"};

// A work folder holding the archive under test and an empty folder for the copies.
class Sweep : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    bytes_ = zpk::test::ReadFileBytes(DemoFolder() / GetParam());
    zpk::test::WriteFileBytes(archive_, bytes_);
    fs::create_directory(work_ / "out");
    options_.copyFolder = work_ / "out";
  }

  // Checks the archive as it now is; good copies, which write files, only when asked.
  zpk::tools::InvariantReport Check(bool copyGoodOnes, const std::string& what) {
    options_.inRangeFileCopies = copyGoodOnes ? static_cast<std::size_t>(-1) : 0;
    auto report = zpk::tools::CheckArchiveInvariants(archive_, options_);
    EXPECT_TRUE(report.problems.empty()) << what << ":\n" << Describe(report);
    return report;
  }

  std::vector<std::byte> bytes_;
  zpk::test::TempDir work_;
  fs::path archive_ = work_ / "sweep.zpk";
  zpk::tools::InvariantOptions options_;
};

TEST_P(Sweep, EveryCutReadsTheWholeEntriesLeftAndRejectsTheRest) {
  const auto full = ReadCatalogue(archive_);
  ASSERT_TRUE(full);
  const std::uint64_t size = bytes_.size();
  const std::uint64_t directoryEnd =
      size < kHeaderSize ? size : std::min<std::uint64_t>(size, kHeaderSize + full->entries.size() * kEntrySize);
  // The bytes of each cut are known, so the checker need not read them back; that the reads
  // leave the archive as it was is checked by the damage sweep.
  std::vector<std::byte> kept;
  options_.knownBytes = &kept;
  std::size_t inRangeSeen = 0, outOfRangeSeen = 0;
  // Cutting from the end down keeps one file and shortens it in place.
  for (std::uint64_t length = directoryEnd + 1; length-- > 0;) {
    fs::resize_file(archive_, length);
    kept.assign(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(length));
    const auto report = Check(length % 16 == 0, "cut at " + std::to_string(length));
    const std::uint64_t whole = length < kHeaderSize ? 0 : (length - kHeaderSize) / kEntrySize;
    ASSERT_EQ(report.entries, std::min<std::uint64_t>(whole, full->entries.size())) << "cut at " << length;
    inRangeSeen += report.inRange;
    outOfRangeSeen += report.entries - report.inRange;
    if (HasFailure()) return;
  }
  // The data lies behind the directory, so cuts inside it leave entries pointing past the
  // end; the demo's entry at position 0 stays readable once 64 bytes are there.
  EXPECT_EQ(!full->entries.empty(), outOfRangeSeen > 0);
  if (GetParam() == "data.zpk") {
    EXPECT_GT(inRangeSeen, 0u);
  }
}

TEST_P(Sweep, DamagedCopiesGiveCleanErrorsAndExactData) {
  const auto seed = static_cast<std::uint32_t>(std::hash<std::string>{}(GetParam()) & 0xFFFFFFFFu);
  std::size_t entries = 0, inRange = 0;
  // An empty file has no byte to change: one look at it is enough.
  const int copies = bytes_.empty() ? 1 : 1000;
  for (int copy = 0; copy < copies; ++copy) {
    std::mt19937 random(seed + static_cast<std::uint32_t>(copy));
    auto damaged = bytes_;
    // About one byte in a hundred (at least one) changed to a different value.
    const std::size_t changes = std::max<std::size_t>(1, damaged.size() / 100);
    for (std::size_t i = 0; i < changes && !damaged.empty(); ++i) {
      damaged[random() % damaged.size()] ^= static_cast<std::byte>(1 + random() % 255);
    }
    // Overwritten in place: same length, no new blocks, far cheaper than a new file.
    std::fstream(archive_, std::ios::in | std::ios::out | std::ios::binary)
        .write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size()));
    // Every copy tries the failing file copies, every 25th also writes out the good ones.
    const auto report = Check(copy % 25 == 0, "copy " + std::to_string(copy) + " (seed " +
                                                  std::to_string(seed) + " + " + std::to_string(copy) + ")");
    if (HasFailure()) return;
    entries += report.entries;
    inRange += report.inRange;
  }
  // The damage must reach both kinds of entry, or the sweep proves little.
  if (GetParam() == "data.zpk" || GetParam() == "maps.zpk") {
    EXPECT_GT(inRange, 0u);
    EXPECT_GT(entries - inRange, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(DemoArchives, Sweep, ::testing::ValuesIn(kDemoArchives), [](const auto& test) {
  auto name = test.param;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
});

// The demo is what the README's first command opens: it must keep showing every case it
// was made for.
TEST(DemoInstallation, TheListNamesEveryArchiveAndEachShowsItsCase) {
  std::vector<std::string> made;
  for (const auto& item : fs::directory_iterator(DemoFolder())) made.push_back(item.path().filename().string());
  auto listed = kDemoArchives;
  std::sort(made.begin(), made.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(made, listed);

  EXPECT_EQ(ReadCatalogue(DemoFolder() / "empty.zpk").value().header.EntryCount, 0);
  EXPECT_EQ(ReadCatalogue(DemoFolder() / "zero.zpk").value().fileSize, 0u);
  const auto patch = ReadCatalogue(DemoFolder() / "patch.zpk").value();
  EXPECT_TRUE(patch.directoryTruncated);
  EXPECT_GT(patch.header.EntryCount, static_cast<std::int32_t>(patch.entries.size()));

  auto file = ArchiveFile::Open(DemoFolder() / "data.zpk");
  ASSERT_TRUE(file);
  const auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  EXPECT_FALSE(catalogue->directoryTruncated);
  const auto& table = catalogue->entries;
  int encrypted = 0, atZero = 0, duplicates = 0, leadingSpaces = 0, blanks = 0;
  bool bmp = false, wav = false, bik = false, nested = false;
  for (std::size_t k = 1; k <= table.size(); ++k) {
    const auto entry = *table.Slot(static_cast<std::int64_t>(k));
    const auto data = ReadResource(*file, entry);
    ASSERT_TRUE(data) << entry.Name;
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

}  // namespace
