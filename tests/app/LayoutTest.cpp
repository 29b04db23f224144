// The window's controls at creation: kind, design-time text, place and size (twips turned
// into pixels at the screen's resolution), fonts, colours, pages, pictures, focus order.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <functional>

#include "AppTestSupport.h"
#include "app/ChoiceList.h"
#include "app/LinkLabel.h"

namespace zpk::test {
namespace {

using app::frmMain;

enum class Place { ViewPage, OptionsPage, Window };

struct ControlCase {
  std::string name;
  std::function<QWidget*(frmMain&)> control;
  Place place;
  int left, top, width, height;  // twips
  QString text;                  // design-time text, where the control shows one
};

QString TextOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText();
  return {};
}

#define CONTROL(member) [](frmMain& w) -> QWidget* { return w.member; }

const std::vector<ControlCase> kControls = {
    {"Label1", CONTROL(Label1), Place::ViewPage, 75, 525, 1590, 240, "Installation:"},
    {"lblInstallPath", CONTROL(lblInstallPath), Place::ViewPage, 1800, 525, 9840, 240, "lblInstallPath"},
    {"btnChoosePath", CONTROL(btnChoosePath), Place::ViewPage, 11925, 450, 390, 390, ""},
    {"Label2", CONTROL(Label2), Place::ViewPage, 75, 1050, 1590, 240, "ZPKs:"},
    {"lstZPKFiles", CONTROL(lstZPKFiles), Place::ViewPage, 1800, 1050, 2490, 1425, ""},
    {"Label4", CONTROL(Label4), Place::ViewPage, 4350, 1200, 1215, 240, "Size:"},
    {"lblZPKSize", CONTROL(lblZPKSize), Place::ViewPage, 5700, 1200, 1740, 240, "lblZPKSize"},
    {"Label6", CONTROL(Label6), Place::ViewPage, 4350, 1500, 1215, 240, "Date:"},
    {"lblZPKDate", CONTROL(lblZPKDate), Place::ViewPage, 5700, 1500, 3690, 240, "lblZPKDate"},
    {"Label7", CONTROL(Label7), Place::ViewPage, 4350, 1800, 1215, 240, "ID:"},
    {"lblZPKID", CONTROL(lblZPKID), Place::ViewPage, 5700, 1800, 3465, 240, "lblZPKID"},
    {"Label5", CONTROL(Label5), Place::ViewPage, 4350, 2100, 1215, 240, "Entries:"},
    {"lblZPKEntries", CONTROL(lblZPKEntries), Place::ViewPage, 5700, 2100, 1740, 240, "lblZPKEntries"},
    {"Label8", CONTROL(Label8), Place::ViewPage, 8100, 1050, 1590, 240, "Notes:"},
    {"txtZPKNotes", CONTROL(txtZPKNotes), Place::ViewPage, 9825, 1050, 2490, 1365, ""},
    {"Label3", CONTROL(Label3), Place::ViewPage, 75, 2550, 1590, 240, "Ressources:"},
    {"lstZPKRes", CONTROL(lstZPKRes), Place::ViewPage, 1800, 2550, 10515, 3570, ""},
    {"imgEncrypted", CONTROL(imgEncrypted), Place::ViewPage, 300, 2850, 240, 240, ""},
    {"lblHint", CONTROL(lblHint), Place::ViewPage, 675, 2925, 990, 465, "lblHint"},
    {"btnPlay", CONTROL(btnPlay), Place::ViewPage, 300, 3525, 1365, 315, "Play"},
    {"btnViewTXT", CONTROL(btnViewTXT), Place::ViewPage, 300, 4200, 1365, 315, "View TXT"},
    {"btnViewPIC", CONTROL(btnViewPIC), Place::ViewPage, 300, 4650, 1365, 315, "View Picture"},
    {"btnViewHEX", CONTROL(btnViewHEX), Place::ViewPage, 300, 5100, 1365, 315, "View HEX"},
    {"btnSaveAs", CONTROL(btnSaveAs), Place::ViewPage, 300, 5775, 1365, 315, "Save as..."},
    {"lblResInfos", CONTROL(lblResInfos), Place::ViewPage, 1875, 6225, 7665, 240, "lblResInfos"},
    {"Label9", CONTROL(Label9), Place::OptionsPage, 150, 660, 1050, 195, "HEX Editor:"},
    {"txtHEXEditor", CONTROL(txtHEXEditor), Place::OptionsPage, 1275, 600, 5115, 285, ""},
    {"btnChoose0", CONTROL(btnChoose[0]), Place::OptionsPage, 6450, 540, 405, 375, ""},
    {"lblPICViewerTXT", CONTROL(lblPICViewerTXT), Place::OptionsPage, 150, 1095, 1050, 195, "PIC Viewer:"},
    {"txtPICViewer", CONTROL(txtPICViewer), Place::OptionsPage, 1275, 1035, 5115, 285, ""},
    {"btnChoose1", CONTROL(btnChoose[1]), Place::OptionsPage, 6450, 975, 405, 375, ""},
    {"cbStdViewer", CONTROL(cbStdViewer), Place::OptionsPage, 1275, 1350, 1815, 240, "Use system default"},
    {"lblTXTViewerTXT", CONTROL(lblTXTViewerTXT), Place::OptionsPage, 150, 1770, 1050, 195, "TXT Viewer:"},
    {"txtTXTViewer", CONTROL(txtTXTViewer), Place::OptionsPage, 1275, 1710, 5115, 285, ""},
    {"btnChoose2", CONTROL(btnChoose[2]), Place::OptionsPage, 6450, 1650, 405, 375, ""},
    {"cbStdText", CONTROL(cbStdText), Place::OptionsPage, 1275, 2025, 1815, 240, "Use system default"},
    {"regMain", CONTROL(regMain), Place::Window, 75, 150, 12465, 6615, ""},
    {"lblCopyRightMH", CONTROL(lblCopyRightMH), Place::Window, 150, 6975, 4515, 240, ""},
    {"lblCopyRightQuill", CONTROL(lblCopyRightQuill), Place::Window, 4875, 6975, 2715, 240, ""},
    {"btnDone", CONTROL(btnDone), Place::Window, 11550, 6900, 990, 390, "Done"},
};

class PlacementTest : public WindowTest, public ::testing::WithParamInterface<ControlCase> {};

// At 144 dpi a twip is a tenth of a pixel, so a place that rounds wrongly or ignores the
// resolution shows; at 96 dpi every design value divides evenly.
constexpr double kDpi = 144.0;
int Px(int twips) { return static_cast<int>(std::lround(twips * kDpi / 1440.0)); }

TEST_P(PlacementTest, SitsWhereItsTwipsSayWithItsDesignText) {
  const ControlCase& c = GetParam();
  frmMain& window = Window(kDpi);
  QWidget* widget = c.control(window);
  ASSERT_NE(widget, nullptr);
  QWidget* origin = c.place == Place::Window ? static_cast<QWidget*>(&window) : window.regMain;
  const QPoint topLeft = widget->parentWidget() == origin
                             ? widget->pos()
                             : widget->mapTo(origin, QPoint(0, 0));
  EXPECT_EQ(topLeft, QPoint(Px(c.left), Px(c.top)));
  EXPECT_EQ(widget->width(), Px(c.left + c.width) - Px(c.left));
  EXPECT_EQ(widget->height(), Px(c.top + c.height) - Px(c.top));
  EXPECT_EQ(TextOf(widget), c.text);
  EXPECT_TRUE(widget->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Controls, PlacementTest, ::testing::ValuesIn(kControls),
                         [](const auto& row) { return row.param.name; });

class LayoutTest : public WindowTest {};

TEST_F(LayoutTest, ClientAreaFromTwipsAt96Dpi) { EXPECT_EQ(Window(96).size(), QSize(842, 491)); }

TEST_F(LayoutTest, ClientAreaScalesWithResolution) { EXPECT_EQ(Window(144).size(), QSize(1263, 737)); }

TEST_F(LayoutTest, FontsAndColours) {
  frmMain& w = Window();
  EXPECT_DOUBLE_EQ(w.font().pointSizeF(), 8.25);
  EXPECT_EQ(w.Label1->font().weight(), QFont::Normal);
  for (QLabel* value : {w.lblInstallPath, w.lblZPKSize, w.lblZPKDate, w.lblZPKID, w.lblZPKEntries}) {
    EXPECT_EQ(value->font().weight(), QFont::Bold) << value->text().toStdString();
    EXPECT_EQ(value->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(value->font().pointSizeF(), 8.25);
  }
  EXPECT_EQ(w.lblHint->font().weight(), QFont::Bold);
  EXPECT_EQ(w.btnDone->font().weight(), QFont::Bold);
  EXPECT_NE(w.lblResInfos->font().weight(), QFont::Bold);
  for (QLabel* right : {w.Label1, w.Label2, w.Label3, w.Label9, w.lblPICViewerTXT}) {
    EXPECT_TRUE(right->alignment() & Qt::AlignRight) << right->text().toStdString();
  }
  EXPECT_EQ(w.Line1->palette().color(QPalette::Window), QColor(128, 128, 128));
  EXPECT_EQ(w.Line1->height(), 2);
}

TEST_F(LayoutTest, CreditLinesAreLinksWithLiteralAmpersand) {
  frmMain& w = Start();
  for (app::LinkLabel* link : {w.lblCopyRightMH, w.lblCopyRightQuill}) {
    EXPECT_TRUE(link->font().bold());
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(link->textFormat(), Qt::PlainText);
    EXPECT_EQ(link->buddy(), nullptr);
    EXPECT_FALSE(link->cursor().pixmap().isNull());
  }
  EXPECT_TRUE(w.lblCopyRightMH->text().contains(u'&'));
  EXPECT_TRUE(w.lblCopyRightMH->text().contains(QStringLiteral("Tidewater")));
  EXPECT_TRUE(w.lblCopyRightQuill->text().contains(QStringLiteral("Quill")));
}

TEST_F(LayoutTest, CreditLinesOpenTheirAddresses) {
  frmMain& w = Start();
  QTest::mouseClick(w.lblCopyRightMH, Qt::LeftButton);
  QTest::mouseClick(w.lblCopyRightQuill, Qt::LeftButton);
  QTest::mouseClick(w.lblCopyRightQuill, Qt::RightButton);
  ASSERT_EQ(openedAddresses.size(), 2u);
  EXPECT_TRUE(openedAddresses[0].startsWith(QStringLiteral("https://")));
  EXPECT_TRUE(openedAddresses[1].startsWith(QStringLiteral("https://")));
  EXPECT_NE(openedAddresses[0], openedAddresses[1]);
}

TEST_F(LayoutTest, PicturesAndIcons) {
  frmMain& w = Window();
  EXPECT_EQ(w.ilIcons().Image("icoWarn").size(), QSize(16, 16));
  EXPECT_EQ(w.ilIcons().Image("icoOK").size(), QSize(16, 16));
  EXPECT_TRUE(w.ilIcons().Image("icoNone").isNull());
  EXPECT_EQ(w.imgEncrypted->pixmap().toImage(), w.ilIcons().Image("icoWarn").toImage());
  const QList<QSize> sizes = w.windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(sizes.contains(QSize(48, 48)));
  for (QPushButton* picture : {w.btnChoosePath, w.btnChoose[0], w.btnChoose[1], w.btnChoose[2]}) {
    EXPECT_FALSE(picture->icon().isNull());
  }
}

TEST_F(LayoutTest, ThreePagesAtCreationTwoAfterStartUp) {
  frmMain& w = Window();
  ASSERT_EQ(w.regMain->count(), 3);
  EXPECT_EQ(w.regMain->tabText(0), QStringLiteral("View ZPKs"));
  EXPECT_EQ(w.regMain->tabText(1), QStringLiteral("Options"));
  EXPECT_EQ(w.regMain->tabText(2), QStringLiteral("Tab 2"));
  EXPECT_TRUE(w.regMain->isTabVisible(2));
  EXPECT_EQ(w.regMain->currentIndex(), 0);
  Start();
  EXPECT_TRUE(w.regMain->isTabVisible(0));
  EXPECT_TRUE(w.regMain->isTabVisible(1));
  EXPECT_FALSE(w.regMain->isTabVisible(2));
  EXPECT_EQ(w.regMain->currentIndex(), 0);
}

TEST_F(LayoutTest, PageControlsShowOnlyWithTheirPage) {
  frmMain& w = Start();
  EXPECT_TRUE(w.lstZPKRes->isVisible());
  EXPECT_FALSE(w.txtHEXEditor->isVisible());
  w.regMain->setCurrentIndex(1);
  EXPECT_FALSE(w.lstZPKRes->isVisible());
  EXPECT_TRUE(w.txtHEXEditor->isVisible());
  // The choose button reaches into the band of tabs and still takes clicks.
  EXPECT_LT(w.btnChoosePath->mapTo(w.regMain, QPoint(0, 0)).y(), w.regMain->tabBar()->height());
}

std::vector<QWidget*> TabSequence(frmMain& w, int presses) {
  std::vector<QWidget*> seen;
  for (int i = 0; i < presses; ++i) {
    QWidget* focus = QApplication::focusWidget();
    seen.push_back(focus == w.regMain->tabBar() ? w.regMain : focus);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return seen;
}

TEST_F(LayoutTest, FocusOrderOnEachPage) {
  frmMain& w = Window();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.btnDone->setFocus();
  const std::vector<QWidget*> viewPage = {w.btnDone, w.regMain, w.lstZPKRes, w.lstZPKFiles,
                                          w.txtZPKNotes, w.btnChoosePath, w.btnViewHEX,
                                          w.btnViewPIC, w.btnViewTXT, w.btnPlay, w.btnSaveAs,
                                          w.btnDone};
  EXPECT_EQ(TabSequence(w, static_cast<int>(viewPage.size())), viewPage);

  w.regMain->setCurrentIndex(1);
  w.btnDone->setFocus();
  const std::vector<QWidget*> optionsPage = {w.btnDone, w.regMain, w.btnChoose[0],
                                             w.txtHEXEditor, w.txtPICViewer, w.btnChoose[1],
                                             w.cbStdViewer, w.cbStdText, w.btnChoose[2],
                                             w.txtTXTViewer, w.btnDone};
  EXPECT_EQ(TabSequence(w, static_cast<int>(optionsPage.size())), optionsPage);
}

TEST_F(LayoutTest, ControlsStayPutWhenTheWindowIsResized) {
  frmMain& w = Start();
  const QRect before = w.lstZPKRes->geometry();
  const QRect doneBefore = w.btnDone->geometry();
  w.resize(w.width() + 200, w.height() + 100);
  EXPECT_EQ(w.lstZPKRes->geometry(), before);
  EXPECT_EQ(w.btnDone->geometry(), doneBefore);
  w.resize(300, 200);
  EXPECT_EQ(w.btnDone->geometry(), doneBefore);
}

}  // namespace
}  // namespace zpk::test
