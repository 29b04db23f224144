#include "dialogs/TranslationTag.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Case rows print as their label in failure messages.
template <typename Case>
  requires requires(const Case& c) { c.label; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.label;
}

using namespace zpk::dialogs;

struct SplitCase {
  const char* label;
  std::string tag;
  std::vector<std::string> alternatives;
  TagKind kind;
};

const SplitCase kSplitCases[] = {
    {"Empty", "", {}, TagKind::Untranslated},
    {"Bang", "!", {"!"}, TagKind::Untranslated},
    {"NoBar", "Hilfe", {"Hilfe"}, TagKind::Untranslated},
    {"HelpButton", "Hilfe||Help|", {"Hilfe", "", "Help", ""}, TagKind::FourWay},
    {"TwoAlternatives", "Weiter|Next", {"Weiter", "Next"}, TagKind::Malformed},
    {"ThreeBarsOnly", "|||", {"", "", "", ""}, TagKind::FourWay},
    {"FiveAlternatives", "a|b|c|d|e", {"a", "b", "c", "d", "e"}, TagKind::Malformed},
    {"BangWithBar", "!|x", {"!", "x"}, TagKind::Malformed},
    {"Utf8Kept", "Gr\xC3\xB6\xC3\x9F" "e|Tipp|Size|Hint", {"Gr\xC3\xB6\xC3\x9F" "e", "Tipp", "Size", "Hint"},
     TagKind::FourWay},
};

class SplitTagTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTagTest, AlternativesAndKind) {
  const SplitCase& c = GetParam();
  const auto parts = SplitTag(c.tag);
  EXPECT_EQ(std::vector<std::string>(parts.begin(), parts.end()), c.alternatives);
  EXPECT_EQ(ClassifyControlTag(c.tag), c.kind);
  EXPECT_EQ(IsUntranslatedTag(c.tag), c.kind == TagKind::Untranslated);
}

INSTANTIATE_TEST_SUITE_P(Tags, SplitTagTest, testing::ValuesIn(kSplitCases),
                         [](const auto& row) { return std::string(row.param.label); });

struct FourWayCase {
  const char* label;
  std::string tag;
  std::int32_t language;
  std::optional<std::string> caption;
  bool fitWidth;
  std::optional<std::string> tooltip;
};

const FourWayCase kFourWayCases[] = {
    {"GermanWithoutTooltip", "Hilfe||Help|", 0, "Hilfe", false, std::nullopt},
    {"EnglishWithoutTooltip", "Hilfe||Help|", 1, "Help", false, std::nullopt},
    {"EnglishTooltip", "Weiter|Zur n\xC3\xA4" "chsten Seite|Next|To the next page", 1, "Next", false,
     "To the next page"},
    {"TildeFitsWidth", "~Weiter|Tipp|~Next|Hint", 1, "Next", true, "Hint"},
    {"TildeOnlyInOtherLanguage", "~Weiter|Tipp|Next|Hint", 1, "Next", false, "Hint"},
    {"OnlyTildeLeavesEmptyCaption", "~|||", 0, "", true, std::nullopt},
    {"SecondTildeStays", "~~Weiter|||", 0, "~Weiter", true, std::nullopt},
    {"NegativeLanguage", "Hilfe||Help|", -1, std::nullopt, false, std::nullopt},
    {"HugeLanguage", "Hilfe||Help|", 2147483647, std::nullopt, false, std::nullopt},
};

class FourWayTest : public testing::TestWithParam<FourWayCase> {};

TEST_P(FourWayTest, CaptionTooltipAndFitting) {
  const FourWayCase& c = GetParam();
  const auto parts = SplitTag(c.tag);
  const FourWayChoice choice = ChooseFourWay(parts, c.language);
  EXPECT_EQ(choice.caption.has_value(), c.caption.has_value());
  if (choice.caption && c.caption) {
    EXPECT_EQ(std::string(*choice.caption), *c.caption);
  }
  EXPECT_EQ(choice.fitWidth, c.fitWidth);
  EXPECT_EQ(choice.tooltip.has_value(), c.tooltip.has_value());
  if (choice.tooltip && c.tooltip) {
    EXPECT_EQ(std::string(*choice.tooltip), *c.tooltip);
  }
}

INSTANTIATE_TEST_SUITE_P(Tags, FourWayTest, testing::ValuesIn(kFourWayCases),
                         [](const auto& row) { return std::string(row.param.label); });

struct PagedCase {
  const char* label;
  std::int64_t count;
  std::int32_t language;
  std::int64_t position;
  std::optional<std::string> expected;
};

// Three tab pages: German "A B C", English "D E F".
const PagedCase kPagedCases[] = {
    {"GermanLast", 3, 0, 2, "C"},
    {"EnglishFirstIsThree", 3, 1, 0, "D"},
    {"EnglishLastIsFive", 3, 1, 2, "F"},
    {"LanguageTwoBeyond", 3, 2, 0, std::nullopt},
    {"MoreHeadersThanTag", 4, 1, 2, std::nullopt},
    {"NegativeLanguage", 3, -1, 2, std::nullopt},
    {"NegativeCount", -3, 1, 0, std::nullopt},
    {"HugeLanguageNoOverflow", 3, 2147483647, 0, std::nullopt},
    // Found by the tags fuzz target: the sum overflowed before it was range-checked.
    {"HugeNegativePositionNoOverflow", 3, -2147483647 - 1, INT64_MIN + 1, std::nullopt},
    {"HugePositionNoOverflow", 1 << 30, 2147483647, INT64_MAX, std::nullopt},
};

class PagedAlternativeTest : public testing::TestWithParam<PagedCase> {};

TEST_P(PagedAlternativeTest, PicksCountTimesLanguagePlusPosition) {
  const PagedCase& c = GetParam();
  const auto parts = SplitTag("A|B|C|D|E|F");
  const auto got = PagedAlternative(parts, c.count, c.language, c.position);
  ASSERT_EQ(got.has_value(), c.expected.has_value());
  if (got) {
    EXPECT_EQ(std::string(*got), *c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Tags, PagedAlternativeTest, testing::ValuesIn(kPagedCases),
                         [](const auto& row) { return std::string(row.param.label); });

}  // namespace
