// The extraction-name rules, as a table of names and what becomes of them. Names kept as
// they are (spaces, dots inside a level) are also the Windows-name table's, which passes
// each of its names through this rule first.
#include "cli/SafeName.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/ExtractTarget.h"
#include "support/RowName.h"

namespace {

using zpk::cli::SafeRelativePath;

struct NameCase {
  const char* name;
  std::string path;
  std::string expected;  // the path, or a part of the refusal's reason when refused
  bool accepted;
};

class SafeNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeNameTest, MapsOrRefuses) {
  const auto& c = GetParam();
  const auto result = SafeRelativePath(c.path);
  if (c.accepted) {
    ASSERT_TRUE(result) << result.error();
    EXPECT_EQ(c.expected, *result);
  } else {
    ASSERT_FALSE(result) << "accepted as " << *result;
    EXPECT_NE(std::string::npos, result.error().find(c.expected)) << result.error();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SafeNameTest,
    ::testing::Values(
        NameCase{"dot_levels", "./gfx/./ship.bmp", "gfx/ship.bmp", true},
        NameCase{"after_the_c1_controls", "b\xC2\xA0r.txt", "b\xC2\xA0r.txt", true},
        NameCase{"longest_level", std::string(255, 'x'), std::string(255, 'x'), true},
        NameCase{"absolute_backslash", "\\abs.txt", "absolute", false},
        NameCase{"only_dots", "./.", "no file name", false},
        NameCase{"parent_backslash", "a\\..\\b.txt", "\"..\"", false},
        NameCase{"parent_last", "a/..", "\"..\"", false},
        NameCase{"delete", "del\x7F", "control", false},
        NameCase{"c1_control", "c1\xC2\x9F", "control", false}), zpk::test::RowName());

TEST(OutputNamesTest, NumberGoesBeforeTheExtensionOfLaterClaims) {
  const std::pair<const char*, const char*> rows[] = {
      {"a/readme", "a/readme (2)"},
      {"a.d/readme", "a.d/readme (2)"},
      {"a/.profile", "a/.profile (2)"},
      {"x.tar.gz", "x.tar (2).gz"},
  };
  for (const auto& [path, expected] : rows) EXPECT_EQ(expected, zpk::cli::NumberedPath(path, 2)) << path;

  zpk::cli::OutputNames names;
  bool renamed = true;
  EXPECT_EQ("a.txt", names.Claim("a.txt", renamed));
  EXPECT_FALSE(renamed);
  EXPECT_EQ("a (2).txt", names.Claim("a.txt", renamed));
  EXPECT_TRUE(renamed);
  // A name that an entry itself holds is not handed out again as a number.
  EXPECT_EQ("a (3).txt", names.Claim("a (3).txt", renamed));
  EXPECT_EQ("a (4).txt", names.Claim("a.txt", renamed));
}

}  // namespace
