// cat --inflate and extract --inflate on good, damaged and unpacked entries: the unpacked
// bytes or an error for that entry, and never a file (or a temporary one) left behind.
#include <gtest/gtest.h>
#include <zlib.h>

#include "ZpkProcess.h"
#include "support/ByteDiff.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"
#include "writer/SampleData.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;
namespace fs = std::filesystem;

TEST(InflateTest, GoodStreamsUnpackDamagedOnesFailWithoutAFile) {
  // Over 1 MiB stored and several 256 KiB chunks unpacked: both loops go round.
  std::vector<std::byte> big(3 * 1024 * 1024 + 5);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::byte>((i * 7 + i / 4099) & 0xFF);
  const auto text = ToBytes(std::string(200000, 'x') + "the end");
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::vector<std::byte> deflated(size);
  ASSERT_EQ(Z_OK, compress2(reinterpret_cast<Bytef*>(deflated.data()), &size,
                            reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()), 9));
  deflated.resize(size);
  auto corrupt = deflated;
  corrupt[corrupt.size() / 2] ^= std::byte{0x5A};
  corrupt[corrupt.size() / 2 + 1] ^= std::byte{0xA5};
  auto trailing = deflated;
  trailing.push_back(std::byte{0});
  const std::vector<std::byte> truncated(deflated.begin(), deflated.end() - 9);

  struct Case {
    const char* name;
    std::vector<std::byte> stored;
    std::vector<std::byte> unpacked;  // empty: the entry fails
    const char* error;
  };
  const std::vector<Case> cases = {
      {"stored.bin", zpk::tools::MakeZlibStored(big), big, ""},
      {"deflated.txt", deflated, text, ""},
      {"truncated.bin", truncated, {}, "(truncated)"},
      {"corrupt.bin", corrupt, {}, "is corrupt"},
      {"trailing.bin", trailing, {}, "followed by 1 more bytes"},
      {"plain.txt", ToBytes("not packed"), ToBytes("not packed"), ""},
  };
  TempDir dir;
  zpk::tools::ArchiveWriter writer;
  for (const auto& c : cases) writer.Add(c.name, c.stored);
  const auto archive = dir / "packed.zpk";
  ASSERT_TRUE(writer.WriteFile(archive));

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto out = dir / ("out-" + std::string(c.name));
    const auto extracted = RunZpk({"extract", "--inflate", "-C", out.string(), archive.string(), c.name});
    const auto cat = RunZpk({"cat", "--inflate", archive.string(), c.name});
    if (c.unpacked.empty()) {
      EXPECT_EQ(1, extracted.exitCode);
      EXPECT_NE(std::string::npos, extracted.err.find(c.error)) << extracted.err;
      EXPECT_TRUE(zpk::test::ListFiles(out).empty());
      EXPECT_EQ(1, cat.exitCode);
    } else {
      ASSERT_EQ(0, extracted.exitCode) << extracted.err;
      EXPECT_BYTES_EQ(c.unpacked, zpk::test::ReadFileBytes(out / c.name));
      ASSERT_EQ(0, cat.exitCode) << cat.err;
      EXPECT_BYTES_EQ(c.unpacked, std::as_bytes(std::span(cat.out)));
    }
  }
  // Without the flag the stored bytes come out as they are.
  const auto stored = RunZpk({"cat", archive.string(), "deflated.txt"});
  EXPECT_BYTES_EQ(deflated, std::as_bytes(std::span(stored.out)));
  EXPECT_EQ(2, RunZpk({"extract", "--inflate", "--manifest", (dir / "m.json").string(), archive.string()}).exitCode);
}

}  // namespace
