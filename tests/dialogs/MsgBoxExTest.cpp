#include "dialogs/modMsgBoxEx.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>

#include "DialogTestSupport.h"
#include "dialogs/Twips.h"
#include "dialogs/frmMsgBoxEx.h"
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

MsgBoxExRequest ThreeButtons(bool dontShowBox) {
  MsgBoxExRequest request;
  request.caption = QStringLiteral("Tidewater");
  request.prompt = QStringLiteral("Replace the file?");
  request.buttons = {QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Vielleicht")};
  request.showDontShowBox = dontShowBox;
  return request;
}

void Click(QDialog& dialog, const char* name) {
  QTest::mouseClick(&Child<QAbstractButton>(dialog, name), Qt::LeftButton);
}

// A point of the window with no control under it.
QPoint Background(QDialog& dialog) {
  const QPoint point(TwipsToPixelsX(dialog, 4500), TwipsToPixelsY(dialog, 1500));
  EXPECT_EQ(dialog.childAt(point), nullptr);
  return point;
}

struct ResultCase {
  const char* label;
  bool dontShowBox;
  std::function<void(QDialog&)> action;
  std::int16_t expected;
};

const ResultCase kResultCases[] = {
    {"Button1", false, [](QDialog& d) { Click(d, "btn1"); }, 1},
    {"Button2", false, [](QDialog& d) { Click(d, "btn2"); }, 2},
    {"Button3", true, [](QDialog& d) { Click(d, "btn3"); }, 3},
    {"Button2Checked", true, [](QDialog& d) { Click(d, "cbDontShow"); Click(d, "btn2"); }, 258},
    {"CheckedTwiceIsUnchecked", true,
     [](QDialog& d) { Click(d, "cbDontShow"); Click(d, "cbDontShow"); Click(d, "btn1"); }, 1},
    {"BackgroundDoubleClick", false,
     [](QDialog& d) { QTest::mouseDClick(&d, Qt::LeftButton, {}, Background(d)); }, 99},
    {"BackgroundDoubleClickChecked", true,
     [](QDialog& d) {
       Click(d, "cbDontShow");
       QTest::mouseDClick(&d, Qt::LeftButton, {}, Background(d));
     },
     355},
    {"DoubleClickOnPromptIsNotBackground", false,
     [](QDialog& d) {
       QTest::mouseDClick(&Child<QLabel>(d, "lblPrompt"), Qt::LeftButton);
       EXPECT_TRUE(d.isVisible());
       Click(d, "btn3");
     },
     3},
    {"CloseBox", false, [](QDialog& d) { d.close(); }, kMsgBoxExClosed},
    {"CloseBoxChecked", true, [](QDialog& d) { Click(d, "cbDontShow"); d.close(); }, 256},
    {"EscapeDoesNothing", false,
     [](QDialog& d) {
       QTest::keyClick(&d, Qt::Key_Escape);
       EXPECT_TRUE(d.isVisible());
       Click(d, "btn2");
     },
     2},
};

class MsgBoxExResultTest : public zpk::test::DialogGlobalsTest,
                           public testing::WithParamInterface<ResultCase> {};

TEST_P(MsgBoxExResultTest, ResultOfTheWayOut) {
  const ResultCase& c = GetParam();
  MsgBoxExResult = 77;  // a stale answer from an earlier dialog must not survive
  RecordingWindowSystem windows;
  zpk::test::WhenModalShown(c.action);
  const std::int16_t result = MsgBoxEx(ThreeButtons(c.dontShowBox), windows);
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(MsgBoxExResult, c.expected);
  const MsgBoxExAnswer answer = DecodeMsgBoxExResult(result);
  EXPECT_EQ(answer.dontShowAgain, c.expected >= 256);
  EXPECT_EQ(answer.button, c.expected % 256);
}

INSTANTIATE_TEST_SUITE_P(WaysOut, MsgBoxExResultTest, testing::ValuesIn(kResultCases),
                         [](const auto& row) { return std::string(row.param.label); });

struct LanguageCase {
  const char* label;
  std::int32_t language;
  const char* help;
  const char* dontShow;
  const char* helpTitle;
};

const LanguageCase kLanguageCases[] = {
    {"German", 0, "Hilfe", "Diese Meldung nicht mehr anzeigen", "Hilfe:"},
    {"English", 1, "Help", "Don't show this message again", "Help:"},
};

class MsgBoxExLanguageTest : public zpk::test::DialogGlobalsTest,
                             public testing::WithParamInterface<LanguageCase> {};

TEST_P(MsgBoxExLanguageTest, CaptionsAndHelpTitleFollowTheLanguage) {
  const LanguageCase& c = GetParam();
  zpk::util::LanguageIndex = c.language;
  RecordingWindowSystem windows;
  MsgBoxExRequest request = ThreeButtons(true);
  request.helpText = QStringLiteral("Press Ja to replace.");
  zpk::test::WhenModalShown([&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Tidewater"));
    EXPECT_EQ(Child<QPushButton>(d, "btnHelp").text(), QString::fromUtf8(c.help));
    EXPECT_EQ(Child<QCheckBox>(d, "cbDontShow").text(), QString::fromUtf8(c.dontShow));
    EXPECT_EQ(Child<QPushButton>(d, "btn1").text(), QStringLiteral("Ja"));
    Click(d, "btnHelp");
    EXPECT_TRUE(d.isVisible()) << "help keeps the dialog open";
    Click(d, "btn1");
  });
  EXPECT_EQ(MsgBoxEx(request, windows), 1);
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text, QStringLiteral("Press Ja to replace."));
  EXPECT_EQ(windows.messages[0].title, QString::fromUtf8(c.helpTitle));
  EXPECT_EQ(windows.messages[0].icon, zpk::platform::MsgIcon::Information);
  EXPECT_EQ(windows.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, MsgBoxExLanguageTest, testing::ValuesIn(kLanguageCases),
                         [](const auto& row) { return std::string(row.param.label); });

class MsgBoxExTest : public zpk::test::DialogGlobalsTest {};

TEST_F(MsgBoxExTest, HelpWithoutTextOnlyBeeps) {
  RecordingWindowSystem windows;
  zpk::test::WhenModalShown([](QDialog& d) {
    Click(d, "btnHelp");
    Click(d, "btnHelp");
    Click(d, "btn1");
  });
  EXPECT_EQ(MsgBoxEx(ThreeButtons(false), windows), 1);
  EXPECT_EQ(windows.beeps, 2);
  EXPECT_TRUE(windows.messages.empty());
}

TEST_F(MsgBoxExTest, OnlyRequestedButtonsAndBoxAreShown) {
  RecordingWindowSystem windows;
  MsgBoxExRequest request;
  request.buttons = {std::nullopt, QStringLiteral("Nein"), std::nullopt};
  zpk::test::WhenModalShown([](QDialog& d) {
    EXPECT_FALSE(Child<QPushButton>(d, "btn1").isVisible());
    EXPECT_TRUE(Child<QPushButton>(d, "btn2").isVisible());
    EXPECT_FALSE(Child<QPushButton>(d, "btn3").isVisible());
    EXPECT_FALSE(Child<QCheckBox>(d, "cbDontShow").isVisible());
    EXPECT_TRUE(Child<QPushButton>(d, "btnHelp").isVisible());
    Click(d, "btn2");
  });
  EXPECT_EQ(MsgBoxEx(request, windows), 2);
}

struct IconCase {
  const char* label;
  DialogIcon icon;
  const char* source;  // the hidden picture imgIcon must show
};

const IconCase kIconCases[] = {
    {"Stop", DialogIcon::Stop, "imgStop"},
    {"Warning", DialogIcon::Warning, "imgWarn"},
    {"Question", DialogIcon::Question, "imgFrage"},
};

class MsgBoxExIconTest : public zpk::test::DialogGlobalsTest,
                         public testing::WithParamInterface<IconCase> {};

TEST_P(MsgBoxExIconTest, IconShowsThePictureOfItsHiddenSource) {
  RecordingWindowSystem windows;
  frmMsgBoxEx dialog(windows);
  const QImage design = Child<QLabel>(dialog, "imgIcon").pixmap().toImage();
  dialog.ShowIcon(GetParam().icon);
  const QImage shown = Child<QLabel>(dialog, "imgIcon").pixmap().toImage();
  EXPECT_EQ(shown.size(), QSize(32, 32));
  EXPECT_EQ(shown, Child<QLabel>(dialog, GetParam().source).pixmap().toImage());
  EXPECT_NE(shown, design);
  dialog.ShowIcon(DialogIcon::Information);
  EXPECT_EQ(Child<QLabel>(dialog, "imgIcon").pixmap().toImage(), design);
}

INSTANTIATE_TEST_SUITE_P(Icons, MsgBoxExIconTest, testing::ValuesIn(kIconCases),
                         [](const auto& row) { return std::string(row.param.label); });

TEST_F(MsgBoxExTest, LayoutInTwipsWithFixedSize) {
  RecordingWindowSystem windows;
  frmMsgBoxEx dialog(windows);
  const auto px = [&](int twips) { return static_cast<int>(std::lround(twips * dialog.logicalDpiX() / 1440.0)); };
  const auto py = [&](int twips) { return static_cast<int>(std::lround(twips * dialog.logicalDpiY() / 1440.0)); };
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("MsgBoxEx..."));
  EXPECT_EQ(dialog.size(), QSize(px(7530), py(2895)));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(Child<QPushButton>(dialog, "btn2").geometry(), QRect(px(3750), py(2400), px(1740), py(375)));
  EXPECT_EQ(Child<QCheckBox>(dialog, "cbDontShow").geometry(), QRect(px(825), py(2025), px(2940), py(240)));
  EXPECT_EQ(Child<QLabel>(dialog, "imgFrage").geometry(), QRect(px(6975), py(225), px(480), py(480)));
  EXPECT_EQ(dialog.font().family(), QStringLiteral("Tahoma"));
  EXPECT_DOUBLE_EQ(dialog.font().pointSizeF(), 8.25);
  EXPECT_EQ(Child<QLabel>(dialog, "lblHelp").font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(Child<QPushButton>(dialog, "btn3").property(kHelpIdProperty).toInt(), 10200);
  for (const char* hidden : {"imgStop", "imgWarn", "imgFrage", "lblHelp", "cbDontShow", "btn1", "btn2", "btn3"}) {
    EXPECT_TRUE(Child<QWidget>(dialog, hidden).isHidden()) << hidden;
  }
  const QPoint screenCentre = dialog.screen()->availableGeometry().center();
  EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 2);
}

TEST_F(MsgBoxExTest, LongPromptWrapsAndGrowsDownwards) {
  RecordingWindowSystem windows;
  frmMsgBoxEx dialog(windows);
  QString prompt;
  for (int i = 0; i < 30; ++i) prompt += QStringLiteral("Resource archive ");
  dialog.SetPrompt(prompt);
  const QLabel& label = Child<QLabel>(dialog, "lblPrompt");
  EXPECT_GT(label.height(), 2 * label.fontMetrics().height());
  EXPECT_LE(label.geometry().right(), dialog.width());
}

TEST_F(MsgBoxExTest, TabVisitsButtonsThenCheckBox) {
  RecordingWindowSystem windows;
  frmMsgBoxEx dialog(windows);
  for (int n = 1; n <= 3; ++n) dialog.ShowButton(n, QString::number(n));
  dialog.ShowDontShowBox(true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Child<QPushButton>(dialog, "btnHelp").setFocus();
  QStringList visited;
  for (int i = 0; i < 5; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, QStringList({"btnHelp", "btn1", "btn2", "btn3", "cbDontShow"}));
  EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("btnHelp"));
  dialog.close();
}

}  // namespace
