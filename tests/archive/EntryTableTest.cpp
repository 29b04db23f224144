// The entry table emptied, and error texts for display.
#include <gtest/gtest.h>

#include <string>

#include "archive/EntryTable.h"
#include "archive/Error.h"

namespace {

using namespace zpk::archive;

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

TEST(Describe, NamesTheOffsetOnlyWhenThereIsOne) {
  EXPECT_EQ(Describe({ErrorCode::CantOpen, "can't open 'x'"}), "can't open 'x'");
  EXPECT_EQ(Describe({ErrorCode::CantRead, "read failed", 0}), "read failed (at byte 0)");
  EXPECT_EQ(Describe({ErrorCode::OutOfRange, "beyond the end", 4294967296}),
            "beyond the end (at byte 4294967296)");
}

}  // namespace
