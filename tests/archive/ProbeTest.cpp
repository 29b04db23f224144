#include "archive/Probe.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "archive/Catalogue.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
using zpk::tools::RangedEntry;
using zpk::tools::TextEntry;
using namespace std::string_literals;

// The first two bytes at Pos decide, whatever Len says; two bytes must lie in the file.
TEST(Probe, LooksAtTheTwoBytesAtPosOnly) {
  zpk::tools::WriterEntry lenZero = TextEntry("len-zero", "\x78\x01");
  lenZero.len = 0;
  const struct {
    zpk::tools::WriterEntry entry;
    std::variant<Verdict, ErrorCode> expected;
  } rows[] = {
      {TextEntry("zlib-fastest", "\x78\x01rest"), Verdict::Encrypted},
      {TextEntry("zlib-default", "\x78\x9C rest"), Verdict::ProbablyOk},
      {TextEntry("other-first", "\x79\x01"), Verdict::ProbablyOk},
      {TextEntry("swapped", "\x01\x78"), Verdict::ProbablyOk},
      {lenZero, Verdict::Encrypted},
      {RangedEntry("header", 0, 0), Verdict::ProbablyOk},
      {RangedEntry("negative", -4, 10), ErrorCode::NegativePos},
      {TextEntry("last-byte", "x"), ErrorCode::OutOfRange},  // the file's last byte
  };
  zpk::tools::ArchiveWriter writer("P");
  for (const auto& row : rows) writer.Add(row.entry);
  zpk::test::TempDir dir;
  ASSERT_TRUE(writer.WriteFile(dir / "p.zpk"));
  auto file = ArchiveFile::Open(dir / "p.zpk");
  ASSERT_TRUE(file);
  const auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  ASSERT_EQ(catalogue->entries.PosAt(std::size(rows)) + 1, static_cast<std::int64_t>(file->Size()));
  for (std::size_t k = 1; k <= std::size(rows); ++k) {
    const auto& expected = rows[k - 1].expected;
    const auto verdict = ProbeEntry(*file, *catalogue->entries.Slot(static_cast<std::int64_t>(k)));
    if (const auto* code = std::get_if<ErrorCode>(&expected)) {
      ASSERT_FALSE(verdict) << rows[k - 1].entry.name;
      EXPECT_EQ(verdict.error().code, *code) << rows[k - 1].entry.name;
    } else {
      ASSERT_TRUE(verdict) << rows[k - 1].entry.name << ": " << verdict.error().message;
      EXPECT_EQ(*verdict, std::get<Verdict>(expected)) << rows[k - 1].entry.name;
    }
  }
}

}  // namespace
