// Every demo archive cut at every byte boundary of its header and directory: the core
// reads exactly the whole entries left, and every entry whose data is gone is an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "archive/Catalogue.h"
#include "checks/ArchiveInvariants.h"
#include "hardening/DemoArchives.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::archive;
namespace fs = std::filesystem;

class TruncationSweep : public ::testing::TestWithParam<std::string> {};

TEST_P(TruncationSweep, EveryCutReadsTheWholeEntriesLeftAndRejectsTheRest) {
  const fs::path original = zpk::test::DemoArchiveFolder() / GetParam();
  auto full = ReadCatalogue(original);
  ASSERT_TRUE(full);
  const std::uint64_t size = full->fileSize;
  const std::uint64_t directoryEnd =
      size < kHeaderSize ? size : std::min<std::uint64_t>(size, kHeaderSize + full->entries.size() * kEntrySize);

  zpk::test::TempDir work;
  const fs::path cut = work / "cut.zpk";
  fs::copy_file(original, cut);
  fs::create_directory(work / "out");
  zpk::tools::InvariantOptions options{.copyFolder = work / "out"};
  std::size_t inRangeSeen = 0, outOfRangeSeen = 0;
  // The bytes of each cut are known, so the checker need not read them back; that the reads
  // leave the archive as it was is checked by the corruption sweep.
  const auto bytes = zpk::test::ReadFileBytes(original);
  std::vector<std::byte> kept;
  options.knownBytes = &kept;
  // Cutting from the end down keeps one file and shortens it in place.
  for (std::uint64_t length = directoryEnd + 1; length-- > 0;) {
    fs::resize_file(cut, length);
    kept.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    // Failing copies are tried at every cut; good ones, which write files, at every 16th.
    options.inRangeFileCopies = length % 16 == 0 ? static_cast<std::size_t>(-1) : 0;
    const auto report = zpk::tools::CheckArchiveInvariants(cut, options);
    ASSERT_TRUE(report.problems.empty()) << "cut at " << length << ":\n" << Describe(report);
    const std::uint64_t whole = length < kHeaderSize ? 0 : (length - kHeaderSize) / kEntrySize;
    ASSERT_EQ(report.entries, std::min<std::uint64_t>(whole, full->entries.size()))
        << "cut at " << length;
    inRangeSeen += report.inRange;
    outOfRangeSeen += report.entries - report.inRange;
  }
  if (!full->entries.empty()) {
    // The data lies behind the directory, so cuts inside it leave entries pointing past the
    // end; the demo's entry at position 0 stays readable once 64 bytes are there.
    EXPECT_GT(outOfRangeSeen, 0u);
    if (GetParam() == "data.zpk") {
      EXPECT_GT(inRangeSeen, 0u);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DemoArchives, TruncationSweep,
                         ::testing::ValuesIn(zpk::test::DemoArchiveNames()),
                         [](const auto& test) { return zpk::test::TestNameOf(test.param); });

TEST(DemoArchivesAreAllSwept, TheListNamesEveryArchiveMadeByMakeDemo) {
  std::vector<std::string> made;
  for (const auto& item : fs::directory_iterator(zpk::test::DemoArchiveFolder())) {
    made.push_back(item.path().filename().string());
  }
  auto listed = zpk::test::DemoArchiveNames();
  std::sort(made.begin(), made.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(made, listed);
}

}  // namespace
