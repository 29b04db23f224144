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

// 18-byte TGA header: no colour map, true-colour, 2x1 pixels of 24 bits.
const std::string kTga = "\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x01\0\x18\0"s;
const std::string kBmp = "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"s;

const std::string kText4K(kKindBytes, 'a');
// A whole entry of exactly 4 KiB ending inside a character: cut, not merely sampled. (The
// U+0081 keeps it from passing as Windows-1252.)
const std::string kCutAt4K = "\xC2\x81" + kText4K.substr(3) + "\xE2";

// One archive holds every case, each an entry of its own.
TEST(Kind, NamesTheKindFromTheFirstBytes) {
  const KindCase cases[] = {
      {"Empty", "", Kind::Empty},
      {"Bmp", kBmp + "pixels", Kind::Bmp},
      {"BmInText", "BMW cars are fast, more than 18 bytes\n", Kind::Text},
      {"BmBadInfoSize", "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x29\0\0\0"s, Kind::Data},
      {"Png", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s, Kind::Png},
      {"PngWithoutCrLf", "\x89PNG\n\x1A\n\0"s, Kind::Data},
      {"Jpeg", "\xFF\xD8\xFF\xE0\0\x10JFIF"s, Kind::Jpeg},
      {"Gif89", "GIF89a\x01\0\x01\0"s, Kind::Gif},
      {"Gif88IsText", "GIF88a is not a version", Kind::Text},
      {"Wave", "RIFF\x24\0\0\0WAVEfmt "s, Kind::Wav},
      {"Avi", "RIFF\x24\0\0\0AVI LIST"s, Kind::Avi},
      {"RiffOther", "RIFF\x24\0\0\0WEBPVP8 "s, Kind::Data},
      {"Ogg", "OggS\0\x02"s, Kind::Ogg},
      {"Id3", "ID3\x03\0\0\0\0\0\0"s, Kind::Mp3},
      {"Mp3Frame", "\xFF\xFB\x90\x64\0\0"s, Kind::Mp3},
      {"FrameReservedRate", "\xFF\xFB\x9C\x64\0\0"s, Kind::Data},
      {"Bik", "BIKi\0\0\x01\0"s, Kind::Bik},
      {"BikInText", "BIK. is a word here", Kind::Text},
      {"Dds", "DDS \x7C\0\0\0\x07\x10"s, Kind::Dds},
      {"DdsBadSize", "DDS \x7D\0\0\0\x07\x10"s, Kind::Data},
      {"Tga", kTga + "\1\2\3\4\5\6"s, Kind::Tga},
      {"TgaZeroWidth", "\0\0\x02\0\0\0\0\0\0\0\0\0\0\0\x01\0\x18\0"s, Kind::Data},
      {"TgaOddDepth", "\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x01\0\x11\0"s, Kind::Data},
      {"ZlibFastest", "\x78\x01\x01\0\0\xFF\xFF"s, Kind::Zlib},
      {"ZlibBadChecksum", "\x78\x9D\x03\0"s, Kind::Data},
      {"ZlibNotDeflate", "\x79\x01\x03\0"s, Kind::Data},
      {"Gzip", "\x1F\x8B\x08\0\0\0"s, Kind::Gzip},
      {"Utf8Text", "caf\xC3\xA9\r\n\ttab", Kind::Text},
      {"Cp1252Text", "caf\xE9 \x80 5", Kind::Text},
      {"UndefinedCp1252", "abc\x81"s, Kind::Data},
      // U+0081 is valid UTF-8 but its second byte is undefined in Windows-1252.
      {"Utf8Only", "x\xC2\x81y", Kind::Text},
      {"Utf8CutAtEnd", "x\xC2\x81\xE2", Kind::Data},
      {"ControlInText", "text\x01more"s, Kind::Data},
      // Only the first 4 KiB count: a NUL after them, or a character they cut, is no fault.
      {"LateNul", kText4K + "\0\x01"s, Kind::Text},
      {"EuroCutBySample", "\xC2\x81" + kText4K.substr(3) + "\xE2\x82\xAC", Kind::Text},
      {"EarlyNul", "a\0"s + kText4K, Kind::Data},
      {"CutAtExactly4K", kCutAt4K, Kind::Data},
  };
  ArchiveWriter writer("K");
  for (const auto& c : cases) writer.Add(c.label, c.data);
  zpk::test::TempDir dir;
  ASSERT_TRUE(writer.WriteFile(dir / "k.zpk"));
  auto file = ArchiveFile::Open(dir / "k.zpk");
  ASSERT_TRUE(file);
  const auto catalogue = ReadCatalogue(*file);
  ASSERT_TRUE(catalogue);
  for (std::size_t k = 1; k <= std::size(cases); ++k) {
    const auto kind = ReadKind(*file, *catalogue->entries.Slot(static_cast<std::int64_t>(k)));
    ASSERT_TRUE(kind) << kind.error().message;
    EXPECT_EQ(KindName(cases[k - 1].kind), KindName(*kind)) << cases[k - 1].label;
  }
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
  writer.Add(RangedEntry("negative", 260, -1)).Add(RangedEntry("record", 260 + 276, 276)).Add("cut", kCutAt4K);
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
