#include "archive/Catalogue.h"

#include <gtest/gtest.h>

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

// Cuts at every boundary are the truncation sweep's; these are the fields it can't reach.
TEST(Catalogue, ReadsWhatTheFileHoldsAndNoMore) {
  WriterEntry noNul;
  noNul.name = std::string(256, 'n');
  WriterEntry startsWithNul;
  startsWithNul.rawNameField = "\0hidden"s;
  const struct {
    const char* label;
    ArchiveWriter writer;
    std::vector<std::string> names;  // display names expected, in order
    bool directoryTruncated;
  } cases[] = {
      {"negative count", ArchiveWriter("N").Add("a.txt", "a").SetCount(-1), {}, false},
      // Nothing is allocated for entries the file can't hold.
      {"huge count", ArchiveWriter("H").Add("a.txt", "a").SetCount(INT_MAX), {"a.txt"}, true},
      {"name without NUL", ArchiveWriter("X").Add(noNul), {std::string(256, 'n')}, false},
      {"name starting with NUL", ArchiveWriter("X").Add(startsWithNul), {""}, false},
  };
  zpk::test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(c.writer.WriteFile(dir / "a.zpk"));
    auto catalogue = ReadCatalogue(dir / "a.zpk");
    ASSERT_TRUE(catalogue) << catalogue.error().message;
    EXPECT_EQ(catalogue->directoryTruncated, c.directoryTruncated);
    EXPECT_LT(catalogue->entries.MemoryBytes(), 64u * 1024u);
    ASSERT_EQ(catalogue->entries.size(), c.names.size());
    for (std::size_t k = 1; k <= c.names.size(); ++k) {
      EXPECT_EQ(DisplayName(catalogue->entries.NameAt(k)), c.names[k - 1]) << "slot " << k;
    }
    // Slot 0 is the empty entry; there is none past the last or below 0.
    EXPECT_EQ(catalogue->entries.Slot(0)->Name, "");
    EXPECT_EQ(catalogue->entries.Slot(0)->Pos, 0);
    EXPECT_FALSE(catalogue->entries.Slot(static_cast<std::int64_t>(c.names.size()) + 1));
    EXPECT_FALSE(catalogue->entries.Slot(-1));
  }
}

// A directory is read in blocks: entries on both sides of a block boundary come back in
// order, and a file cut inside the directory after it was opened fails the read there,
// keeping what lay in front of the cut (the header, whole entries).
TEST(Catalogue, ReadsBigDirectoriesInOrderAndKeepsWhatLiesBeforeACut) {
  constexpr int kCount = 9001;  // a little over two read blocks
  ArchiveWriter w("KEPT");
  for (int i = 0; i < kCount; ++i) w.Add(zpk::tools::RangedEntry("e" + std::to_string(i), i, kCount - i));
  zpk::test::TempDir dir;
  ASSERT_TRUE(w.WriteFile(dir / "whole.zpk"));
  const auto expectEntry = [](const EntryTable& entries, int i) {
    const auto k = static_cast<std::size_t>(i + 1);
    EXPECT_EQ(entries.NameAt(k), "e" + std::to_string(i));
    EXPECT_EQ(entries.PosAt(k), i);
    EXPECT_EQ(entries.LenAt(k), kCount - i);
  };
  const auto whole = ReadCatalogue(dir / "whole.zpk");
  ASSERT_TRUE(whole);
  ASSERT_EQ(whole->entries.size(), static_cast<std::size_t>(kCount));
  for (int i : {0, 3799, 3800, 3801, 7600, kCount - 1}) expectEntry(whole->entries, i);

  for (const int wholeLeft : {0, 2, 3800, 3801}) {
    SCOPED_TRACE(wholeLeft);
    zpk::test::WriteFileBytes(dir / "cut.zpk", w.Bytes());
    auto file = ArchiveFile::Open(dir / "cut.zpk");
    ASSERT_TRUE(file);
    std::filesystem::resize_file(dir / "cut.zpk", kHeaderSize + wholeLeft * kEntrySize + 100);
    const CatalogueSoFar read = ReadCatalogueSoFar(*file);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->code, ErrorCode::CantRead);
    EXPECT_EQ(read.catalogue.header.ID.substr(0, 5), "KEPT"s + '\0');
    EXPECT_EQ(read.catalogue.header.EntryCount, kCount);
    ASSERT_EQ(read.catalogue.entries.size(), static_cast<std::size_t>(wholeLeft));
    if (wholeLeft > 0) expectEntry(read.catalogue.entries, wholeLeft - 1);
    EXPECT_FALSE(ReadCatalogue(*file));  // the plain read still fails as a whole
  }
}

TEST(Catalogue, MissingFileAndFolderAreOpenErrors) {
  zpk::test::TempDir dir;
  for (const auto& path : {dir / "nope.zpk", dir.path()}) {
    auto catalogue = ReadCatalogue(path);
    ASSERT_FALSE(catalogue);
    EXPECT_EQ(catalogue.error().code, ErrorCode::CantOpen);
    EXPECT_NE(catalogue.error().message.find(path.filename().string()), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "nope.zpk"));
}

}  // namespace
