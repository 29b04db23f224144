#include "archive/Probe.h"

#include <gtest/gtest.h>

namespace {

using namespace zpk::archive;

// Only the two bytes of the lowest zlib level, in that order, look encrypted. Reading the
// two bytes (negative or past-the-end positions included) is checked against the file's own
// bytes by the damage sweeps, and probes of real entries by the window's and zpk's tests.
TEST(Probe, OnlyTheLowestZlibLevelLooksEncrypted) {
  const std::pair<std::array<std::uint8_t, 2>, Verdict> rows[] = {
      {{0x78, 0x01}, Verdict::Encrypted},
      {{0x78, 0x9C}, Verdict::ProbablyOk},  // zlib at the default level
      {{0x79, 0x01}, Verdict::ProbablyOk},
      {{0x01, 0x78}, Verdict::ProbablyOk},
  };
  for (const auto& [bytes, verdict] : rows) {
    EXPECT_EQ(VerdictOf({std::byte{bytes[0]}, std::byte{bytes[1]}}), verdict) << int{bytes[0]} << " " << int{bytes[1]};
  }
}

}  // namespace
