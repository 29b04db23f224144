// The number pattern "###,###,###", hexadecimal with two's complement, the size label
// and the date label, in several regional settings.
#include <gtest/gtest.h>

#include <QLocale>
#include <cstdint>
#include <limits>
#include <utility>
#include <string>

#include "app/NumberFormat.h"

namespace zpk::app {
namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kFrench(QLocale::French, QLocale::France);

struct GroupedCase {
  std::string name;
  std::int64_t value;
  QLocale locale;
  QString expected;
};

class GroupedTest : public ::testing::TestWithParam<GroupedCase> {};

TEST_P(GroupedTest, FormatsWithTheLocalesSeparator) {
  EXPECT_EQ(FormatGrouped(GetParam().value, GetParam().locale), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pattern, GroupedTest,
    ::testing::Values(
        GroupedCase{"ZeroIsEmpty", 0, kUs, ""},
        GroupedCase{"ThreeDigitsNoSeparator", 999, kUs, "999"},
        GroupedCase{"FourDigits", 4096, kUs, "4,096"},
        GroupedCase{"GermanDot", 1234567, kGerman, "1.234.567"},
        GroupedCase{"FrenchNarrowSpace", 1234567, kFrench, "1\u202F234\u202F567"},
        GroupedCase{"Negative", -1500, kUs, "-1,500"},
        GroupedCase{"BeyondNineDigits", 12345678901LL, kUs, "12,345,678,901"},
        GroupedCase{"Int64Min", std::numeric_limits<std::int64_t>::min(), kUs,
                    "-9,223,372,036,854,775,808"}),
    [](const auto& row) { return row.param.name; });

TEST(Hex, UpperCaseTwosComplementWithoutLeadingZeros) {
  const std::pair<std::int32_t, const char*> rows[] = {
      {0, "0"}, {1500, "5DC"}, {-1, "FFFFFFFF"}, {INT32_MIN, "80000000"}, {INT32_MAX, "7FFFFFFF"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(FormatHex(value), text) << value;
}

// Whole kilobytes plus one, so that no file shows as 0 Kb.
TEST(SizeKb, WholeKilobytesPlusOne) {
  const std::pair<std::uint64_t, const char*> rows[] = {
      {0, "1 Kb"}, {1023, "1 Kb"}, {1024, "2 Kb"}, {5000000, "4,883 Kb"}, {5ULL << 30, "5,242,881 Kb"}};
  for (const auto& [bytes, text] : rows) EXPECT_EQ(FormatSizeKb(bytes, kUs), text) << bytes;
}

TEST(FileDate, ShortDateAndLongTimeWithoutZone) {
  const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
  const QString text = FormatFileDate(when, kUs);
  EXPECT_EQ(text.left(text.indexOf(u' ')), kUs.toString(when.date(), QLocale::ShortFormat));
  EXPECT_TRUE(text.contains(QStringLiteral("2:05:07"))) << text.toStdString();
  EXPECT_FALSE(text.contains(when.timeZoneAbbreviation())) << text.toStdString();
}

TEST(FileDate, GermanUsesItsOwnOrderAndMidnightGivesTheDateAlone) {
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)), kGerman),
            QStringLiteral("09.03.24 14:05:07"));
  const QDateTime midnight(QDate(2024, 3, 9), QTime(0, 0, 0, 400));
  EXPECT_EQ(FormatFileDate(midnight, kGerman), QStringLiteral("09.03.24"));
  const QDateTime oneSecondLater(QDate(2024, 3, 9), QTime(0, 0, 1));
  EXPECT_EQ(FormatFileDate(oneSecondLater, kGerman), QStringLiteral("09.03.24 00:00:01"));
}

}  // namespace
}  // namespace zpk::app
