// The Wine registry file parser: what each line form reads as, and that damaged files lose
// only the damaged lines.
#include <gtest/gtest.h>

#include <string>

#include "platform/WineRegistryFile.h"

namespace zpk::platform {
namespace {

enum class Expect { Value, NoValue, NoKey };

struct ParseCase {
  std::string name;
  std::string file;  // the whole file, header included
  QString key;
  QString value;
  Expect expect = Expect::Value;
  int type = kRegSz;
  QString text = {};
  std::uint32_t number = 0;
  QByteArray bytes = {};
};

std::ostream& operator<<(std::ostream& out, const ParseCase& c) { return out << c.name; }

const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
const QString kGame = QStringLiteral("Software\\Quill\\Game");

class WineRegistryParse : public testing::TestWithParam<ParseCase> {};

TEST_P(WineRegistryParse, ReadsTheValue) {
  const ParseCase& c = GetParam();
  const auto keys = FindWineRegistryKeys(c.file, {c.key});
  ASSERT_EQ(keys.size(), 1u);
  const RegData* data = keys[0].Find(c.value);
  switch (c.expect) {
    case Expect::NoKey:
      EXPECT_FALSE(keys[0].exists);
      EXPECT_EQ(data, nullptr);
      return;
    case Expect::NoValue:
      EXPECT_TRUE(keys[0].exists);
      EXPECT_EQ(data, nullptr);
      return;
    case Expect::Value: break;
  }
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->type, c.type);
  EXPECT_EQ(data->text, c.text);
  EXPECT_EQ(data->number, c.number);
  EXPECT_EQ(data->bytes, c.bytes);
}

const ParseCase kParseCases[] = {
    {"plain_text",
     kHead + "[Software\\\\Quill\\\\Game] 1700000000\n#time=1d\n"
             "\"InstallLocation\"=\"C:\\\\Games\\\\Tidewater\"\n",
     kGame, "InstallLocation", Expect::Value, kRegSz, "C:\\Games\\Tidewater"},
    {"quotes_and_controls",
     kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"say \\\"hi\\\"\\n\\t\\a\\e\"\n", kGame, "V",
     Expect::Value, kRegSz, QString("say \"hi\"\n\t") + QChar(7) + QChar(27)},
    {"hex_escapes", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"caf\\xe9 \\x00e9a \\x\"\n", kGame,
     "V", Expect::Value, kRegSz, QString::fromUtf8("café éa x")},
    {"octal_escapes", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"\\101\\1010\\0\"\n", kGame, "V",
     Expect::Value, kRegSz, QString("AA0") + QChar(0)},
    {"utf8_text_as_is",
     kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"Gr\xc3\xbc\xc3\x9f"
             "e\"\n",
     kGame, "V", Expect::Value, kRegSz, QString::fromUtf8("Grüße")},
    {"empty_text", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"\"\n", kGame, "V", Expect::Value,
     kRegSz, ""},
    {"dword", kHead + "[Software\\\\Quill\\\\Game]\n\"Count\"=dword:0000001f\n", kGame, "Count",
     Expect::Value, kRegDword, "", 31},
    {"dword_upper_case", kHead + "[Software\\\\Quill\\\\Game]\n\"Count\"=DWORD:FFFFFFFF\n", kGame,
     "Count", Expect::Value, kRegDword, "", 0xFFFFFFFFu},
    {"default_value", kHead + "[Software\\\\Quill\\\\Game]\n@=\"the default\"\n", kGame, "",
     Expect::Value, kRegSz, "the default"},
    {"names_ignore_case", kHead + "[Software\\\\Quill\\\\Game]\n\"InstallLocation\"=\"x\"\n",
     "SOFTWARE\\QUILL\\game", "installlocation", Expect::Value, kRegSz, "x"},
    {"crlf_line_ends", kHead + "[Software\\\\Quill\\\\Game] 1\r\n\"V\"=\"x\"\r\n", kGame, "V",
     Expect::Value, kRegSz, "x"},
    {"crlf_header", "WINE REGISTRY Version 2\r\n[Software\\\\Quill\\\\Game]\r\n\"V\"=\"x\"\r\n",
     kGame, "V", Expect::Value, kRegSz, "x"},
    {"spaces_around", kHead + "  [Software\\\\Quill\\\\Game]   \n\t \"V\" =  \"x\"  \n", kGame, "V",
     Expect::Value, kRegSz, "x"},
    {"key_path_slashes_ignored", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n",
     "\\Software\\\\Quill\\Game\\", "V", Expect::Value, kRegSz, "x"},
    {"escaped_bracket_in_key", kHead + "[Software\\\\Odd\\]Name] 5\n\"V\"=\"x\"\n",
     "Software\\Odd]Name", "V", Expect::Value, kRegSz, "x"},
    {"header_case_differs", kHead + "[SOFTWARE\\\\quill\\\\GAME]\n\"V\"=\"x\"\n", kGame, "V",
     Expect::Value, kRegSz, "x"},
    {"escaped_letters_in_header", kHead + "[\\x53oftware\\\\Quill\\\\G\\141me]\n\"V\"=\"x\"\n",
     kGame, "V", Expect::Value, kRegSz, "x"},
    {"doubled_separator_in_header", kHead + "[Software\\\\\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", kGame,
     "V", Expect::Value, kRegSz, "x"},
    {"leading_separator_in_header", kHead + "[\\\\Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", kGame,
     "V", Expect::Value, kRegSz, "x"},
    {"utf8_key_name", kHead + "[Software\\\\Qu\xc3\xafll]\n\"V\"=\"x\"\n",
     QString::fromUtf8("Software\\QU\xc3\x8fLL"), "V", Expect::Value, kRegSz, "x"},
    {"escaped_key_name", kHead + "[Software\\\\Qu\\x00efll]\n\"V\"=\"x\"\n",
     QString::fromUtf8("Software\\Qu\xc3\xafll"), "V", Expect::Value, kRegSz, "x"},
    {"longer_name_is_another_key", kHead + "[Software\\\\Quill\\\\Games]\n\"V\"=\"x\"\n", kGame,
     "V", Expect::NoKey},
    {"expand_text", kHead + "[Software\\\\Quill\\\\Game]\n\"P\"=str(2):\"%SystemRoot%\\\\x\"\n",
     kGame, "P", Expect::Value, kRegExpandSz, "%SystemRoot%\\x"},
    {"binary", kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:01,ff,7F\n", kGame, "B",
     Expect::Value, kRegBinary, "", 0, QByteArray("\x01\xff\x7f", 3)},
    {"binary_empty", kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:\n", kGame, "B", Expect::Value,
     kRegBinary, "", 0, QByteArray()},
    {"binary_over_lines",
     kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:01,02,\\\n  03,\\\r\n  04\n"
             "\"After\"=\"x\"\n",
     kGame, "B", Expect::Value, kRegBinary, "", 0, QByteArray("\x01\x02\x03\x04", 4)},
    {"line_after_continuation",
     kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:01,\\\n  02\n"
             "\"After\"=\"x\"\n",
     kGame, "After", Expect::Value, kRegSz, "x"},
    {"text_as_hex", kHead + "[Software\\\\Quill\\\\Game]\n\"T\"=hex(1):41,00,42,00\n", kGame, "T",
     Expect::Value, kRegSz, "AB"},
    {"other_type_as_hex",
     kHead + "[Software\\\\Quill\\\\Game]\n\"Q\"=hex(b):01,00,00,00,00,00,00,00\n", kGame, "Q",
     Expect::Value, 11, "", 0, QByteArray("\x01\0\0\0\0\0\0\0", 8)},
    {"later_value_wins", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"old\"\n\"v\"=\"new\"\n",
     kGame, "V", Expect::Value, kRegSz, "new"},
    {"repeated_key_merges",
     kHead + "[Software\\\\Quill\\\\Game]\n\"A\"=\"1\"\n[Other]\n"
             "[software\\\\quill\\\\game]\n\"B\"=\"2\"\n",
     kGame, "A", Expect::Value, kRegSz, "1"},
    {"comment_lines", kHead + "[Software\\\\Quill\\\\Game]\n;\"V\"=\"commented\"\n#\"V\"=\"opt\"\n",
     kGame, "V", Expect::NoValue},
    {"missing_value", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", kGame, "W",
     Expect::NoValue},
    {"missing_key", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", "Software\\Quill\\Other",
     "V", Expect::NoKey},
    {"key_above_a_key_exists", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n",
     "Software\\Quill", "V", Expect::NoValue},
    {"key_name_prefix_is_no_key", kHead + "[Software\\\\Quill\\\\Game]\n", "Software\\Qu", "V",
     Expect::NoKey},
    {"value_before_any_key", kHead + "\"V\"=\"x\"\n[Software\\\\Quill\\\\Game]\n", kGame, "V",
     Expect::NoValue},
    {"truncated_text", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"C:\\\\Gam", kGame, "V",
     Expect::NoValue},
    {"truncated_escape", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=\"abc\\", kGame, "V",
     Expect::NoValue},
    {"truncated_name", kHead + "[Software\\\\Quill\\\\Game]\n\"Vall", kGame, "Vall",
     Expect::NoValue},
    {"truncated_hex", kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:01,02,\\\n", kGame, "B",
     Expect::NoValue},
    {"truncated_key_header", kHead + "[Software\\\\Quill\\\\Game", kGame, "V", Expect::NoKey},
    {"broken_header_drops_its_values",
     kHead + "[Software\\\\Quill\\\\Game]\n\"A\"=\"1\"\n"
             "[Software\\\\Broken\n\"V\"=\"stray\"\n",
     kGame, "V", Expect::NoValue},
    {"dword_too_long", kHead + "[Software\\\\Quill\\\\Game]\n\"N\"=dword:000000001\n", kGame, "N",
     Expect::NoValue},
    {"dword_not_hex", kHead + "[Software\\\\Quill\\\\Game]\n\"N\"=dword:12g4\n", kGame, "N",
     Expect::NoValue},
    {"dword_empty", kHead + "[Software\\\\Quill\\\\Game]\n\"N\"=dword:\n", kGame, "N",
     Expect::NoValue},
    {"hex_byte_too_long", kHead + "[Software\\\\Quill\\\\Game]\n\"B\"=hex:01,234\n", kGame, "B",
     Expect::NoValue},
    {"unknown_data_form", kHead + "[Software\\\\Quill\\\\Game]\n\"V\"=qword:1\n", kGame, "V",
     Expect::NoValue},
    {"no_equals_sign", kHead + "[Software\\\\Quill\\\\Game]\n\"V\" \"x\"\n", kGame, "V",
     Expect::NoValue},
    {"text_after_bad_line", kHead + "[Software\\\\Quill\\\\Game]\n\"N\"=dword:zz\n\"V\"=\"ok\"\n",
     kGame, "V", Expect::Value, kRegSz, "ok"},
    {"no_header", "[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", kGame, "V", Expect::NoKey},
    {"old_version_header", "WINE REGISTRY Version 1\n[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n",
     kGame, "V", Expect::NoKey},
    {"empty_file", "", kGame, "V", Expect::NoKey},
    {"header_only", "WINE REGISTRY Version 2", kGame, "V", Expect::NoKey},
};

INSTANTIATE_TEST_SUITE_P(Lines, WineRegistryParse, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& row) {
                           return row.param.name;
                         });

TEST(WineRegistryFile, FindsSeveralKeysInOnePass) {
  const std::string file =
      kHead + "[Software\\\\A] 1\n\"V\"=\"a\"\n[Software\\\\B\\\\Sub] 1\n\"V\"=\"b\"\n";
  const auto keys =
      FindWineRegistryKeys(file, {"software\\b\\sub", "Software\\C", "SOFTWARE", "Software\\A"});
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].Find("v")->text, "b");
  EXPECT_FALSE(keys[1].exists);
  EXPECT_TRUE(keys[2].exists);
  EXPECT_TRUE(keys[2].values.isEmpty());
  EXPECT_EQ(keys[3].Find("V")->text, "a");
}

// Found by the registry fuzz target: the line after a continued hex value of a key nobody
// asked for was read as a key header, but as hex data when another key was asked for too.
TEST(WineRegistryFile, ALineContinuingAnUnwantedValueIsNeverAKeyHeader) {
  const std::string file = kHead +
                           "[Other] 1\n\"Blob\"=hex:01,\\\n[Software\\\\Types] 2\n"
                           "\"V\"=\"v\"\n";
  const auto alone = FindWineRegistryKeys(file, {"Software\\Types"});
  const auto withOther = FindWineRegistryKeys(file, {"Software\\Types", "Other"});
  EXPECT_FALSE(alone[0].exists);
  EXPECT_FALSE(withOther[0].exists);
  EXPECT_TRUE(withOther[1].exists);
}

TEST(WineRegistryFile, EveryPrefixOfAFileParsesWithoutLosingEarlierKeys) {
  const std::string file =
      kHead +
      "[Software\\\\Quill\\\\Game] 1\n\"InstallLocation\"=\"C:\\\\Games\"\n"
      "\"Blob\"=hex:01,02,\\\n  03\n[Software\\\\Later] 2\n\"N\"=dword:00000002\n";
  for (std::size_t length = 0; length <= file.size(); ++length) {
    const auto keys = FindWineRegistryKeys(std::string_view(file).substr(0, length), {kGame});
    const RegData* location = keys[0].Find("InstallLocation");
    // The value is whole once its closing quote is in; it is never read half.
    const bool complete = length >= file.find("\"\n\"Blob") + 1;
    ASSERT_EQ(location != nullptr, complete) << "cut at " << length;
    if (location != nullptr) {
      EXPECT_EQ(location->text, "C:\\Games") << "cut at " << length;
    }
  }
}

}  // namespace
}  // namespace zpk::platform
