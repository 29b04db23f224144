// Names kept in the entry table, and error texts for display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/EntryTable.h"
#include "archive/Error.h"

namespace {

using namespace zpk::archive;

// Names are kept coded against the name before; every kind of neighbour must come back
// whole, across the points where a name is stored in full.
TEST(EntryTable, NamesComeBackWhateverTheirNeighbours) {
  const std::string long256(256, 'x'), long256b = std::string(255, 'x') + "y";
  const std::vector<std::string> names = {
      "gfx/units/ship.bmp", "gfx/units/ship.bmp", "gfx/units/shipyard.bmp", "gfx/units/", "", "gfx",
      long256, long256b, long256, long256, "x", std::string(100, 'm'), "caf\xE9\x81 \x01", "caf\xE9\x81 \x02",
      std::string(200, 'a'), std::string(200, 'a') + "b", "b", "a/b/c", "a/b/c/d", "a/b", "gfx/units/ship.bmp"};
  EntryTable table;
  for (int round = 0; round < 3; ++round) {  // three rounds: names at every offset from a restart
    for (std::size_t i = 0; i < names.size(); ++i) table.Append(names[i], static_cast<std::int32_t>(i), 0, 0, 0, 0);
  }
  ASSERT_EQ(3 * names.size(), table.size());
  for (std::size_t k = 1; k <= table.size(); ++k) {
    EXPECT_EQ(names[(k - 1) % names.size()], table.NameAt(k)) << "slot " << k;
    EXPECT_EQ(static_cast<std::int32_t>((k - 1) % names.size()), table.PosAt(k));
  }
}

TEST(Describe, NamesTheOffsetOnlyWhenThereIsOne) {
  EXPECT_EQ(Describe({ErrorCode::CantOpen, "can't open 'x'"}), "can't open 'x'");
  EXPECT_EQ(Describe({ErrorCode::CantRead, "read failed", 0}), "read failed (at byte 0)");
  EXPECT_EQ(Describe({ErrorCode::OutOfRange, "beyond the end", 4294967296}),
            "beyond the end (at byte 4294967296)");
}

}  // namespace
