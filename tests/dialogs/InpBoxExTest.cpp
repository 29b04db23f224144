#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>

#include "DialogTestSupport.h"
#include "dialogs/Twips.h"
#include "dialogs/frmInpBoxEx.h"
#include "dialogs/modMsgBoxEx.h"
#include "util/Language.h"

namespace {

// Case rows print as their label in failure messages.
template <typename Case>
  requires requires(const Case& c) { c.label; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.label;
}

using namespace zpk::dialogs;
using zpk::test::Child;
using zpk::test::RecordingWindowSystem;

InpBoxExRequest AskName() {
  InpBoxExRequest request;
  request.caption = QStringLiteral("Tidewater");
  request.prompt = QStringLiteral("Name of the copy:");
  request.defaultText = QStringLiteral("harbour.bmp");
  return request;
}

QLineEdit& Input(QDialog& d) { return Child<QLineEdit>(d, "txtInput"); }

void Click(QDialog& d, const char* name) {
  QTest::mouseClick(&Child<QPushButton>(d, name), Qt::LeftButton);
}

struct ResultCase {
  const char* label;
  bool showCancel;
  std::function<void(QDialog&)> action;
  QString expected;
};

const ResultCase kResultCases[] = {
    {"OkKeepsDefault", true, [](QDialog& d) { Click(d, "btn1"); }, QStringLiteral("harbour.bmp")},
    {"TypingReplacesSelectedDefault", true,
     [](QDialog& d) {
       QTest::keyClicks(&Input(d), QStringLiteral("lighthouse.txt"));
       Click(d, "btn1");
     },
     QStringLiteral("lighthouse.txt")},
    {"EnterPressesOk", true,
     [](QDialog& d) {
       QTest::keyClicks(&Input(d), QStringLiteral("reef"));
       QTest::keyClick(&Input(d), Qt::Key_Return);
     },
     QStringLiteral("reef")},
    {"OkWithEmptyText", true,
     [](QDialog& d) {
       QTest::keyClick(&Input(d), Qt::Key_Delete);
       Click(d, "btn1");
     },
     QString()},
    {"Cancel", true,
     [](QDialog& d) {
       QTest::keyClicks(&Input(d), QStringLiteral("reef"));
       Click(d, "btn2");
     },
     QString()},
    {"EscapeCancels", true, [](QDialog& d) { QTest::keyClick(&Input(d), Qt::Key_Escape); }, QString()},
    {"EscapeWithoutCancelButtonDoesNothing", false,
     [](QDialog& d) {
       QTest::keyClick(&Input(d), Qt::Key_Escape);
       EXPECT_TRUE(d.isVisible());
       Click(d, "btn1");
     },
     QStringLiteral("harbour.bmp")},
    {"BackgroundDoubleClick", true,
     [](QDialog& d) {
       const QPoint point(TwipsToPixelsX(d, 4500), TwipsToPixelsY(d, 1300));
       ASSERT_EQ(d.childAt(point), nullptr);
       QTest::mouseDClick(&d, Qt::LeftButton, {}, point);
     },
     QString()},
    {"CloseBox", true, [](QDialog& d) { d.close(); }, QString()},
};

class InpBoxExResultTest : public zpk::test::DialogGlobalsTest,
                           public testing::WithParamInterface<ResultCase> {};

TEST_P(InpBoxExResultTest, ResultOfTheWayOut) {
  const ResultCase& c = GetParam();
  InpBoxExResult = QStringLiteral("stale");
  RecordingWindowSystem windows;
  InpBoxExRequest request = AskName();
  request.showCancel = c.showCancel;
  zpk::test::WhenModalShown(c.action);
  EXPECT_EQ(InpBoxEx(request, windows), c.expected);
  EXPECT_EQ(InpBoxExResult, c.expected);
  EXPECT_FALSE(InpBoxExResult.isNull() && !c.expected.isNull());
}

INSTANTIATE_TEST_SUITE_P(WaysOut, InpBoxExResultTest, testing::ValuesIn(kResultCases),
                         [](const auto& row) { return std::string(row.param.label); });

struct LanguageCase {
  const char* label;
  std::int32_t language;
  const char* help;
  const char* cancel;
  const char* helpTitle;
};

const LanguageCase kLanguageCases[] = {
    {"German", 0, "Hilfe", "Abbrechen", "Hilfe:"},
    {"English", 1, "Help", "Cancel", "Help:"},
};

class InpBoxExLanguageTest : public zpk::test::DialogGlobalsTest,
                             public testing::WithParamInterface<LanguageCase> {};

TEST_P(InpBoxExLanguageTest, CaptionsAndHelpTitleFollowTheLanguage) {
  const LanguageCase& c = GetParam();
  zpk::util::LanguageIndex = c.language;
  RecordingWindowSystem windows;
  InpBoxExRequest request = AskName();
  request.helpText = QStringLiteral("A name without folder.");
  zpk::test::WhenModalShown([&](QDialog& d) {
    EXPECT_EQ(Child<QPushButton>(d, "btnHelp").text(), QString::fromUtf8(c.help));
    EXPECT_EQ(Child<QPushButton>(d, "btn2").text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(Child<QPushButton>(d, "btn1").text(), QStringLiteral("OK"));
    Click(d, "btnHelp");
    EXPECT_TRUE(d.isVisible());
    Click(d, "btn2");
  });
  EXPECT_EQ(InpBoxEx(request, windows), QString());
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text, QStringLiteral("A name without folder."));
  EXPECT_EQ(windows.messages[0].title, QString::fromUtf8(c.helpTitle));
  EXPECT_EQ(windows.messages[0].icon, zpk::platform::MsgIcon::Information);
}

INSTANTIATE_TEST_SUITE_P(Languages, InpBoxExLanguageTest, testing::ValuesIn(kLanguageCases),
                         [](const auto& row) { return std::string(row.param.label); });

class InpBoxExTest : public zpk::test::DialogGlobalsTest {};

TEST_F(InpBoxExTest, ActivationFocusesTheTextWithAllOfItSelected) {
  RecordingWindowSystem windows;
  zpk::test::WhenModalShown([](QDialog& d) {
    EXPECT_EQ(QApplication::focusWidget(), &Input(d));
    EXPECT_EQ(Input(d).selectedText(), QStringLiteral("harbour.bmp"));
    Click(d, "btn1");
  });
  EXPECT_EQ(InpBoxEx(AskName(), windows), QStringLiteral("harbour.bmp"));
}

// Each way of moving the focus into the text box selects its whole text again.
struct FocusCase {
  const char* label;
  std::function<void(QDialog&)> enter;
};

const FocusCase kFocusCases[] = {
    {"TabFromCancel",
     [](QDialog& d) {
       Child<QPushButton>(d, "btn2").setFocus();
       QTest::keyClick(&Child<QPushButton>(d, "btn2"), Qt::Key_Tab);
     }},
    {"ClickIntoText", [](QDialog& d) { QTest::mouseClick(&Input(d), Qt::LeftButton, {}, QPoint(3, 5)); }},
};

class InpBoxExFocusTest : public zpk::test::DialogGlobalsTest,
                          public testing::WithParamInterface<FocusCase> {};

TEST_P(InpBoxExFocusTest, SelectsWholeText) {
  RecordingWindowSystem windows;
  frmInpBoxEx dialog(windows);
  dialog.SetInputText(QStringLiteral("harbour.bmp"));
  dialog.ShowOkButton(true);
  dialog.ShowCancelButton(true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Child<QPushButton>(dialog, "btnHelp").setFocus();
  Input(dialog).deselect();
  ASSERT_FALSE(Input(dialog).hasFocus());

  GetParam().enter(dialog);
  zpk::test::ProcessEvents();
  EXPECT_TRUE(Input(dialog).hasFocus());
  EXPECT_EQ(Input(dialog).selectedText(), QStringLiteral("harbour.bmp"));
  dialog.close();
}

INSTANTIATE_TEST_SUITE_P(Ways, InpBoxExFocusTest, testing::ValuesIn(kFocusCases),
                         [](const auto& row) { return std::string(row.param.label); });

TEST_F(InpBoxExTest, DesignStateBeforeTheCallerFillsIt) {
  RecordingWindowSystem windows;
  frmInpBoxEx dialog(windows);
  const auto px = [&](int twips) { return static_cast<int>(std::lround(twips * dialog.logicalDpiX() / 1440.0)); };
  const auto py = [&](int twips) { return static_cast<int>(std::lround(twips * dialog.logicalDpiY() / 1440.0)); };
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("InpBoxEx..."));
  EXPECT_EQ(dialog.size(), QSize(px(7530), py(2895)));
  EXPECT_EQ(Input(dialog).text(), QStringLiteral("Text1"));
  EXPECT_EQ(Input(dialog).geometry(), QRect(px(825), py(1800), px(5040), py(315)));
  EXPECT_EQ(Child<QPushButton>(dialog, "btn2").geometry(), QRect(px(6150), py(2400), px(1290), py(375)));
  EXPECT_TRUE(Child<QPushButton>(dialog, "btn1").isDefault());
  for (const char* hidden : {"imgStop", "imgWarn", "imgInfo", "lblHelp", "btn1", "btn2"}) {
    EXPECT_TRUE(Child<QWidget>(dialog, hidden).isHidden()) << hidden;
  }
}

}  // namespace
