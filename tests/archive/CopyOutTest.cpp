#include "archive/CopyOut.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "archive/Catalogue.h"
#include "support/ByteDiff.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
using zpk::test::ReadFileBytes;
using zpk::tools::ArchiveWriter;
namespace fs = std::filesystem;

// An archive in a temporary folder; checks at the end that nothing changed it.
class CopyOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archivePath_ = dir_ / "res.zpk";
    ASSERT_TRUE(ArchiveWriter("COPY")
                    .Add("small.txt", "stored bytes\r\n")
                    .Add(zpk::tools::PatternEntry("big.bin", 3 * 1024 * 1024 + 17))  // chunks and a short tail
                    .Add(zpk::tools::RangedEntry("beyond.bin", 300, INT_MAX))
                    .WriteFile(archivePath_));
    original_ = ReadFileBytes(archivePath_);
    mtime_ = fs::last_write_time(archivePath_);
    auto file = ArchiveFile::Open(archivePath_);
    ASSERT_TRUE(file);
    file_.emplace(std::move(*file));
    auto catalogue = ReadCatalogue(*file_);
    ASSERT_TRUE(catalogue);
    catalogue_ = std::move(*catalogue);
  }

  void TearDown() override {
    EXPECT_BYTES_EQ(original_, ReadFileBytes(archivePath_));
    EXPECT_EQ(mtime_, fs::last_write_time(archivePath_));
  }

  ArchiveEntry Entry(std::size_t k) { return *catalogue_.entries.Slot(static_cast<std::int64_t>(k)); }

  std::vector<std::byte> Expected(std::size_t k) {
    const auto e = Entry(k);
    return {original_.begin() + e.Pos, original_.begin() + e.Pos + e.Len};
  }

  // Files in the folder besides the archive itself.
  std::vector<fs::path> Leftovers() {
    auto files = zpk::test::ListFiles(dir_.path());
    std::erase(files, fs::path("res.zpk"));
    return files;
  }

  zpk::test::TempDir dir_;
  fs::path archivePath_;
  std::vector<std::byte> original_;
  fs::file_time_type mtime_;
  std::optional<ArchiveFile> file_;
  Catalogue catalogue_;
};

// Good and bad ranges of every size are the sweeps' (they check every read and copy against
// the file's bytes); here the big entry, in chunks, and what a sink or a progress call says.
TEST_F(CopyOutTest, StreamsInBoundedChunksWithProgressAfterEach) {
  std::vector<std::byte> collected;
  std::vector<std::uint64_t> seen;
  auto ok = CopyResource(
      *file_, Entry(2),
      [&](std::span<const std::byte> chunk) {
        EXPECT_LE(chunk.size(), 1u << 20);
        collected.insert(collected.end(), chunk.begin(), chunk.end());
        return true;
      },
      [&](std::uint64_t done) {
        seen.push_back(done);
        return true;
      });
  ASSERT_TRUE(ok);
  EXPECT_BYTES_EQ(Expected(2), collected);
  EXPECT_EQ(seen, (std::vector<std::uint64_t>{1u << 20, 2u << 20, 3u << 20, collected.size()}));

  auto refused = CopyResource(*file_, Entry(1), [](std::span<const std::byte>) { return false; });
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ErrorCode::CantWrite);
}

// A copy that fails, is cancelled or is refused keeps the file it was to replace.
TEST_F(CopyOutTest, KeepsTheFileItWasToReplaceUnlessAllowed) {
  const auto target = dir_ / "keep.txt";
  zpk::test::WriteFileBytes(target, zpk::tools::ToBytes("precious"));
  EXPECT_FALSE(CopyResourceToFile(*file_, Entry(3), target));
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));

  CopyOptions cancel;
  cancel.progress = [](std::uint64_t) { return false; };
  auto cancelled = CopyResourceToFile(*file_, Entry(2), target, cancel);
  ASSERT_FALSE(cancelled);
  EXPECT_EQ(cancelled.error().code, ErrorCode::Cancelled);
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));

  CopyOptions keep;
  keep.replaceExisting = false;
  keep.progress = [](std::uint64_t) {
    ADD_FAILURE() << "copied before it was refused";
    return true;
  };
  auto refused = CopyResourceToFile(*file_, Entry(1), target, keep);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ErrorCode::TargetExists);
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));
  EXPECT_EQ(Leftovers().size(), 1u);

  // A file that appears while the copy is under way: the final rename itself keeps it, or
  // replaces it when allowed. (New files written without replacing are every extraction's.)
  for (const bool replace : {false, true}) {
    const auto late = dir_ / ("late" + std::to_string(replace));
    CopyOptions racing;
    racing.replaceExisting = replace;
    racing.progress = [&](std::uint64_t) {
      zpk::test::WriteFileBytes(late, zpk::tools::ToBytes("appeared"));
      return true;
    };
    const auto copied = CopyResourceToFile(*file_, Entry(1), late, racing);
    EXPECT_EQ(replace, copied.has_value()) << "replace " << replace;
    if (!copied) {
      EXPECT_EQ(copied.error().code, ErrorCode::TargetExists);
    }
    EXPECT_EQ(ReadFileBytes(late), replace ? Expected(1) : zpk::tools::ToBytes("appeared"));
  }
  EXPECT_EQ(Leftovers().size(), 3u);
}

// Ranges ending past 2 GiB are summed without overflow (bounds are every sweep's).
TEST(CheckRange, HoldsRangesOfArchivesOver2GiB) {
  EXPECT_TRUE(CheckRange({"x", INT_MAX, INT_MAX}, std::uint64_t{1} << 32));
}

TEST_F(CopyOutTest, FileHoldsResourceOnlyForTheSameBytes) {
  const auto copy = dir_ / "big.copy";
  ASSERT_TRUE(CopyResourceToFile(*file_, Entry(2), copy));
  EXPECT_BYTES_EQ(Expected(2), ReadFileBytes(copy));
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), true);

  // One byte changed in the last chunk, one byte more, a folder.
  auto bytes = Expected(2);
  bytes.back() ^= std::byte{1};
  zpk::test::WriteFileBytes(copy, bytes);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  bytes = Expected(2);
  bytes.push_back(std::byte{0});
  zpk::test::WriteFileBytes(copy, bytes);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(1), dir_.path()), false);
  EXPECT_FALSE(FileHoldsResource(*file_, Entry(3), copy));  // range past the end
}

}  // namespace
