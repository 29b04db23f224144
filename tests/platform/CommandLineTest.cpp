#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/RowName.h"

namespace {

using zpk::platform::QuoteArgument;
using zpk::platform::SplitCommandLine;
using Args = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string text;
  Args expected;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsTheWindowsRuntimeDoes) {
  EXPECT_EQ(SplitCommandLine(GetParam().text), GetParam().expected) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"BlanksAndTabsSeparateOnce", "  a \t b\t\tc  ", {"a", "b", "c"}},
        SplitCase{"QuotesInsideAWordJoin", "a\"b c\"d e", {"ab cd", "e"}},
        SplitCase{"UnterminatedQuoteRunsToTheEnd", "\"a b", {"a b"}},
        SplitCase{"DoubledQuoteInsideQuotesIsLiteral", "\"a\"\"b\" c", {"a\"b", "c"}},
        SplitCase{"ShellCharactersAreOrdinary", "x;rm -rf ~ $(id) `id` |cat >out &",
                  {"x;rm", "-rf", "~", "$(id)", "`id`", "|cat", ">out", "&"}},
        SplitCase{"NewlineIsNoBlank", "a\nb c", {"a\nb", "c"}}), zpk::test::RowName());

// Only what needs quotes gets them; that every text comes back is the property below.
TEST(QuoteArgument, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(QuoteArgument("ship.bmp"), "ship.bmp");
  EXPECT_EQ(QuoteArgument("my ship.bmp"), "\"my ship.bmp\"");
}

// Every text, however odd (empty, quotes, backslashes before them or at the end), comes back
// as itself, also next to other arguments: this is what tells the backslash rules.
TEST(QuoteArgumentProperty, SplitGivesBackWhatWasQuoted) {
  std::mt19937 random(20261206);
  const std::string alphabet = "ab \t\"\\;$'\n-*\xC3\xA9";
  for (int round = 0; round < 20000; ++round) {
    Args args(1 + random() % 3);
    for (auto& arg : args) {
      const auto length = random() % 12;
      for (unsigned i = 0; i < length; ++i) arg.push_back(alphabet[random() % alphabet.size()]);
    }
    std::string text;
    for (const auto& arg : args) text += (text.empty() ? "" : " ") + QuoteArgument(arg);
    ASSERT_EQ(SplitCommandLine(text), args) << "text: " << text;
  }
}

}  // namespace
