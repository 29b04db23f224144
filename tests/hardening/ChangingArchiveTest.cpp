// An archive cut short by another program after it was opened: every operation must fail
// cleanly, return no short data and leave no file behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "archive/Probe.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
namespace fs = std::filesystem;

// What one operation gives on the shrunken file: its error code, or nothing on success.
using Operation = std::function<std::optional<ErrorCode>(ArchiveFile&, const ArchiveEntry&,
                                                         const fs::path& outFolder)>;

template <typename T>
std::optional<ErrorCode> CodeOf(const std::expected<T, Error>& result) {
  if (result) return std::nullopt;
  return result.error().code;
}

struct ShrinkCase {
  const char* label;
  Operation operation;
};

const ShrinkCase kShrinkCases[] = {
    {"Probe",
     [](ArchiveFile& file, const ArchiveEntry& entry, const fs::path&) {
       return CodeOf(ReadProbeBytes(file, entry));
     }},
    {"ReadResource",
     [](ArchiveFile& file, const ArchiveEntry& entry, const fs::path&) {
       return CodeOf(ReadResource(file, entry));
     }},
    {"CopyToSink",
     [](ArchiveFile& file, const ArchiveEntry& entry, const fs::path&) {
       std::size_t received = 0;
       auto result = CopyResource(file, entry, [&](std::span<const std::byte> chunk) {
         received += chunk.size();
         return true;
       });
       // Whole chunks that were still there may have gone out; never all of them.
       EXPECT_LT(received, static_cast<std::size_t>(entry.Len));
       return CodeOf(result);
     }},
    {"CopyToFile",
     [](ArchiveFile& file, const ArchiveEntry& entry, const fs::path& out) {
       return CodeOf(CopyResourceToFile(file, entry, out / "copy.bin"));
     }},
};

class ShrinkingArchive : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkingArchive, ACutAfterOpeningIsAReadErrorNotShortData) {
  zpk::test::TempDir dir;
  const fs::path archive = dir / "shrinks.zpk";
  zpk::tools::ArchiveWriter writer("SHRINKS");
  // Enough entries that the directory takes more than one read block.
  for (int i = 0; i < 5000; ++i) writer.Add("small" + std::to_string(i), "s");
  writer.Add(zpk::tools::PatternEntry("big.bin", 3 * 1024 * 1024));  // more than one copy chunk
  ASSERT_TRUE(writer.WriteFile(archive));

  auto file = ArchiveFile::Open(archive);
  ASSERT_TRUE(file);
  auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  const ArchiveEntry entry = *catalogue->entries.Slot(5001);
  ASSERT_EQ(entry.Name, "big.bin");

  // Another program cuts the file inside the directory after it was opened.
  fs::resize_file(archive, kHeaderSize + 4000 * kEntrySize);
  fs::create_directory(dir / "out");
  EXPECT_EQ(GetParam().operation(*file, entry, dir / "out"), ErrorCode::CantRead);
  EXPECT_TRUE(zpk::test::ListFiles(dir / "out").empty());
}

INSTANTIATE_TEST_SUITE_P(Operations, ShrinkingArchive, ::testing::ValuesIn(kShrinkCases),
                         [](const auto& test) { return std::string(test.param.label); });

}  // namespace
