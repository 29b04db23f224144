#include "archive/Probe.h"

#include <gtest/gtest.h>

#include <string>

#include "archive/Catalogue.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
using zpk::tools::ArchiveWriter;
using zpk::tools::WriterEntry;
using namespace std::string_literals;

struct ProbeCase {
  const char* label;
  std::string data;
  Verdict verdict;
};

void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.label; }


class ProbeTable : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTable, LooksAtTheFirstTwoBytesOnly) {
  const auto& c = GetParam();
  zpk::test::TempDir dir;
  ArchiveWriter("P").Add("r.bin", c.data).WriteFile(dir / "p.zpk");
  auto file = ArchiveFile::Open(dir / "p.zpk");
  ASSERT_TRUE(file);
  auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  auto verdict = ProbeEntry(*file, *catalogue->entries.Slot(1));
  ASSERT_TRUE(verdict) << verdict.error().message;
  EXPECT_EQ(*verdict, c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    FirstBytes, ProbeTable,
    ::testing::Values(ProbeCase{"ZlibFastest", "\x78\x01rest", Verdict::Encrypted},
                      ProbeCase{"ZlibDefault", "\x78\x9C rest", Verdict::ProbablyOk},
                      ProbeCase{"Swapped", "\x01\x78", Verdict::ProbablyOk},
                      ProbeCase{"NulBytes", "\0\0"s, Verdict::ProbablyOk}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Probe, ReadsTwoBytesWhateverLenSays) {
  zpk::test::TempDir dir;
  WriterEntry e;
  e.name = "short";
  e.data = zpk::tools::ToBytes("\x78\x01");
  e.len = 0;
  ArchiveWriter("P").Add(e).WriteFile(dir / "p.zpk");
  auto file = ArchiveFile::Open(dir / "p.zpk");
  auto verdict = ProbeEntry(*file, *ReadCatalogue(*file)->entries.Slot(1));
  ASSERT_TRUE(verdict);
  EXPECT_EQ(*verdict, Verdict::Encrypted);
}

TEST(Probe, PositionsOutsideTheFileAreErrors) {
  zpk::test::TempDir dir;
  ArchiveWriter("P").Add("one", "1").WriteFile(dir / "p.zpk");
  auto file = ArchiveFile::Open(dir / "p.zpk");
  ASSERT_TRUE(file);
  const auto size = static_cast<std::int32_t>(file->Size());

  ArchiveEntry lastByte{"x", size - 1, 1};
  auto tail = ProbeEntry(*file, lastByte);
  ASSERT_FALSE(tail);
  EXPECT_EQ(tail.error().code, ErrorCode::OutOfRange);

  ArchiveEntry negative{"x", -4, 10};
  auto before = ProbeEntry(*file, negative);
  ASSERT_FALSE(before);
  EXPECT_EQ(before.error().code, ErrorCode::NegativePos);
  EXPECT_NE(before.error().message.find("-4"), std::string::npos);

  ArchiveEntry atZero{"x", 0, 0};
  EXPECT_TRUE(ProbeEntry(*file, atZero));
}

}  // namespace
