// The kind detector on real archive entries: one row per signature and per near-miss.
#include "archive/Kind.h"

#include <gtest/gtest.h>

#include <string>

#include "archive/Catalogue.h"
#include "archive/KindBatch.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
using zpk::tools::ArchiveWriter;
using namespace std::string_literals;

struct KindCase {
  const char* label;
  std::string data;
  Kind kind;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.label; }

// 18-byte TGA header: no colour map, true-colour, 2x1 pixels of 24 bits.
const std::string kTga = "\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x01\0\x18\0"s;
const std::string kBmp = "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"s;

class KindTable : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindTable, NamesTheKindFromTheFirstBytes) {
  const auto& c = GetParam();
  zpk::test::TempDir dir;
  ASSERT_TRUE(ArchiveWriter("K").Add("r.bin", c.data).WriteFile(dir / "k.zpk"));
  auto file = ArchiveFile::Open(dir / "k.zpk");
  ASSERT_TRUE(file);
  auto kind = ReadKind(*file, *ReadCatalogue(*file)->entries.Slot(1));
  ASSERT_TRUE(kind) << kind.error().message;
  EXPECT_EQ(KindName(c.kind), KindName(*kind));
}

INSTANTIATE_TEST_SUITE_P(
    FirstBytes, KindTable,
    ::testing::Values(
        KindCase{"Empty", "", Kind::Empty},
        KindCase{"Bmp", kBmp + "pixels", Kind::Bmp},
        KindCase{"BmInText", "BMW cars are fast, more than 18 bytes\n", Kind::Text},
        KindCase{"BmBadInfoSize", "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x29\0\0\0"s, Kind::Data},
        KindCase{"Png", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s, Kind::Png},
        KindCase{"PngWithoutCrLf", "\x89PNG\n\x1A\n\0"s, Kind::Data},
        KindCase{"Jpeg", "\xFF\xD8\xFF\xE0\0\x10JFIF"s, Kind::Jpeg},
        KindCase{"Gif89", "GIF89a\x01\0\x01\0"s, Kind::Gif},
        KindCase{"Gif88IsText", "GIF88a is not a version", Kind::Text},
        KindCase{"Wave", "RIFF\x24\0\0\0WAVEfmt "s, Kind::Wav},
        KindCase{"Avi", "RIFF\x24\0\0\0AVI LIST"s, Kind::Avi},
        KindCase{"RiffOther", "RIFF\x24\0\0\0WEBPVP8 "s, Kind::Data},
        KindCase{"Ogg", "OggS\0\x02"s, Kind::Ogg},
        KindCase{"Id3", "ID3\x03\0\0\0\0\0\0"s, Kind::Mp3},
        KindCase{"Mp3Frame", "\xFF\xFB\x90\x64\0\0"s, Kind::Mp3},
        KindCase{"FrameReservedRate", "\xFF\xFB\x9C\x64\0\0"s, Kind::Data},
        KindCase{"Bik", "BIKi\0\0\x01\0"s, Kind::Bik},
        KindCase{"BikInText", "BIK. is a word here", Kind::Text},
        KindCase{"Dds", "DDS \x7C\0\0\0\x07\x10"s, Kind::Dds},
        KindCase{"DdsBadSize", "DDS \x7D\0\0\0\x07\x10"s, Kind::Data},
        KindCase{"Tga", kTga + "\1\2\3\4\5\6"s, Kind::Tga},
        KindCase{"TgaZeroWidth", "\0\0\x02\0\0\0\0\0\0\0\0\0\0\0\x01\0\x18\0"s, Kind::Data},
        KindCase{"TgaOddDepth", "\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x01\0\x11\0"s, Kind::Data},
        KindCase{"ZlibFastest", "\x78\x01\x01\0\0\xFF\xFF"s, Kind::Zlib},
        KindCase{"ZlibDefault", "\x78\x9C\x03\0"s, Kind::Zlib},
        KindCase{"ZlibBadChecksum", "\x78\x9D\x03\0"s, Kind::Data},
        KindCase{"ZlibNotDeflate", "\x79\x01\x03\0"s, Kind::Data},
        KindCase{"Gzip", "\x1F\x8B\x08\0\0\0"s, Kind::Gzip},
        KindCase{"Utf8Text", "caf\xC3\xA9\r\n\ttab", Kind::Text},
        KindCase{"Cp1252Text", "caf\xE9 \x80 5", Kind::Text},
        KindCase{"UndefinedCp1252", "abc\x81"s, Kind::Data},
        // U+0081 is valid UTF-8 but its second byte is undefined in Windows-1252.
        KindCase{"Utf8Only", "x\xC2\x81y", Kind::Text},
        KindCase{"Utf8CutAtEnd", "x\xC2\x81\xE2", Kind::Data},
        KindCase{"NulInText", "text\0more"s, Kind::Data},
        KindCase{"ControlInText", "text\x01more"s, Kind::Data}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Kind, OnlyTheFirst4KiBCount) {
  const std::string text(kKindBytes, 'a');
  // Cut inside the euro sign by the 4 KiB sample, not by the entry's end.
  const std::string cutInside = "\xC2\x81" + std::string(kKindBytes - 3, 'a') + "\xE2\x82\xAC";
  zpk::test::TempDir dir;
  ASSERT_TRUE(ArchiveWriter("K")
                  .Add("late-nul.txt", text + "\0\x01"s)
                  .Add("euro-cut.txt", cutInside)
                  .Add("early-nul.txt", "a\0"s + text)
                  .WriteFile(dir / "k.zpk"));
  auto file = ArchiveFile::Open(dir / "k.zpk");
  const auto catalogue = ReadCatalogue(*file);
  for (const auto& [slot, kind] : {std::pair{1, Kind::Text}, {2, Kind::Text}, {3, Kind::Data}}) {
    auto got = ReadKind(*file, *catalogue->entries.Slot(slot));
    ASSERT_TRUE(got);
    EXPECT_EQ(KindName(kind), KindName(*got)) << "slot " << slot;
  }
}

TEST(Kind, EntryOutsideTheFileIsAnError) {
  zpk::test::TempDir dir;
  ASSERT_TRUE(ArchiveWriter("K").Add(zpk::tools::RangedEntry("far", 1 << 20, 4)).WriteFile(dir / "k.zpk"));
  auto file = ArchiveFile::Open(dir / "k.zpk");
  const auto kind = ReadKind(*file, *ReadCatalogue(*file)->entries.Slot(1));
  ASSERT_FALSE(kind);
  EXPECT_EQ(ErrorCode::OutOfRange, kind.error().code);
}

// Kinds read a block at a time must be those read one entry at a time, whatever the
// layout: neighbours, a gap wider than a read, ranges that go back or leave the file.
TEST(Kind, ABlockAtATimeAgreesWithOneAtATime) {
  using zpk::tools::RangedEntry;
  zpk::tools::WriterEntry big;
  big.name = "big.bin";
  big.data.assign(3 << 20, std::byte{'a'});  // text: a wrong byte read anywhere shows
  // big's data comes first, behind the directory of 30 records. Entries 60 KiB apart in it
  // make one read of 1 MiB; the next begins inside that read and ends beyond it.
  constexpr std::int32_t kBigPos = 260 + 276 * 30, kKiB = 1024;
  ArchiveWriter writer("K");
  writer.Add(big);
  for (int k = 1; k <= 17; ++k) writer.Add(RangedEntry("step", kBigPos + k * 60 * kKiB, 5000));
  writer.Add(RangedEntry("across", kBigPos + 1022 * kKiB, 5000));
  writer.Add("a.bmp", kBmp).Add("b.txt", "text"s).Add("empty", ""s).Add("c.tga", kTga);
  writer.Add("after-gap.txt", std::string(kKindBytes + 9, 'a') + "\0"s);
  writer.Add(RangedEntry("header", 0, 300)).Add("d.bmp", kBmp).Add(RangedEntry("far", 1 << 30, 4));
  writer.Add(RangedEntry("negative", 260, -1)).Add(RangedEntry("record", 260 + 276, 276)).Add("e.txt", "e"s);
  zpk::test::TempDir dir;
  ASSERT_TRUE(writer.WriteFile(dir / "k.zpk"));
  auto file = ArchiveFile::Open(dir / "k.zpk");
  const auto layout = ReadDirectoryLayout(*file);
  ASSERT_TRUE(layout);
  KindBatch batch(*file);
  std::vector<std::optional<Kind>> kinds;
  std::size_t seen = 0;
  ASSERT_TRUE(ScanDirectoryBlocks(*file, *layout, [&](std::span<const EntryView> block) {
    batch.Read(block, kinds);
    for (std::size_t i = 0; i < block.size(); ++i, ++seen) {
      const auto& e = block[i];
      const auto one = ReadKind(*file, {std::string(e.name), e.Pos, e.Len, 0, 0, 0});
      const auto name = [](const std::optional<Kind>& k) { return k ? KindName(*k) : "(error)"; };
      EXPECT_EQ(name(one ? std::optional(*one) : std::nullopt), name(kinds[i])) << e.name;
    }
    return true;
  }));
  ASSERT_EQ(30u, seen);
  EXPECT_EQ(static_cast<std::uint64_t>(kBigPos), writer.DataOffsets()[0]);
}

TEST(Kind, NamesRoundTrip) {
  for (int k = 0; k <= static_cast<int>(Kind::Data); ++k) {
    const auto kind = static_cast<Kind>(k);
    EXPECT_EQ(kind, KindFromName(KindName(kind)));
    EXPECT_NE(std::string_view::npos, AllKindNames().find(KindName(kind)));
  }
  EXPECT_FALSE(KindFromName("PNG"));
}

}  // namespace
