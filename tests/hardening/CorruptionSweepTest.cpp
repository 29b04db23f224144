// A thousand copies of every demo archive with about 1% of their bytes changed: each is
// read, probed and copied out by the core with clean errors only, never short data, and
// never a file left behind by a failed copy. The seeds are fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "checks/ArchiveInvariants.h"
#include "hardening/DemoArchives.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCopies = 1000;
// Writing files is what costs time here; every copy tries the failing file copies, every
// 25th also writes out the good ones.
constexpr int kFileCopyEvery = 25;

// Overwrites the file in place: same length, no new blocks, far cheaper than a new file.
void Overwrite(const fs::path& path, const std::vector<std::byte>& bytes) {
  std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out) << "can't write " << path;
}

// Changes about one byte in a hundred (at least one) to a different value.
void Damage(std::vector<std::byte>& bytes, std::mt19937& random) {
  if (bytes.empty()) return;
  const std::size_t changes = std::max<std::size_t>(1, bytes.size() / 100);
  for (std::size_t i = 0; i < changes; ++i) {
    const std::size_t at = random() % bytes.size();
    bytes[at] ^= static_cast<std::byte>(1 + random() % 255);
  }
}

class CorruptionSweep : public ::testing::TestWithParam<std::string> {};

TEST_P(CorruptionSweep, DamagedCopiesGiveCleanErrorsAndExactData) {
  const auto original = zpk::test::ReadFileBytes(zpk::test::DemoArchiveFolder() / GetParam());
  zpk::test::TempDir work;
  const fs::path damaged = work / "damaged.zpk";
  fs::create_directory(work / "out");
  zpk::tools::InvariantOptions options{.copyFolder = work / "out"};
  zpk::test::WriteFileBytes(damaged, original);
  const auto seed = static_cast<std::uint32_t>(std::hash<std::string>{}(GetParam()) & 0xFFFFFFFFu);
  std::size_t entries = 0, inRange = 0;
  // An empty file has no byte to change: one look at it is enough.
  const int copies = original.empty() ? 1 : kCopies;
  for (int copy = 0; copy < copies; ++copy) {
    std::mt19937 random(seed + static_cast<std::uint32_t>(copy));
    auto bytes = original;
    Damage(bytes, random);
    Overwrite(damaged, bytes);
    options.inRangeFileCopies = copy % kFileCopyEvery == 0 ? static_cast<std::size_t>(-1) : 0;
    const auto report = zpk::tools::CheckArchiveInvariants(damaged, options);
    ASSERT_TRUE(report.problems.empty())
        << "copy " << copy << " (seed " << seed << " + " << copy << "):\n" << Describe(report);
    entries += report.entries;
    inRange += report.inRange;
  }
  // The damage must reach both kinds of entry, or the sweep proves little.
  if (GetParam() == "data.zpk" || GetParam() == "maps.zpk") {
    EXPECT_GT(inRange, 0u);
    EXPECT_GT(entries - inRange, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(DemoArchives, CorruptionSweep,
                         ::testing::ValuesIn(zpk::test::DemoArchiveNames()),
                         [](const auto& test) { return zpk::test::TestNameOf(test.param); });

}  // namespace
