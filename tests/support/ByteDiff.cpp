#include "support/ByteDiff.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zpk::test {

namespace {
std::string HexLine(std::span<const std::byte> bytes, std::size_t from) {
  std::string line;
  char cell[8];
  std::snprintf(cell, sizeof cell, "%06zx:", from);
  line += cell;
  for (std::size_t i = from; i < std::min(bytes.size(), from + 16); ++i) {
    std::snprintf(cell, sizeof cell, " %02x", static_cast<unsigned>(bytes[i]));
    line += cell;
  }
  return line;
}
}  // namespace

::testing::AssertionResult BytesEqual(std::span<const std::byte> expected,
                                      std::span<const std::byte> actual) {
  const auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  if (mismatch.first == expected.end() && mismatch.second == actual.end()) {
    return ::testing::AssertionSuccess();
  }
  const auto at = static_cast<std::size_t>(mismatch.first - expected.begin());
  const std::size_t row = at & ~std::size_t{15};
  return ::testing::AssertionFailure()
         << "sizes " << expected.size() << " (expected) and " << actual.size()
         << " (actual); first difference at byte " << at << "\n  expected " << HexLine(expected, row)
         << "\n  actual   " << HexLine(actual, row);
}

}  // namespace zpk::test
