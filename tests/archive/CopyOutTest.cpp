#include "archive/CopyOut.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <climits>
#include <string>

#include "archive/Catalogue.h"
#include "support/ByteDiff.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

// Whether a folder without write rights refuses new files to this process: not to root,
// and not on Windows, where the read-only attribute of a folder does not stop writing.
bool FolderRightsHold() {
#ifdef _WIN32
  return false;
#else
  return geteuid() != 0;
#endif
}

using namespace zpk::archive;
using zpk::test::ReadFileBytes;
using zpk::tools::ArchiveWriter;
using zpk::tools::WriterEntry;
namespace fs = std::filesystem;

// An archive in a temporary folder; checks at the end that nothing changed it.
class CopyOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriterEntry big;
    big.name = "big.bin";
    big.patternSize = 3 * 1024 * 1024 + 17;  // several copy chunks and a short tail
    writer_.Add("small.txt", "stored bytes\r\n")
        .Add(big)
        .Add(zpk::tools::RangedEntry("beyond.bin", 300, INT_MAX))
        .Add(zpk::tools::RangedEntry("negpos.bin", -1, 4))
        .Add(zpk::tools::RangedEntry("neglen.bin", 0, -4))
        .Add("empty.bin", "");
    archivePath_ = dir_ / "res.zpk";
    ASSERT_TRUE(writer_.WriteFile(archivePath_));
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
  ArchiveWriter writer_{"COPY"};
  fs::path archivePath_;
  std::vector<std::byte> original_;
  fs::file_time_type mtime_;
  std::optional<ArchiveFile> file_;
  Catalogue catalogue_;
};

TEST_F(CopyOutTest, WritesExactlyTheStoredBytes) {
  for (std::size_t k : {1u, 2u, 6u}) {
    const auto target = dir_ / ("out" + std::to_string(k));
    ASSERT_TRUE(CopyResourceToFile(*file_, Entry(k), target)) << "slot " << k;
    EXPECT_BYTES_EQ(Expected(k), ReadFileBytes(target));
  }
  EXPECT_EQ(Leftovers().size(), 3u);
}

TEST_F(CopyOutTest, ReportsProgressInBoundedChunks) {
  std::vector<std::uint64_t> seen;
  CopyOptions options;
  options.progress = [&](std::uint64_t done) {
    seen.push_back(done);
    return true;
  };
  ASSERT_TRUE(CopyResourceToFile(*file_, Entry(2), dir_ / "big", options));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen.front(), 1u << 20);
  EXPECT_EQ(seen.back(), static_cast<std::uint64_t>(Entry(2).Len));
}

TEST_F(CopyOutTest, BadRangesAreErrorsAndWriteNothing) {
  const struct {
    std::size_t slot;
    ErrorCode code;
  } cases[] = {{3, ErrorCode::OutOfRange}, {4, ErrorCode::NegativePos}, {5, ErrorCode::NegativeLen}};
  for (const auto& c : cases) {
    auto copied = CopyResourceToFile(*file_, Entry(c.slot), dir_ / "out");
    ASSERT_FALSE(copied) << "slot " << c.slot;
    EXPECT_EQ(copied.error().code, c.code);
    EXPECT_FALSE(copied.error().message.empty());
    auto read = ReadResource(*file_, Entry(c.slot));
    EXPECT_FALSE(read);
  }
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(CopyOutTest, AFailedCopyKeepsTheFileItWasToReplace) {
  const auto target = dir_ / "keep.txt";
  zpk::test::WriteFileBytes(target, zpk::tools::ToBytes("precious"));
  auto copied = CopyResourceToFile(*file_, Entry(3), target);
  EXPECT_FALSE(copied);
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));

  CopyOptions cancel;
  cancel.progress = [](std::uint64_t) { return false; };
  auto cancelled = CopyResourceToFile(*file_, Entry(2), target, cancel);
  ASSERT_FALSE(cancelled);
  EXPECT_EQ(cancelled.error().code, ErrorCode::Cancelled);
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));
  EXPECT_EQ(Leftovers().size(), 1u);
}

TEST_F(CopyOutTest, ReplacesOnlyWhenAllowed) {
  const auto target = dir_ / "keep.txt";
  zpk::test::WriteFileBytes(target, zpk::tools::ToBytes("precious"));
  CopyOptions keep;
  keep.replaceExisting = false;
  auto refused = CopyResourceToFile(*file_, Entry(1), target, keep);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ErrorCode::TargetExists);
  EXPECT_EQ(ReadFileBytes(target), zpk::tools::ToBytes("precious"));

  ASSERT_TRUE(CopyResourceToFile(*file_, Entry(1), target));
  EXPECT_BYTES_EQ(Expected(1), ReadFileBytes(target));

  ASSERT_TRUE(CopyResourceToFile(*file_, Entry(1), dir_ / "new.txt", keep));
  EXPECT_BYTES_EQ(Expected(1), ReadFileBytes(dir_ / "new.txt"));
  EXPECT_EQ(Leftovers().size(), 2u);

  // A file that appears while the copy is under way: the final rename itself keeps it, or
  // replaces it when allowed.
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
  EXPECT_EQ(Leftovers().size(), 4u);
}

TEST_F(CopyOutTest, NeverWritesOverTheArchiveItself) {
  auto copied = CopyResourceToFile(*file_, Entry(1), archivePath_);
  ASSERT_FALSE(copied);
  EXPECT_EQ(copied.error().code, ErrorCode::CantWrite);
#ifndef _WIN32  // symbolic links need rights on Windows, and Wine makes none
  fs::create_symlink(archivePath_, dir_ / "link.zpk");
  EXPECT_FALSE(CopyResourceToFile(*file_, Entry(1), dir_ / "link.zpk"));
#endif
}

TEST_F(CopyOutTest, AnUnwritableFolderIsAWriteErrorWithNoLeftovers) {
  if (!FolderRightsHold()) {
    // A missing folder fails for everyone.
    auto copied = CopyResourceToFile(*file_, Entry(1), dir_ / "missing" / "out.txt");
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, ErrorCode::CantWrite);
    EXPECT_NE(copied.error().message.find("out.txt"), std::string::npos);
  } else {
    fs::create_directory(dir_ / "ro");
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    auto copied = CopyResourceToFile(*file_, Entry(1), dir_ / "ro" / "out.txt");
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, ErrorCode::CantWrite);
  }
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(CopyOutTest, StreamsToASinkInOrder) {
  std::vector<std::byte> collected;
  auto ok = CopyResource(*file_, Entry(2), [&](std::span<const std::byte> chunk) {
    EXPECT_LE(chunk.size(), 1u << 20);
    collected.insert(collected.end(), chunk.begin(), chunk.end());
    return true;
  });
  ASSERT_TRUE(ok);
  EXPECT_BYTES_EQ(Expected(2), collected);

  auto refused = CopyResource(*file_, Entry(1), [](std::span<const std::byte>) { return false; });
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ErrorCode::CantWrite);
}

TEST(CheckRange, BoundsAreExact) {
  EXPECT_TRUE(CheckRange({"x", 10, 5}, 15));
  EXPECT_FALSE(CheckRange({"x", 10, 6}, 15));
  EXPECT_TRUE(CheckRange({"x", 15, 0}, 15));
  EXPECT_FALSE(CheckRange({"x", 16, 0}, 15));
  EXPECT_TRUE(CheckRange({"x", INT_MAX, INT_MAX}, std::uint64_t{1} << 32));
}

}  // namespace

TEST_F(CopyOutTest, FileHoldsResourceOnlyForTheSameBytes) {
  const auto copy = dir_ / "big.copy";
  ASSERT_TRUE(CopyResourceToFile(*file_, Entry(2), copy));
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), true);

  // One byte changed in the last chunk, one byte short, one byte more, another resource.
  auto bytes = Expected(2);
  bytes.back() ^= std::byte{1};
  zpk::test::WriteFileBytes(copy, bytes);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  bytes = Expected(2);
  bytes.pop_back();
  zpk::test::WriteFileBytes(copy, bytes);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  bytes = Expected(2);
  bytes.push_back(std::byte{0});
  zpk::test::WriteFileBytes(copy, bytes);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  zpk::test::WriteFileBytes(copy, Expected(1));
  EXPECT_EQ(FileHoldsResource(*file_, Entry(2), copy), false);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(1), copy), true);

  EXPECT_EQ(FileHoldsResource(*file_, Entry(1), dir_ / "missing"), false);
  EXPECT_EQ(FileHoldsResource(*file_, Entry(1), dir_.path()), false);  // a folder
  EXPECT_FALSE(FileHoldsResource(*file_, Entry(3), copy));  // range past the end
}
