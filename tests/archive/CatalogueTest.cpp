#include "archive/Catalogue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::archive;
using zpk::tools::ArchiveWriter;
using zpk::tools::WriterEntry;
using namespace std::string_literals;

struct CatalogueCase {
  const char* label;
  std::vector<std::byte> file;
  std::int32_t headerCount;
  std::vector<std::string> names;  // display names expected, in order
  bool directoryTruncated;
  bool headerTruncated;
};

void PrintTo(const CatalogueCase& c, std::ostream* os) { *os << c.label; }


std::vector<std::byte> Cut(std::vector<std::byte> bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

ArchiveWriter ThreeEntries() {
  ArchiveWriter w("THREE");
  w.Add("a.txt", "aaa").Add("b/c.txt", "bb").Add("d.bin", "d");
  return w;
}

std::vector<CatalogueCase> Cases() {
  WriterEntry noNul;
  noNul.name = std::string(256, 'n');
  WriterEntry startsWithNul;
  startsWithNul.rawNameField = "\0hidden"s;
  return {
      {"Normal", ThreeEntries().Bytes(), 3, {"a.txt", "b/c.txt", "d.bin"}, false, false},
      {"ZeroEntries", ArchiveWriter("E").Bytes(), 0, {}, false, false},
      {"NegativeCount", ThreeEntries().SetCount(-1).Bytes(), -1, {}, false, false},
      {"CountBeyondFile", ThreeEntries().SetCount(50).Bytes(), 50,
       {"a.txt", "b/c.txt", "d.bin"}, true, false},
      {"DirectoryCutInsideSecondEntry", Cut(ThreeEntries().Bytes(), 260 + 276 + 100), 3,
       {"a.txt"}, true, false},
      {"HeaderOnly", Cut(ThreeEntries().Bytes(), 260), 3, {}, true, false},
      {"HeaderCutShort", Cut(ThreeEntries().Bytes(), 259), 0, {}, false, true},
      {"EmptyFile", {}, 0, {}, false, true},
      {"NameWithoutNul", ArchiveWriter("X").Add(noNul).Bytes(), 1, {std::string(256, 'n')},
       false, false},
      {"NameStartingWithNul", ArchiveWriter("X").Add(startsWithNul).Bytes(), 1, {""}, false,
       false},
      {"SpacesAndDuplicates",
       ArchiveWriter("X").Add("  lead.wav", "1").Add("dup.txt", "2").Add("dup.txt", "3").Bytes(), 3,
       {"lead.wav", "dup.txt", "dup.txt"}, false, false},
  };
}

class CatalogueTable : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueTable, ReadsWhatTheFileHoldsAndNoMore) {
  const auto& c = GetParam();
  zpk::test::TempDir dir;
  const auto path = dir / "a.zpk";
  zpk::test::WriteFileBytes(path, c.file);

  auto catalogue = ReadCatalogue(path);
  ASSERT_TRUE(catalogue) << catalogue.error().message;
  EXPECT_EQ(catalogue->fileSize, c.file.size());
  EXPECT_EQ(catalogue->header.EntryCount, c.headerCount);
  EXPECT_EQ(catalogue->directoryTruncated, c.directoryTruncated);
  EXPECT_EQ(catalogue->headerTruncated, c.headerTruncated);
  ASSERT_EQ(catalogue->entries.size(), c.names.size());
  for (std::size_t k = 1; k <= c.names.size(); ++k) {
    EXPECT_EQ(DisplayName(catalogue->entries.NameAt(k)), c.names[k - 1]) << "slot " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Archives, CatalogueTable, ::testing::ValuesIn(Cases()),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(Catalogue, SlotZeroIsEmptyAndSlotsAreCopiesInDirectoryOrder) {
  zpk::test::TempDir dir;
  WriterEntry e;
  e.name = "x.bin";
  e.data = {std::byte{1}};
  e.field3 = 3;
  e.field4 = 4;
  e.field5 = -5;
  ArchiveWriter("ID").Add("first", "1").Add(e).WriteFile(dir / "a.zpk");
  auto catalogue = ReadCatalogue(dir / "a.zpk");
  ASSERT_TRUE(catalogue);
  const auto& table = catalogue->entries;

  const auto zero = table.Slot(0);
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->Name, "");
  EXPECT_EQ(zero->Pos, 0);
  EXPECT_EQ(zero->Len, 0);

  const auto second = table.Slot(2);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Name, "x.bin");
  EXPECT_EQ(second->Pos, 260 + 2 * 276 + 1);
  EXPECT_EQ(second->Len, 1);
  EXPECT_EQ(second->Field3, 3);
  EXPECT_EQ(second->Field4, 4);
  EXPECT_EQ(second->Field5, -5);

  EXPECT_FALSE(table.Slot(3));
  EXPECT_FALSE(table.Slot(-1));
}

TEST(Catalogue, ReadsBigDirectoriesAcrossBlockBoundariesInOrder) {
  zpk::test::TempDir dir;
  ArchiveWriter w("BIG");
  constexpr int kCount = 9001;  // a little over two read blocks
  for (int i = 0; i < kCount; ++i) {
    WriterEntry e;
    e.name = "file" + std::to_string(i);
    e.pos = i;
    e.len = kCount - i;
    w.Add(e);
  }
  w.WriteFile(dir / "big.zpk");
  auto catalogue = ReadCatalogue(dir / "big.zpk");
  ASSERT_TRUE(catalogue);
  ASSERT_EQ(catalogue->entries.size(), static_cast<std::size_t>(kCount));
  for (int i : {0, 3799, 3800, 3801, 7600, kCount - 1}) {
    const auto k = static_cast<std::size_t>(i + 1);
    EXPECT_EQ(catalogue->entries.NameAt(k), "file" + std::to_string(i));
    EXPECT_EQ(catalogue->entries.PosAt(k), i);
    EXPECT_EQ(catalogue->entries.LenAt(k), kCount - i);
  }
}

// A file cut inside its directory after it was opened: the read fails there, and what
// lay in front of the cut (the header, whole entries) is still given.
TEST(Catalogue, AReadErrorInTheDirectoryKeepsTheHeaderAndTheEntriesBeforeIt) {
  struct Cut {
    int entries;
    int wholeLeft;  // whole entries in front of the cut
  };
  for (const Cut cut : {Cut{5, 0}, Cut{5, 2}, Cut{5000, 3800}, Cut{5000, 3801}}) {
    SCOPED_TRACE(cut.wholeLeft);
    zpk::test::TempDir dir;
    ArchiveWriter w("KEPT");
    for (int i = 0; i < cut.entries; ++i) w.Add("e" + std::to_string(i), "x");
    w.WriteFile(dir / "cut.zpk");
    auto file = ArchiveFile::Open(dir / "cut.zpk");
    ASSERT_TRUE(file);
    std::filesystem::resize_file(dir / "cut.zpk", kHeaderSize + cut.wholeLeft * kEntrySize + 100);

    const CatalogueSoFar read = ReadCatalogueSoFar(*file);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->code, ErrorCode::CantRead);
    EXPECT_EQ(read.catalogue.header.ID.substr(0, 5), "KEPT"s + '\0');
    EXPECT_EQ(read.catalogue.header.EntryCount, cut.entries);
    ASSERT_EQ(read.catalogue.entries.size(), static_cast<std::size_t>(cut.wholeLeft));
    if (cut.wholeLeft > 0) {
      EXPECT_EQ(read.catalogue.entries.NameAt(read.catalogue.entries.size()),
                "e" + std::to_string(cut.wholeLeft - 1));
    }
    EXPECT_FALSE(ReadCatalogue(*file));  // the plain read still fails as a whole
  }
}

TEST(Catalogue, AHugeCountInASmallFileAllocatesOnlyForWhatIsThere) {
  zpk::test::TempDir dir;
  ArchiveWriter w("LIAR");
  w.Add("a", "1").SetCount(INT_MAX);
  w.WriteFile(dir / "liar.zpk");
  auto catalogue = ReadCatalogue(dir / "liar.zpk");
  ASSERT_TRUE(catalogue);
  EXPECT_EQ(catalogue->entries.size(), 1u);
  EXPECT_LT(catalogue->entries.MemoryBytes(), 64u * 1024u);
}

TEST(Catalogue, MissingFileAndFolderAreOpenErrors) {
  zpk::test::TempDir dir;
  auto missing = ReadCatalogue(dir / "nope.zpk");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().code, ErrorCode::CantOpen);
  EXPECT_NE(missing.error().message.find("nope.zpk"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "nope.zpk"));

  auto folder = ReadCatalogue(dir.path());
  ASSERT_FALSE(folder);
  EXPECT_EQ(folder.error().code, ErrorCode::CantOpen);
}

}  // namespace
