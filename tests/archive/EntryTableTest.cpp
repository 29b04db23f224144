// The entry table filled record by record, emptied, and error texts for display.
#include <gtest/gtest.h>

#include <string>

#include "archive/EntryTable.h"
#include "archive/Error.h"

namespace {

using namespace zpk::archive;
using namespace std::string_literals;

TEST(EntryTable, AppendedRecordsKeepTheirNumbersAndLoseWhatFollowsANul) {
  EntryTable table;
  table.Append(ArchiveEntry{"gfx/ship.bmp\0junk"s, 4096, 1500, 1, -2, 3});
  table.Append(ArchiveEntry{"\0hidden"s, -1, -1, 0, 0, 0});
  ASSERT_EQ(table.size(), 2u);
  const auto first = table.Slot(1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Name, "gfx/ship.bmp");
  EXPECT_EQ(first->Pos, 4096);
  EXPECT_EQ(first->Len, 1500);
  EXPECT_EQ(first->Field3, 1);
  EXPECT_EQ(first->Field4, -2);
  EXPECT_EQ(first->Field5, 3);
  EXPECT_EQ(table.NameAt(2), "");
  EXPECT_EQ(table.PosAt(2), -1);
  EXPECT_EQ(table.LenAt(2), -1);
}

TEST(EntryTable, ClearLeavesOnlyTheEmptySlotZeroAndGivesTheMemoryBack) {
  EntryTable table;
  for (int i = 0; i < 1000; ++i) table.Append("name" + std::to_string(i), i, 1, 0, 0, 0);
  ASSERT_GT(table.MemoryBytes(), 0u);
  table.Clear();
  EXPECT_TRUE(table.empty());
  EXPECT_LE(table.MemoryBytes(), std::string().capacity());  // at most a short-string buffer
  EXPECT_TRUE(table.Slot(0));
  EXPECT_FALSE(table.Slot(1));
  table.Append("again", 7, 0, 0, 0, 0);
  EXPECT_EQ(table.Slot(1)->Name, "again");
}

struct DescribeCase {
  const char* label;
  Error error;
  std::string expected;
};

class DescribeTest : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(DescribeTest, NamesTheOffsetOnlyWhenThereIsOne) {
  EXPECT_EQ(Describe(GetParam().error), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, DescribeTest,
    ::testing::Values(DescribeCase{"NoOffset", {ErrorCode::CantOpen, "can't open 'x'"}, "can't open 'x'"},
                      DescribeCase{"OffsetZero", {ErrorCode::CantRead, "read failed", 0}, "read failed (at byte 0)"},
                      DescribeCase{"LargeOffset",
                                   {ErrorCode::OutOfRange, "beyond the end", 4294967296},
                                   "beyond the end (at byte 4294967296)"}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
