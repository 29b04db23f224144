// The Wine registry file parser: what each line form reads as, and that damaged files lose
// only the damaged lines.
#include <gtest/gtest.h>

#include <string>

#include "platform/WineRegistryFile.h"
#include "support/RowName.h"

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

const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
const QString kGame = QStringLiteral("Software\\Quill\\Game");

// A file holding the key Software\Quill\Game with these lines below its header.
std::string Game(const std::string& lines) { return kHead + "[Software\\\\Quill\\\\Game]\n" + lines; }

// Rows: a text value, a value of another type, or no value (or no key) at all.
ParseCase Text(std::string name, std::string file, QString text, QString key = kGame,
               QString value = "V") {
  return {std::move(name), std::move(file), std::move(key), std::move(value), Expect::Value,
          kRegSz, std::move(text)};
}
ParseCase Typed(std::string name, std::string file, QString value, int type,
                std::uint32_t number, QByteArray bytes = {}) {
  return {std::move(name), std::move(file), kGame, std::move(value), Expect::Value, type, "",
          number, std::move(bytes)};
}
ParseCase Nothing(std::string name, std::string file, Expect expect, QString key = kGame,
                  QString value = "V") {
  return {std::move(name), std::move(file), std::move(key), std::move(value), expect};
}

class WineRegistryParse : public testing::TestWithParam<ParseCase> {};

TEST_P(WineRegistryParse, ReadsTheValue) {
  const ParseCase& c = GetParam();
  const auto keys = FindWineRegistryKeys(c.file, {c.key});
  ASSERT_EQ(keys.size(), 1u);
  const RegData* data = keys[0].Find(c.value);
  EXPECT_EQ(keys[0].exists, c.expect != Expect::NoKey);
  if (c.expect != Expect::Value) {
    EXPECT_EQ(data, nullptr);
    return;
  }
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->type, c.type);
  EXPECT_EQ(data->text, c.text);
  EXPECT_EQ(data->number, c.number);
  EXPECT_EQ(data->bytes, c.bytes);
}

const ParseCase kParseCases[] = {
    Text("plain_text",
         kHead + "[Software\\\\Quill\\\\Game] 1700000000\n#time=1d\n"
                 "\"InstallLocation\"=\"C:\\\\Games\\\\Tidewater\"\n",
         "C:\\Games\\Tidewater", kGame, "InstallLocation"),
    Text("quotes_and_controls", Game("\"V\"=\"say \\\"hi\\\"\\n\\t\\a\\e\"\n"),
         QString("say \"hi\"\n\t") + QChar(7) + QChar(27)),
    Text("hex_escapes", Game("\"V\"=\"caf\\xe9 \\x00e9a \\x\"\n"), QString::fromUtf8("café éa x")),
    Text("octal_escapes", Game("\"V\"=\"\\101\\1010\\0\"\n"), QString("AA0") + QChar(0)),
    Text("utf8_text_as_is", Game("\"V\"=\"Gr\xc3\xbc\xc3\x9f" "e\"\n"), QString::fromUtf8("Grüße")),
    Typed("dword_upper_case", Game("\"Count\"=DWORD:FFFFFFFF\n"), "Count", kRegDword, 0xFFFFFFFFu),
    Text("default_value", Game("@=\"the default\"\n"), "the default", kGame, ""),
    Text("names_ignore_case", Game("\"InstallLocation\"=\"x\"\n"), "x", "SOFTWARE\\QUILL\\game",
         "installlocation"),
    Text("spaces_around", kHead + "  [Software\\\\Quill\\\\Game]   \n\t \"V\" =  \"x\"  \n", "x"),
    Text("escaped_bracket_in_key", kHead + "[Software\\\\Odd\\]Name] 5\n\"V\"=\"x\"\n", "x",
         "Software\\Odd]Name"),
    Text("escaped_letters_in_header", kHead + "[\\x53oftware\\\\Quill\\\\G\\141me]\n\"V\"=\"x\"\n", "x"),
    Text("doubled_separator_in_header", kHead + "[Software\\\\\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", "x"),
    Text("leading_separator_in_header", kHead + "[\\\\Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n", "x"),
    Text("utf8_key_name", kHead + "[Software\\\\Qu\xc3\xafll]\n\"V\"=\"x\"\n", "x",
         QString::fromUtf8("Software\\QU\xc3\x8fLL")),
    Nothing("longer_name_is_another_key", kHead + "[Software\\\\Quill\\\\Games]\n\"V\"=\"x\"\n",
            Expect::NoKey),
    {"expand_text", Game("\"P\"=str(2):\"%SystemRoot%\\\\x\"\n"), kGame, "P", Expect::Value,
     kRegExpandSz, "%SystemRoot%\\x"},
    Typed("binary_empty", Game("\"B\"=hex:\n"), "B", kRegBinary, 0, QByteArray()),
    Typed("binary_over_lines", Game("\"B\"=hex:01,02,\\\n  03,\\\r\n  04\n\"After\"=\"x\"\n"), "B",
          kRegBinary, 0, QByteArray("\x01\x02\x03\x04", 4)),
    Text("text_as_hex", Game("\"T\"=hex(1):41,00,42,00\n"), "AB", kGame, "T"),
    Typed("other_type_as_hex", Game("\"Q\"=hex(b):01,00,00,00,00,00,00,00\n"), "Q", 11, 0,
          QByteArray("\x01\0\0\0\0\0\0\0", 8)),
    Text("later_value_wins", Game("\"V\"=\"old\"\n\"v\"=\"new\"\n"), "new"),
    Text("repeated_key_merges", Game("\"A\"=\"1\"\n[Other]\n[software\\\\quill\\\\game]\n\"B\"=\"2\"\n"),
         "1", kGame, "A"),
    Nothing("missing_value", Game("\"V\"=\"x\"\n"), Expect::NoValue, kGame, "W"),
    Nothing("key_name_prefix_is_no_key", Game(""), Expect::NoKey, "Software\\Qu"),
    Nothing("key_with_only_keys_below", Game(""), Expect::NoValue, "Software\\Quill"),
    Nothing("truncated_text", Game("\"V\"=\"C:\\\\Gam"), Expect::NoValue),
    Text("last_line_without_line_end", Game("\"V\"=\"x\""), "x"),
    // Found by the registry fuzz target: the line after a continued hex value of a key nobody
    // asked for was read as a key header, but as hex data when that key was asked for too.
    Nothing("line_continuing_an_unwanted_value_is_no_key_header",
            kHead + "[Other] 1\n\"Blob\"=hex:01,\\\n[Software\\\\Quill\\\\Game] 2\n\"V\"=\"v\"\n",
            Expect::NoKey),
    Nothing("truncated_hex", Game("\"B\"=hex:01,02,\\\n"), Expect::NoValue, kGame, "B"),
    Nothing("truncated_key_header", kHead + "[Software\\\\Quill\\\\Game", Expect::NoKey),
    Nothing("broken_header_drops_its_values",
            Game("\"A\"=\"1\"\n[Software\\\\Broken\n\"V\"=\"stray\"\n"), Expect::NoValue),
    Nothing("dword_too_long", Game("\"N\"=dword:000000001\n"), Expect::NoValue, kGame, "N"),
    Nothing("dword_not_hex", Game("\"N\"=dword:12g4\n"), Expect::NoValue, kGame, "N"),
    Nothing("dword_empty", Game("\"N\"=dword:\n"), Expect::NoValue, kGame, "N"),
    Nothing("hex_byte_too_long", Game("\"B\"=hex:01,234\n"), Expect::NoValue, kGame, "B"),
    Nothing("unknown_data_form", Game("\"V\"=qword:1\n"), Expect::NoValue),
    Nothing("no_equals_sign", Game("\"V\" \"x\"\n"), Expect::NoValue),
    Text("text_after_bad_line", Game("\"N\"=dword:zz\n\"V\"=\"ok\"\n"), "ok"),
    Nothing("old_version_header", "WINE REGISTRY Version 1\n[Software\\\\Quill\\\\Game]\n\"V\"=\"x\"\n",
            Expect::NoKey),
};

INSTANTIATE_TEST_SUITE_P(Lines, WineRegistryParse, testing::ValuesIn(kParseCases), test::RowName());

}  // namespace
}  // namespace zpk::platform
