// The streaming search of one text value in a Wine registry file: the data forms Wine
// writes a REG_SZ in, the 32-bit view first, and the lines that must not be taken for keys.
// Each file is searched in memory; reading from a file is the long-line test's, and every
// game-folder test's.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <vector>

#include "platform/WineRegistryScan.h"
#include "support/TempDir.h"
#include "support/RowName.h"

namespace {

using zpk::platform::RegistryTextResult;

constexpr std::string_view kFirstLine = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";
constexpr std::array<std::string_view, 2> kKeys{"Software\\Wow6432Node\\Game", "Software\\Game"};

struct ScanCase {
  const char* name;
  std::string body;
  RegistryTextResult result;
  std::string text = {};
};

const ScanCase kScanCases[] = {
    {"QuotedWithEscapes", "[Software\\\\Game] 1\n\"Where\"=\"C:\\\\caf\\x00e9 \\\"x\\\"\"\n",
     RegistryTextResult::Found, "C:\\caf\xC3\xA9 \"x\""},
    {"StrOne", "[Software\\\\Game]\n\"where\"=str(1):\"C:\\\\A\"\n", RegistryTextResult::Found,
     "C:\\A"},
    {"HexOneOverTwoLines", "[software\\\\game]\n\"Where\"=hex(1):43,00,3a,00,\\\n  5c,00,00,00\n",
     RegistryTextResult::Found, "C:\\"},
    {"ExpandStringIsNotText", "[Software\\\\Game]\n\"Where\"=str(2):\"%ProgramFiles%\"\n",
     RegistryTextResult::NotText},
    {"NumberIsNotText", "[Software\\\\Game]\n\"Where\"=dword:00000001\n", RegistryTextResult::NotText},
    {"ThirtyTwoBitViewFirst",
     "[Software\\\\Game]\n\"Where\"=\"C:\\\\64\"\n[Software\\\\Wow6432Node\\\\Game]\n"
     "\"Where\"=\"C:\\\\32\"\n",
     RegistryTextResult::Found, "C:\\32"},
    {"HeaderWrittenOtherwise", "[\\\\Software\\\\\\\\G\\x0061me\\\\]\n\"Where\"=\"C:\\\\E\"\n",
     RegistryTextResult::Found, "C:\\E"},
    {"KeyBelowOrBesideIsNotTheKey",
     "[Software\\\\Game\\\\Sub]\n\"Where\"=\"C:\\\\1\"\n[Software\\\\GameX]\n\"Where\"=\"C:\\\\2\"\n",
     RegistryTextResult::Missing},
    {"ContinuationGoesOnOverLinesEndingInABackslash",
     "[Software\\\\Other]\n\"Blob\"=hex:01,\\\n  02,\\\n[Software\\\\Game]\n\"Where\"=\"C:\\\\no\"\n",
     RegistryTextResult::Missing},
    {"CommentEndingInABackslashContinuesNothing",
     "[Software\\\\Other]\n#note \\\n [Software\\\\Game]\r\n\"Where\"=\"C:\\\\yes\"\n",
     RegistryTextResult::Found, "C:\\yes"},
    {"DoubledSeparatorIsOneSeparator", "[Software\\\\\\\\Game]\n\"Where\"=\"C:\\\\D\"\n",
     RegistryTextResult::Found, "C:\\D"},
    {"UnreadableLineKeepsTheValueBefore",
     "[Software\\\\Game]\n\"Where\"=\"C:\\\\ok\"\n\"Where\"=\"C:\\\\cut\n",
     RegistryTextResult::Found, "C:\\ok"},
};

class RegistryScan : public testing::TestWithParam<ScanCase> {};

TEST_P(RegistryScan, FindsTheValue) {
  const ScanCase& c = GetParam();
  const std::string file = std::string(kFirstLine) + c.body;
  // Line by line, and jumping between key headers in blocks of every size that puts a block's
  // end somewhere else in the lines.
  std::vector<zpk::platform::ScanMethod> methods{{.lineByLine = true}};
  for (std::size_t bytes = 16; bytes < 128; ++bytes) methods.push_back({.blockBytes = bytes});
  for (const auto& method : methods) {
    const auto inMemory = zpk::platform::FindRegistryTextIn(file, kKeys, "WHERE", method);
    ASSERT_EQ(c.result, inMemory.result) << method.lineByLine << ' ' << method.blockBytes;
    ASSERT_EQ(c.text, inMemory.text) << method.lineByLine << ' ' << method.blockBytes;
  }

  // Without Wine's first line the file holds nothing.
  EXPECT_EQ(RegistryTextResult::Missing,
            zpk::platform::FindRegistryTextIn(c.body, kKeys, "WHERE").result);
}

INSTANTIATE_TEST_SUITE_P(Files, RegistryScan, testing::ValuesIn(kScanCases), zpk::test::RowName());

// The longest line that is read, "Where"="x...", between two a byte longer, which are dropped
// and do not end the file.
TEST(RegistryScan, LinesLongerThanTheBlocksAreReadAndOverLongOnesDropped) {
  const zpk::test::TempDir dir;
  const std::string longText(zpk::platform::kLongestRegistryLine - 10, 'x');
  const std::string overLong = "\"Where\"=\"" + std::string(longText.size() + 1, 'y') + "\"\n";
  {
    std::ofstream out(dir / "system.reg", std::ios::binary);
    out << kFirstLine << "[Software\\\\Game]\n" << overLong << "\"Where\"=\"" << longText << "\"\n"
        << overLong;
  }
  const auto found = zpk::platform::FindRegistryText(dir / "system.reg", kKeys, "where");
  EXPECT_EQ(RegistryTextResult::Found, found.result);
  EXPECT_TRUE(found.text == longText) << found.text.size() << " bytes read";
}

}  // namespace
