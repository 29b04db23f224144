// The number formats at their edges; the everyday values are seen in the window's labels
// (CatalogueTest, ResourceInfoTest).
#include <gtest/gtest.h>

#include <QLocale>
#include <cstdint>
#include <limits>
#include <utility>

#include "app/NumberFormat.h"

namespace zpk::app {
namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

TEST(Grouped, BeyondNineDigitsNegativeAndOtherSeparators) {
  const std::pair<std::int64_t, const char*> rows[] = {
      {-1500, "-1,500"}, {12345678901LL, "12,345,678,901"},
      {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(FormatGrouped(value, kUs), text) << value;
  EXPECT_EQ(FormatGrouped(1234567, QLocale(QLocale::French, QLocale::France)), "1\u202F234\u202F567");
}

TEST(Hex, TwosComplementOfTheSmallest) { EXPECT_EQ(FormatHex(INT32_MIN), "80000000"); }

// Whole kilobytes plus one, so that no file shows as 0 Kb.
TEST(SizeKb, WholeKilobytesPlusOne) {
  const std::pair<std::uint64_t, const char*> rows[] = {
      {0, "1 Kb"}, {1023, "1 Kb"}, {1024, "2 Kb"}, {5ULL << 30, "5,242,881 Kb"}};
  for (const auto& [bytes, text] : rows) EXPECT_EQ(FormatSizeKb(bytes, kUs), text) << bytes;
}

TEST(FileDate, MidnightGivesTheDateAlone) {
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 3, 9), QTime(0, 0, 0, 400)), kGerman), "09.03.24");
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 3, 9), QTime(0, 0, 1)), kGerman), "09.03.24 00:00:01");
}

}  // namespace
}  // namespace zpk::app
