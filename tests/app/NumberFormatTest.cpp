// The number pattern "###,###,###", hexadecimal with two's complement, the size label
// and the date label, in several regional settings.
#include <gtest/gtest.h>

#include <QLocale>
#include <cstdint>
#include <limits>
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

struct HexCase {
  std::string name;
  std::int32_t value;
  QString expected;
};

class HexTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexTest, UpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(FormatHex(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hex, HexTest,
    ::testing::Values(HexCase{"Zero", 0, "0"},
                      HexCase{"Letters", 1500, "5DC"},
                      HexCase{"MinusOneIsTwosComplement", -1, "FFFFFFFF"},
                      HexCase{"Int32Min", std::numeric_limits<std::int32_t>::min(), "80000000"},
                      HexCase{"Int32Max", std::numeric_limits<std::int32_t>::max(), "7FFFFFFF"}),
    [](const auto& row) { return row.param.name; });

struct SizeCase {
  std::string name;
  std::uint64_t bytes;
  QString expected;
};

class SizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTest, WholeKilobytesPlusOne) {
  EXPECT_EQ(FormatSizeKb(GetParam().bytes, kUs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Size, SizeTest,
    ::testing::Values(SizeCase{"EmptyFile", 0, "1 Kb"}, SizeCase{"JustUnderOneKb", 1023, "1 Kb"},
                      SizeCase{"ExactlyOneKb", 1024, "2 Kb"},
                      SizeCase{"FiveMillionBytes", 5000000, "4,883 Kb"},
                      SizeCase{"BeyondFourGiB", 5ULL * 1024 * 1024 * 1024, "5,242,881 Kb"}),
    [](const auto& row) { return row.param.name; });

TEST(FileDate, ShortDateAndLongTimeWithoutZone) {
  const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
  const QString text = FormatFileDate(when, kUs);
  EXPECT_EQ(text.left(text.indexOf(u' ')), kUs.toString(when.date(), QLocale::ShortFormat));
  EXPECT_TRUE(text.contains(QStringLiteral("2:05:07"))) << text.toStdString();
  EXPECT_FALSE(text.contains(when.timeZoneAbbreviation())) << text.toStdString();
}

TEST(FileDate, GermanUsesItsOwnOrder) {
  const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
  EXPECT_EQ(FormatFileDate(when, kGerman), QStringLiteral("09.03.24 14:05:07"));
}

TEST(FileDate, MidnightGivesTheDateAlone) {
  const QDateTime midnight(QDate(2024, 3, 9), QTime(0, 0, 0, 400));
  EXPECT_EQ(FormatFileDate(midnight, kGerman), QStringLiteral("09.03.24"));
  const QDateTime oneSecondLater(QDate(2024, 3, 9), QTime(0, 0, 1));
  EXPECT_EQ(FormatFileDate(oneSecondLater, kGerman), QStringLiteral("09.03.24 00:00:01"));
}

}  // namespace
}  // namespace zpk::app
