// ReadRegValue on a fake Wine prefix: what each stored value reads as, which failures are
// told, and that a failed read leaves the value alone.
#include <gtest/gtest.h>

#include <string>

#include "app/modRegSubs.h"
#include "support/RecordingWindowSystem.h"
#include "support/FakeWinePrefix.h"
#include "platform/WineRegistry.h"
#include "support/RowName.h"

namespace zpk::app {
namespace {

namespace fs = std::filesystem;
using platform::kRegDword;
using platform::kRegSz;
using platform::RegRoot;

const QString kTitle = QStringLiteral("Quill's Tidewater ZPK Viewer v1.00");
const QString kKey = QStringLiteral("Software\\Quill\\Game");

struct ReadCase {
  std::string name;
  std::string values;  // value lines of the key Software\Quill\Game in system.reg; "" for a
                       // system.reg that is a folder
  QString key;
  QString valueName;
  int askType;
  bool report;
  bool read;
  QVariant value = {};   // what a successful read gives
  QString message = {};  // the message box text, "" for none
};

class ReadRegValueTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegValueTest, ReadsOrFailsAsTheRegistrySays) {
  const ReadCase& c = GetParam();
  test::FakeWinePrefix prefix;
  const fs::path file = prefix.root() / "system.reg";
  if (c.values.empty()) {
    fs::create_directory(file);
  } else {
    prefix.WriteSystemReg("[Software\\\\Quill\\\\Game] 1700000000\n" + c.values);
  }
  const platform::WineRegistry registry(prefix.root());
  test::RecordingWindowSystem windows;

  QVariant value = QStringLiteral("untouched");
  const bool read = ReadRegValue(registry, windows, kTitle, RegRoot::LocalMachine, c.key,
                                 c.valueName, c.askType, value, c.report);

  EXPECT_EQ(read, c.read);
  if (c.read) {
    EXPECT_EQ(value.typeId(), c.value.typeId()) << value.typeName();
    EXPECT_EQ(value, c.value);
  } else {
    EXPECT_EQ(value, QVariant(QStringLiteral("untouched")));
  }
  if (c.message.isEmpty()) {
    EXPECT_TRUE(windows.messages.empty()) << windows.messages.front().text.toStdString();
  } else {
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text,
              QString(c.message).replace("<file>", QString::fromStdString(file.string())));
    EXPECT_EQ(windows.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(windows.messages[0].title, kTitle);
  }
}

const QString kOpenFailed = QStringLiteral("Eintrag kann nicht geöffnet werden:\r\nKey/Path= ");
const QString kReadFailed = QStringLiteral("Eintrag/Wert kann nicht gelesen werden:\r\nKey= ");
const QString kCode = QStringLiteral("\r\nDLL-Rückmeldung=");

// A failed read with report on, and the message box it gives.
ReadCase Told(std::string name, std::string values, QString key, QString valueName, int askType,
              QString message) {
  return {std::move(name), std::move(values), std::move(key), std::move(valueName), askType, true,
          false, {}, std::move(message)};
}

const ReadCase kReadCases[] = {
    {"number", "\"N\"=dword:0000001f\n", kKey, "N", kRegDword, true, true,
     QVariant::fromValue<quint32>(31)},
    {"expandable_text_reads_as_one", "\"P\"=str(2):\"%ProgramFiles%\"\n", kKey, "P", kRegSz, true,
     true, QVariant(1)},
    {"text_of_254_characters", "\"V\"=\"" + std::string(254, 'a') + "\"\n", kKey, "V", kRegSz, true,
     true, QString(254, 'a')},
    Told("text_of_255_characters", "\"V\"=\"" + std::string(255, 'a') + "\"\n", kKey, "V", kRegSz,
         kReadFailed + "V" + kCode + "234"),
    // The 8-bit form counts, in which each of these takes two bytes.
    {"umlauts_that_do_not_fit", "\"V\"=\"" + QString(128, QChar(0xFC)).toStdString() + "\"\n", kKey,
     "V", kRegSz, false, false},
    {"short_text_asked_as_number", "\"V\"=\"abc\"\n", kKey, "V", kRegDword, true, true,
     QString("abc")},
    Told("long_text_asked_as_number", "\"V\"=\"abcd\"\n", kKey, "V", kRegDword,
         kReadFailed + "V" + kCode + "234"),
    Told("missing_key_told", "\"V\"=\"x\"\n", "Software\\Quill\\Nope", "V", kRegSz,
         kOpenFailed + "Software\\Quill\\Nope" + kCode + "2"),
    {"missing_key_silent", "\"V\"=\"x\"\n", "Software\\Quill\\Nope", "V", kRegSz, false, false},
    Told("missing_value_told", "\"V\"=\"x\"\n", kKey, "Nope", kRegSz, kReadFailed + "Nope" + kCode + "2"),
    // A registry that cannot be read is told even unasked.
    {"unreadable_registry_told", "", kKey, "V", kRegSz, false, false, {},
     "Fehler bei Eintrag lesen: <file> is not a file"},
};

INSTANTIATE_TEST_SUITE_P(Values, ReadRegValueTest, testing::ValuesIn(kReadCases), test::RowName());

}  // namespace
}  // namespace zpk::app
