// Translating a form by the tags of its controls in each language, malformed tags reported
// and logged, and the log's own rules.
#include "dialogs/TranslateForm.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "DialogTestSupport.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::dialogs;

template <typename W>
W* Add(QWidget& parent, const char* name, const QString& text, const QString& tag) {
  auto* widget = new W(&parent);
  widget->setObjectName(QString::fromLatin1(name));
  if constexpr (requires { widget->setText(text); }) widget->setText(text);
  if (!tag.isNull()) SetTranslationTag(*widget, tag);
  return widget;
}

constexpr int kDesignWidth = 33;

// A form with one control of every tag layout, designed in German.
struct TestForm {
  QDialog form;
  QPushButton *btnHelp, *btnNext;
  QLineEdit* txtName;
  QTabWidget* tabMain;
  QTreeWidget* lvFiles;

  TestForm() {
    form.setWindowTitle(QStringLiteral("Design"));
    SetTranslationTag(form, QStringLiteral("Nachricht|Message"));
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPointSize(20);
    form.setFont(big);
    btnNext = Add<QPushButton>(form, "btnNext", QStringLiteral("~Weiter"),
                               QStringLiteral("~Weiter|Zur n\u00e4chsten Seite|~Next|To the next page"));
    QFont small = big;
    small.setPointSize(6);
    btnNext->setFont(small);  // the fitting measures in the form's font, not this one
    btnNext->setGeometry(10, 10, kDesignWidth, 20);
    // A tag without "|" marks a control as untranslated ("!" is one, as is the empty tag of
    // every control here without one).
    Add<QLabel>(form, "lblNoBar", QStringLiteral("Design"), QStringLiteral("Nur Deutsch"));
    txtName = Add<QLineEdit>(form, "txtName", QStringLiteral("Design"), QStringLiteral("Name|Ihr Name|Name|Your name"));
    tabMain = Add<QTabWidget>(form, "tabMain", QString(), QStringLiteral("Dateien|Bilder|Optionen|Files|Pictures|Options"));
    auto* first = new QWidget;
    tabMain->addTab(first, QStringLiteral("Tab 0"));
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    tabMain->addTab(new QWidget, QIcon(picture), QStringLiteral("Tab 1"));
    tabMain->addTab(new QWidget, QStringLiteral("Tab 2"));
    // On a page: the controls inside other controls are translated too.
    btnHelp = Add<QPushButton>(*first, "btnHelp", QStringLiteral("Hilfe"), QStringLiteral("Hilfe||Help|"));
    lvFiles = Add<QTreeWidget>(form, "lvFiles", QString(), QStringLiteral("Name|Gr\u00f6\u00dfe|Name|Size"));
    lvFiles->setHeaderLabels({QStringLiteral("col1"), QStringLiteral("col2")});
  }
};

struct LanguageCase {
  const char* name;
  std::int32_t language;
  QString title, help, next, nextTip, nameTip, tabs[3], headers[2];
};

const LanguageCase kLanguageCases[] = {
    {"German", 0, QStringLiteral(" Nachricht"), QStringLiteral("Hilfe"), QStringLiteral("Weiter"),
     QStringLiteral(" Zur n\u00e4chsten Seite"), QStringLiteral(" Ihr Name"),
     {QStringLiteral("Dateien"), QStringLiteral("  Bilder"), QStringLiteral("Optionen")},
     {QStringLiteral("Name"), QStringLiteral("Gr\u00f6\u00dfe")}},
    {"English", 1, QStringLiteral(" Message"), QStringLiteral("Help"), QStringLiteral("Next"),
     QStringLiteral(" To the next page"), QStringLiteral(" Your name"),
     {QStringLiteral("Files"), QStringLiteral("  Pictures"), QStringLiteral("Options")},
     {QStringLiteral("Name"), QStringLiteral("Size")}},
    // The first language the tags do not reach leaves every design text.
    {"FirstBeyond", 2, QStringLiteral("Design"), QStringLiteral("Hilfe"), QStringLiteral("~Weiter"),
     QString(), QString(), {QStringLiteral("Tab 0"), QStringLiteral("Tab 1"), QStringLiteral("Tab 2")},
     {QStringLiteral("col1"), QStringLiteral("col2")}},
};

class TranslateFormLanguageTest : public zpk::test::DialogGlobalsTest,
                                  public testing::WithParamInterface<LanguageCase> {};

TEST_P(TranslateFormLanguageTest, EveryTagLayoutTakesItsAlternative) {
  const LanguageCase& c = GetParam();
  zpk::util::LanguageIndex = c.language;
  TestForm t;
  TranslateForm(t.form, windows);

  EXPECT_EQ(t.form.windowTitle(), c.title);
  EXPECT_EQ(t.btnHelp->text(), c.help);
  EXPECT_EQ(t.btnNext->text(), c.next);
  EXPECT_EQ(t.btnNext->toolTip(), c.nextTip);
  // A text box has no caption: it keeps its text but still takes the tooltip.
  EXPECT_EQ(t.txtName->text(), QStringLiteral("Design"));
  EXPECT_EQ(t.txtName->toolTip(), c.nameTip);
  for (int page = 0; page < 3; ++page) EXPECT_EQ(t.tabMain->tabText(page), c.tabs[page]) << page;
  for (int column = 0; column < 2; ++column) EXPECT_EQ(t.lvFiles->headerItem()->text(column), c.headers[column]);
  // An empty tooltip part sets none.
  EXPECT_TRUE(t.btnHelp->toolTip().isEmpty());

  // "~" fits the width to the caption, measured in the form's font, plus 300 twips.
  const int margin = static_cast<int>(std::lround(300 * t.form.logicalDpiX() / 1440.0));
  const auto fitted = [&](const QFont& font) { return QFontMetrics(font).horizontalAdvance(c.next) + margin; };
  ASSERT_NE(fitted(t.form.font()), fitted(t.btnNext->font()));
  EXPECT_EQ(t.btnNext->width(), c.next.startsWith(u'~') ? kDesignWidth : fitted(t.form.font()));
  EXPECT_EQ(t.btnNext->height(), 20);
  EXPECT_EQ(t.btnHelp->width(), TestForm().btnHelp->width());

  // The untranslated tags are no malformed tags, which would beep.
  EXPECT_EQ(windows.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslateFormLanguageTest, testing::ValuesIn(kLanguageCases),
                         zpk::test::RowName());

// The messages of a log file, a line each, without the date and time before them; nothing
// when there is no file.
std::string LoggedMessages(const std::filesystem::path& file) {
  const std::size_t stamp = std::string("07.03.2026 - 21:05:09 - ").size();
  std::ifstream in(file);
  std::string messages;
  for (std::string line; std::getline(in, line);) {
    messages += line.substr(std::min(stamp, line.size())) + '\n';
  }
  return messages;
}

// Shows the form's pointer at the moment the message comes up.
struct CursorAtMessage : zpk::test::RecordingWindowSystem {
  void ShowMessage(const QString& text, zpk::platform::MsgIcon icon, const QString& title) override {
    RecordingWindowSystem::ShowMessage(text, icon, title);
    shapes.push_back(form->cursor().shape());
  }
  QWidget* form = nullptr;
  std::vector<Qt::CursorShape> shapes;
};

class MalformedTagTest : public zpk::test::DialogGlobalsTest {};

// A control tag with other than four alternatives: beep, message, log line even without
// forced logging (the flag is put back), later controls translated.
TEST_F(MalformedTagTest, ReportsLogsAndGoesOn) {
  zpk::util::LanguageIndex = 1;
  zpk::test::TempDir dir;
  LogFolder = dir.path().string();
  LogFileName = "quill.log";
  QDialog form;
  form.setObjectName(QStringLiteral("frmTest"));
  Add<QPushButton>(form, "btnTwo", QStringLiteral("Weiter"), QStringLiteral("Weiter|Next"));
  Add<QPushButton>(form, "btnFive", QStringLiteral("Los"), QStringLiteral("a|b|c|d|e"));
  auto* after = Add<QPushButton>(form, "btnAfter", QStringLiteral("Hilfe"), QStringLiteral("Hilfe||Help|"));
  CursorAtMessage recorder;
  recorder.form = &form;

  TranslateForm(form, recorder);
  EXPECT_FALSE(ForceLog);
  ForceLog = true;
  TranslateForm(form, recorder);
  EXPECT_TRUE(ForceLog);

  EXPECT_EQ(recorder.beeps, 4);
  ASSERT_EQ(recorder.messages.size(), 4u);
  EXPECT_EQ(recorder.messages[0].text,
            QStringLiteral("Please check translation settings: (F: frmTest, C: btnTwo)\n\n"
                           "(Msg logged, send LOG file to Quill...)"));
  EXPECT_EQ(recorder.messages[0].icon, zpk::platform::MsgIcon::Critical);
  EXPECT_EQ(recorder.messages[0].title, QStringLiteral("An Quill:"));
  EXPECT_EQ(recorder.shapes, std::vector<Qt::CursorShape>(4, Qt::WaitCursor));
  EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(after->text(), QStringLiteral("Help"));

  const std::string twoLine = "Please check translation settings: (F: frmTest, C: btnTwo)\n";
  const std::string fiveLine = "Please check translation settings: (F: frmTest, C: btnFive)\n";
  EXPECT_EQ(LoggedMessages(dir / "quill.log"), twoLine + fiveLine + twoLine + fiveLine);
}

class WriteLogTest : public zpk::test::DialogGlobalsTest {};

// Each message written is appended as a line of its own: one that starts with "!" always,
// another only when logging is forced (as the malformed tag's line above), and nothing
// without a log file name. The line starts with the day, month, year and 24-hour time.
TEST_F(WriteLogTest, AppendsADatedLineOnlyWhenAllowed) {
  const struct {
    const char* fileName;
    bool force;
    const char* message;
    std::string logged;
  } rows[] = {{"", true, "!alarm", ""},
              {"zpk.log", false, "!alarm", "!first\n!alarm\n"},
              {"zpk.log", false, "not!", "!first\n"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    zpk::test::TempDir dir;
    LogFolder = dir.path().string();
    LogFileName = row.fileName;
    ForceLog = row.force;
    WriteLog(QStringLiteral("!first"));
    WriteLog(QString::fromLatin1(row.message));
    EXPECT_EQ(zpk::test::ListFiles(dir.path()).size(), row.logged.empty() ? 0u : 1u);
    EXPECT_EQ(LoggedMessages(dir / "zpk.log"), row.logged);
  }
  const QDateTime when(QDate(2026, 3, 7), QTime(21, 5, 9));
  EXPECT_EQ(FormatLogLine(when, QStringLiteral("Msg")), QStringLiteral("07.03.2026 - 21:05:09 - Msg"));
}

}  // namespace
