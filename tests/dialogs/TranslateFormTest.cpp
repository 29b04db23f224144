#include "dialogs/TranslateForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
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
#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "DialogTestSupport.h"
#include "dialogs/WriteLog.h"
#include "support/TempDir.h"
#include "util/Language.h"

namespace {

using namespace zpk::dialogs;
using zpk::test::PrintTo;
using zpk::test::RecordingWindowSystem;

template <typename W>
W* Add(QWidget& parent, const char* name, const QString& text, const QString& tag) {
  auto* widget = new W(&parent);
  widget->setObjectName(QString::fromLatin1(name));
  if constexpr (requires { widget->setText(text); }) widget->setText(text);
  if (!tag.isNull()) SetTranslationTag(*widget, tag);
  return widget;
}

// A form with one control of every tag layout, designed in German.
struct TestForm {
  QDialog form;
  QPushButton* btnHelp;
  QPushButton* btnNext;
  QLabel* lblBang;
  QLabel* lblNoBar;
  QCheckBox* cbEmpty;
  QLineEdit* txtName;
  QTabWidget* tabMain;
  QPushButton* btnOnPage;
  QTreeWidget* lvFiles;

  TestForm() {
    form.setObjectName(QStringLiteral("frmTest"));
    form.setWindowTitle(QStringLiteral("Design"));
    SetTranslationTag(form, QStringLiteral("Nachricht|Message"));
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPointSize(20);
    form.setFont(big);

    btnHelp = Add<QPushButton>(form, "btnHelp", QStringLiteral("Hilfe"), QStringLiteral("Hilfe||Help|"));
    btnNext = Add<QPushButton>(form, "btnNext", QStringLiteral("~Weiter"),
                               QStringLiteral("~Weiter|Zur n\u00e4chsten Seite|~Next|To the next page"));
    QFont small = big;
    small.setPointSize(6);
    btnNext->setFont(small);  // the fitting measures in the form's font, not this one
    btnNext->setGeometry(10, 10, 33, 20);
    lblBang = Add<QLabel>(form, "lblBang", QStringLiteral("Design"), QStringLiteral("!"));
    lblNoBar = Add<QLabel>(form, "lblNoBar", QStringLiteral("Design"), QStringLiteral("Nur Deutsch"));
    cbEmpty = Add<QCheckBox>(form, "cbEmpty", QStringLiteral("Design"), QString(""));
    txtName = Add<QLineEdit>(form, "txtName", QStringLiteral("Design"),
                             QStringLiteral("Name|Ihr Name|Name|Your name"));

    tabMain = Add<QTabWidget>(form, "tabMain", QString(),
                              QStringLiteral("Dateien|Bilder|Optionen|Files|Pictures|Options"));
    auto* first = new QWidget;
    tabMain->addTab(first, QStringLiteral("Tab 0"));
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    tabMain->addTab(new QWidget, QIcon(picture), QStringLiteral("Tab 1"));
    tabMain->addTab(new QWidget, QStringLiteral("Tab 2"));
    btnOnPage = Add<QPushButton>(*first, "btnOnPage", QStringLiteral("Laden"), QStringLiteral("Laden||Load|"));

    lvFiles = Add<QTreeWidget>(form, "lvFiles", QString(),
                               QStringLiteral("Name|Gr\u00f6\u00dfe|Name|Size"));
    lvFiles->setHeaderLabels({QStringLiteral("col1"), QStringLiteral("col2")});
  }
};

struct LanguageCase {
  const char* label;
  std::int32_t language;
  QString title;
  QString help;
  QString next;
  QString nextTip;
  QString nameTip;
  QString tabs[3];
  QString onPage;
  QString headers[2];
};

const LanguageCase kLanguageCases[] = {
    {"German", 0, QStringLiteral(" Nachricht"), QStringLiteral("Hilfe"), QStringLiteral("Weiter"),
     QStringLiteral(" Zur n\u00e4chsten Seite"), QStringLiteral(" Ihr Name"),
     {QStringLiteral("Dateien"), QStringLiteral("  Bilder"), QStringLiteral("Optionen")},
     QStringLiteral("Laden"), {QStringLiteral("Name"), QStringLiteral("Gr\u00f6\u00dfe")}},
    {"English", 1, QStringLiteral(" Message"), QStringLiteral("Help"), QStringLiteral("Next"),
     QStringLiteral(" To the next page"), QStringLiteral(" Your name"),
     {QStringLiteral("Files"), QStringLiteral("  Pictures"), QStringLiteral("Options")},
     QStringLiteral("Load"), {QStringLiteral("Name"), QStringLiteral("Size")}},
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
  EXPECT_TRUE(t.btnHelp->toolTip().isEmpty());
  EXPECT_EQ(t.btnNext->text(), c.next);
  EXPECT_EQ(t.btnNext->toolTip(), c.nextTip);
  // A text box has no caption: it keeps its text but still takes the tooltip.
  EXPECT_EQ(t.txtName->text(), QStringLiteral("Design"));
  EXPECT_EQ(t.txtName->toolTip(), c.nameTip);
  for (int page = 0; page < 3; ++page) EXPECT_EQ(t.tabMain->tabText(page), c.tabs[page]) << page;
  EXPECT_EQ(t.btnOnPage->text(), c.onPage);
  EXPECT_EQ(t.lvFiles->headerItem()->text(0), c.headers[0]);
  EXPECT_EQ(t.lvFiles->headerItem()->text(1), c.headers[1]);

  // Untranslated markers: "!", no "|", empty.
  EXPECT_EQ(t.lblBang->text(), QStringLiteral("Design"));
  EXPECT_EQ(t.lblNoBar->text(), QStringLiteral("Design"));
  EXPECT_EQ(t.cbEmpty->text(), QStringLiteral("Design"));
  EXPECT_TRUE(t.lblNoBar->toolTip().isEmpty());

  EXPECT_EQ(windows.beeps, 0);
  EXPECT_TRUE(windows.messages.empty());
  EXPECT_EQ(t.form.cursor().shape(), Qt::ArrowCursor) << "the hourglass stayed";
}

TEST_P(TranslateFormLanguageTest, TildeFitsWidthToCaptionInFormFontPlus300Twips) {
  zpk::util::LanguageIndex = GetParam().language;
  TestForm t;
  const int heightBefore = t.btnNext->height();
  TranslateForm(t.form, windows);

  const int margin = static_cast<int>(std::lround(300 * t.form.logicalDpiX() / 1440.0));
  const int expected = QFontMetrics(t.form.font()).horizontalAdvance(GetParam().next) + margin;
  EXPECT_EQ(t.btnNext->width(), expected);
  EXPECT_NE(t.btnNext->width(), QFontMetrics(t.btnNext->font()).horizontalAdvance(GetParam().next) + margin);
  EXPECT_EQ(t.btnNext->height(), heightBefore);
  // Controls without "~" keep their width.
  EXPECT_EQ(t.btnHelp->width(), TestForm().btnHelp->width());
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslateFormLanguageTest, testing::ValuesIn(kLanguageCases),
                         zpk::test::LabelName);

class TranslateFormTest : public zpk::test::DialogGlobalsTest {};

TEST_F(TranslateFormTest, LanguageBeyondTheTagsKeepsDesignTexts) {
  zpk::util::LanguageIndex = 2;
  TestForm t;
  TranslateForm(t.form, windows);
  EXPECT_EQ(t.form.windowTitle(), QStringLiteral("Design"));
  EXPECT_EQ(t.btnHelp->text(), QStringLiteral("Hilfe"));
  EXPECT_EQ(t.tabMain->tabText(1), QStringLiteral("Tab 1"));
  EXPECT_EQ(t.lvFiles->headerItem()->text(1), QStringLiteral("col2"));
  EXPECT_TRUE(windows.messages.empty());
}

TEST_F(TranslateFormTest, WindowWithoutTagKeepsCallersCaption) {
  zpk::util::LanguageIndex = 1;
  QDialog form;
  form.setWindowTitle(QStringLiteral("From the caller"));
  TranslateForm(form, windows);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("From the caller"));
}

// A tag with the wrong number of alternatives: message, log line, design caption kept,
// and the controls after it are still translated.
class MalformedTagTest : public zpk::test::DialogGlobalsTest {
 protected:
  void Build() {
    form.setObjectName(QStringLiteral("frmTest"));
    bad = Add<QPushButton>(form, "btnBad", QStringLiteral("Weiter"), QStringLiteral("Weiter|Next"));
    after = Add<QPushButton>(form, "btnAfter", QStringLiteral("Hilfe"), QStringLiteral("Hilfe||Help|"));
    recorder.onMessage = [this] { cursorDuringMessage = form.cursor().shape(); };
  }

  struct Recorder : RecordingWindowSystem {
    void ShowMessage(const QString& text, zpk::platform::MsgIcon icon, const QString& title) override {
      RecordingWindowSystem::ShowMessage(text, icon, title);
      if (onMessage) onMessage();
    }
    std::function<void()> onMessage;
  };

  QDialog form;
  QPushButton* bad = nullptr;
  QPushButton* after = nullptr;
  Recorder recorder;
  Qt::CursorShape cursorDuringMessage = Qt::ArrowCursor;
};

TEST_F(MalformedTagTest, ReportsFormAndControlAndKeepsDesignCaption) {
  zpk::util::LanguageIndex = 1;
  Build();
  TranslateForm(form, recorder);

  EXPECT_EQ(recorder.beeps, 1);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text,
            QStringLiteral("Please check translation settings: (F: frmTest, C: btnBad)\n\n"
                           "(Msg logged, send LOG file to Quill...)"));
  EXPECT_EQ(recorder.messages[0].icon, zpk::platform::MsgIcon::Critical);
  EXPECT_EQ(recorder.messages[0].title, QStringLiteral("An Quill:"));
  EXPECT_EQ(cursorDuringMessage, Qt::WaitCursor);
  EXPECT_EQ(bad->text(), QStringLiteral("Weiter"));
  EXPECT_EQ(after->text(), QStringLiteral("Help"));
  EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MalformedTagTest, LogsTheTextUnderForcedLogAndRestoresTheFlag) {
  zpk::test::TempDir dir;
  LogFolder = dir.path().string();
  LogFileName = "quill.log";
  Build();
  TranslateForm(form, recorder);

  EXPECT_FALSE(ForceLog);
  const auto bytes = zpk::test::ReadFileBytes(dir / "quill.log");
  const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  EXPECT_TRUE(text.ends_with(" - Please check translation settings: (F: frmTest, C: btnBad)\n")) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST_F(MalformedTagTest, ForcedFlagStaysOnWhenItWasOn) {
  ForceLog = true;
  Build();
  TranslateForm(form, recorder);
  EXPECT_TRUE(ForceLog);
}

}  // namespace
