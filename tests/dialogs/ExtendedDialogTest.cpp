// The message dialog and the input dialog: what each way out answers, the captions in each
// language, the help button, the icons, how the controls sit and the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <functional>

#include "DialogTestSupport.h"
#include "dialogs/Twips.h"
#include "dialogs/modMsgBoxEx.h"

namespace {

using namespace zpk::dialogs;
using zpk::test::WhenModalShown;

// The control of that name and kind; a missing one is a broken dialog, so stop loudly.
template <typename T = QWidget>
T& Child(QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control %s", name);
  return *found;
}

void Click(QWidget& dialog, const char* name) {
  QTest::mouseClick(&Child<QAbstractButton>(dialog, name), Qt::LeftButton);
}

MsgBoxExRequest ThreeButtons(bool dontShowBox) {
  MsgBoxExRequest request;
  request.caption = QStringLiteral("Tidewater");
  request.prompt = QStringLiteral("Replace the file?");
  request.buttons = {QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Vielleicht")};
  request.showDontShowBox = dontShowBox;
  return request;
}

InpBoxExRequest AskName() {
  InpBoxExRequest request;
  request.caption = QStringLiteral("Tidewater");
  request.prompt = QStringLiteral("Name of the copy:");
  request.defaultText = QStringLiteral("harbour.bmp");
  return request;
}

QLineEdit& Input(QDialog& d) { return Child<QLineEdit>(d, "txtInput"); }

// A double click on a point of the window with no control under it.
void DoubleClickBackground(QDialog& d, int topTwips) {
  const QPoint point(TwipsToPixelsX(d, 4500), TwipsToPixelsY(d, topTwips));
  QTest::mouseDClick(&d, Qt::LeftButton, {}, point);
}

// ---------------------------------------------------------------------------------------
// The answer of each way out, and the focus on the way there.

// Help, the three buttons, the check box, and around again.
void ExpectTabOrder(QDialog& d) {
  Child<QPushButton>(d, "btnHelp").setFocus();
  QStringList visited;
  for (int i = 0; i < 6; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, QStringList({"btnHelp", "btn1", "btn2", "btn3", "cbDontShow", "btnHelp"}));
}

// Each way of moving the focus into the text box selects its whole text again.
void ExpectEnteringSelectsAll(QDialog& d, const std::function<void()>& enter) {
  Child<QPushButton>(d, "btnHelp").setFocus();
  Input(d).deselect();
  enter();
  QApplication::processEvents();  // the selection after a click comes from a queued call
  EXPECT_EQ(Input(d).selectedText(), QStringLiteral("harbour.bmp"));
}

struct MsgResultCase {
  const char* name;
  bool dontShowBox;
  std::function<void(QDialog&)> action;
  std::int16_t expected;
};

const MsgResultCase kMsgResultCases[] = {
    {"Button2Checked", true, [](QDialog& d) { Click(d, "cbDontShow"); Click(d, "btn2"); }, 258},
    {"BackgroundDoubleClick", false, [](QDialog& d) { DoubleClickBackground(d, 1500); }, 99},
    {"NeitherEscapeNorADoubleClickOnThePromptCloses", false,
     [](QDialog& d) {
       QTest::keyClick(&d, Qt::Key_Escape);
       QTest::mouseDClick(&Child(d, "lblPrompt"), Qt::LeftButton);
       EXPECT_TRUE(d.isVisible());
       Click(d, "btn3");
     },
     3},
    {"CloseBox", false, [](QDialog& d) { d.close(); }, kMsgBoxExClosed},
    {"CloseBoxChecked", true, [](QDialog& d) { Click(d, "cbDontShow"); d.close(); }, 256},
    {"TabVisitsButtonsThenCheckBox", true, [](QDialog& d) { ExpectTabOrder(d); Click(d, "btn1"); }, 1},
};

class MsgBoxExResultTest : public zpk::test::DialogGlobalsTest,
                           public testing::WithParamInterface<MsgResultCase> {};

TEST_P(MsgBoxExResultTest, ResultOfTheWayOut) {
  const MsgResultCase& c = GetParam();
  MsgBoxExResult = 77;  // a stale answer from an earlier dialog must not survive
  WhenModalShown(c.action);
  const std::int16_t result = MsgBoxEx(ThreeButtons(c.dontShowBox), windows);
  EXPECT_EQ(result, c.expected);
  const MsgBoxExAnswer answer = DecodeMsgBoxExResult(result);
  EXPECT_EQ(answer.dontShowAgain, c.expected >= 256);
  EXPECT_EQ(answer.button, c.expected % 256);
}

INSTANTIATE_TEST_SUITE_P(WaysOut, MsgBoxExResultTest, testing::ValuesIn(kMsgResultCases),
                         zpk::test::RowName());

struct InpResultCase {
  const char* name;
  bool showCancel;
  std::function<void(QDialog&)> action;
  QString expected;
};

const InpResultCase kInpResultCases[] = {
    {"TypingReplacesTheFocusedDefaultAndEnterPressesOk", true,
     [](QDialog&) {
       QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("reef"));
       QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
     },
     QStringLiteral("reef")},
    {"EscapeCancelsWhatWasTyped", true,
     [](QDialog& d) {
       QTest::keyClicks(&Input(d), QStringLiteral("reef"));
       QTest::keyClick(&Input(d), Qt::Key_Escape);
     },
     QString()},
    {"EscapeWithoutCancelButtonDoesNothing", false,
     [](QDialog& d) {
       QTest::keyClick(&Input(d), Qt::Key_Escape);
       EXPECT_TRUE(d.isVisible());
       Click(d, "btn1");
     },
     QStringLiteral("harbour.bmp")},
    {"BackgroundDoubleClick", true, [](QDialog& d) { DoubleClickBackground(d, 1300); }, QString()},
    {"CloseBox", true, [](QDialog& d) { d.close(); }, QString()},
    {"TabFromCancelOrAClickSelectsAll", true,
     [](QDialog& d) {
       auto& cancel = Child<QPushButton>(d, "btn2");
       ExpectEnteringSelectsAll(d, [&] { cancel.setFocus(); QTest::keyClick(&cancel, Qt::Key_Tab); });
       ExpectEnteringSelectsAll(d, [&] { QTest::mouseClick(&Input(d), Qt::LeftButton, {}, QPoint(3, 5)); });
       Click(d, "btn1");
     },
     QStringLiteral("harbour.bmp")},
};

class InpBoxExResultTest : public zpk::test::DialogGlobalsTest,
                           public testing::WithParamInterface<InpResultCase> {};

TEST_P(InpBoxExResultTest, ResultOfTheWayOut) {
  const InpResultCase& c = GetParam();
  InpBoxExResult = QStringLiteral("stale");
  InpBoxExRequest request = AskName();
  request.showCancel = c.showCancel;
  WhenModalShown(c.action);
  EXPECT_EQ(InpBoxEx(request, windows), c.expected);
}

INSTANTIATE_TEST_SUITE_P(WaysOut, InpBoxExResultTest, testing::ValuesIn(kInpResultCases),
                         zpk::test::RowName());

// ---------------------------------------------------------------------------------------
// Captions in each language, the icon asked for, the help button's message, and how the
// shown controls sit.

struct LanguageCase {
  const char* name;
  bool input;  // the input dialog, else the message dialog
  std::int32_t language;
  const char* help;
  const char* other;  // the check box's caption, or the cancel button's
  DialogIcon icon;
  QStyle::StandardPixmap picture;
};

const LanguageCase kLanguageCases[] = {
    {"MessageGerman", false, 0, "Hilfe", "Diese Meldung nicht mehr anzeigen", DialogIcon::Stop,
     QStyle::SP_MessageBoxCritical},
    {"MessageEnglish", false, 1, "Help", "Don't show this message again", DialogIcon::Warning,
     QStyle::SP_MessageBoxWarning},
    {"InputGerman", true, 0, "Hilfe", "Abbrechen", DialogIcon::Information, QStyle::SP_MessageBoxInformation},
    {"InputEnglish", true, 1, "Help", "Cancel", DialogIcon::Question, QStyle::SP_MessageBoxQuestion},
};

// The shown controls lie inside the fixed-size window and none over another, the buttons in
// one row from left to right; besides them only the icon, the prompt, and the text box or
// the check box show.
void ExpectControlsSitApart(QDialog& d, const std::vector<const char*>& buttonsLeftToRight) {
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  QList<QWidget*> shown;
  for (QWidget* w : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisible()) shown << w;
  }
  EXPECT_EQ(shown.size(), static_cast<qsizetype>(buttonsLeftToRight.size()) + 3);
  for (int i = 0; i < shown.size(); ++i) {
    EXPECT_TRUE(d.rect().contains(shown[i]->geometry())) << shown[i]->objectName().toStdString();
    for (int j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << shown[i]->objectName().toStdString() << " over " << shown[j]->objectName().toStdString();
    }
  }
  for (std::size_t i = 1; i < buttonsLeftToRight.size(); ++i) {
    const QWidget& button = Child(d, buttonsLeftToRight[i]);
    const QRect left = Child(d, buttonsLeftToRight[i - 1]).geometry();
    EXPECT_EQ(button.y(), left.top()) << buttonsLeftToRight[i];
    EXPECT_GT(button.x(), left.right()) << buttonsLeftToRight[i];
  }
}

class ExtendedDialogLanguageTest : public zpk::test::DialogGlobalsTest,
                                   public testing::WithParamInterface<LanguageCase> {};

TEST_P(ExtendedDialogLanguageTest, CaptionsHelpAndPlaces) {
  const LanguageCase& c = GetParam();
  zpk::util::LanguageIndex = c.language;
  WhenModalShown([&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Tidewater"));
    EXPECT_EQ(Child<QPushButton>(d, "btnHelp").text(), QString::fromUtf8(c.help));
    const QAbstractButton& other = Child<QAbstractButton>(d, c.input ? "btn2" : "cbDontShow");
    EXPECT_EQ(other.text(), QString::fromUtf8(c.other));
    EXPECT_EQ(Child<QPushButton>(d, "btn1").text(), c.input ? QStringLiteral("OK") : QStringLiteral("Ja"));
    EXPECT_EQ(Child<QLabel>(d, "imgIcon").pixmap().toImage(),
              d.style()->standardIcon(c.picture).pixmap(32, 32).toImage());
    ExpectControlsSitApart(d, c.input ? std::vector<const char*>{"btnHelp", "btn1", "btn2"}
                                      : std::vector<const char*>{"btnHelp", "btn1", "btn2", "btn3"});
    Click(d, "btnHelp");
    EXPECT_TRUE(d.isVisible()) << "help keeps the dialog open";
    Click(d, "btn1");
  });
  const auto withHelp = [&](auto request) {
    request.helpText = QStringLiteral("Press the button.");
    request.icon = c.icon;
    return request;
  };
  if (c.input) {
    EXPECT_EQ(InpBoxEx(withHelp(AskName()), windows), QStringLiteral("harbour.bmp"));
  } else {
    EXPECT_EQ(MsgBoxEx(withHelp(ThreeButtons(true)), windows), 1);
  }
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text, QStringLiteral("Press the button."));
  EXPECT_EQ(windows.messages[0].title, QString::fromUtf8(c.help) + u':');
  EXPECT_EQ(windows.messages[0].icon, zpk::platform::MsgIcon::Information);
  EXPECT_EQ(windows.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, ExtendedDialogLanguageTest, testing::ValuesIn(kLanguageCases),
                         zpk::test::RowName());

class ExtendedDialogTest : public zpk::test::DialogGlobalsTest {};

// Help without a text only beeps; only the buttons asked for show; a long prompt wraps and
// grows downwards within the window.
TEST_F(ExtendedDialogTest, HelpWithoutTextOnlyBeepsAndOnlyRequestedButtonsShow) {
  MsgBoxExRequest request;
  request.buttons = {std::nullopt, QStringLiteral("Nein"), std::nullopt};
  for (int i = 0; i < 30; ++i) request.prompt += QStringLiteral("Resource archive ");
  WhenModalShown([](QDialog& d) {
    const QLabel& prompt = Child<QLabel>(d, "lblPrompt");
    EXPECT_GT(prompt.height(), 2 * prompt.fontMetrics().height());
    EXPECT_LE(prompt.geometry().right(), d.width());
    EXPECT_FALSE(Child(d, "btn1").isVisible());
    EXPECT_FALSE(Child(d, "btn3").isVisible());
    EXPECT_FALSE(Child(d, "cbDontShow").isVisible());
    Click(d, "btnHelp");
    Click(d, "btnHelp");
    Click(d, "btn2");
  });
  EXPECT_EQ(MsgBoxEx(request, windows), 2);
  EXPECT_EQ(windows.beeps, 2);
  EXPECT_TRUE(windows.messages.empty());
}

}  // namespace
