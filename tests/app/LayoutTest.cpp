// The window's controls as a user meets them: inside the window or their page, none over
// another, in reading order beside their captions, lined up where the design lines them up;
// at 120 dpi too, where twips do not divide into whole pixels and rounding shows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "AppTestSupport.h"
#include "app/AppText.h"
#include "app/LinkLabel.h"

namespace zpk::test {
namespace {

using app::frmMain;

std::string NameOf(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty()) return label->text().toStdString();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text().toStdString();
  return w->metaObject()->className();
}

// Every control shown on `surface` lies inside it and over no other.
void ExpectApartAndInside(const QWidget& surface) {
  QList<QWidget*> controls;
  for (QWidget* w : surface.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isHidden() && !w->isWindow()) controls << w;
  }
  ASSERT_GE(controls.size(), 4);
  for (int i = 0; i < controls.size(); ++i) {
    const QRect r = controls[i]->geometry();
    EXPECT_TRUE(surface.rect().contains(r)) << NameOf(controls[i]) << " off its page";
    for (int j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(r.intersects(controls[j]->geometry())) << NameOf(controls[i]) << " over " << NameOf(controls[j]);
    }
  }
}

// Captions right-aligned, left of their control and in its row; rows from top to bottom.
void ExpectCaptionColumn(const std::vector<std::pair<QLabel*, QWidget*>>& rows) {
  int previousTop = -1;
  for (const auto& [caption, control] : rows) {
    const QRect c = caption->geometry(), v = control->geometry();
    EXPECT_TRUE(caption->alignment() & Qt::AlignRight) << NameOf(caption);
    EXPECT_LT(c.right(), v.left()) << NameOf(caption);
    EXPECT_TRUE(c.center().y() >= v.top() && c.center().y() <= v.bottom()) << NameOf(caption) << " not in its row";
    EXPECT_GT(c.top(), previousTop) << NameOf(caption);
    EXPECT_EQ(c.left(), rows.front().first->x()) << NameOf(caption);
    previousTop = c.top();
  }
}

// The controls one above the other, in this order, with the same left edge.
void ExpectStacked(const std::vector<QWidget*>& column) {
  for (std::size_t i = 1; i < column.size(); ++i) {
    EXPECT_GT(column[i]->y(), column[i - 1]->geometry().bottom()) << NameOf(column[i]);
    EXPECT_EQ(column[i]->x(), column[0]->x()) << NameOf(column[i]);
  }
}

struct DpiCase {
  const char* name;
  double dpi;
  QSize clientArea;
};

class LayoutAtDpi : public WindowTest, public ::testing::WithParamInterface<DpiCase> {};

TEST_P(LayoutAtDpi, ControlsSitApartInReadingOrder) {
  frmMain& w = Window(GetParam().dpi);
  EXPECT_EQ(w.size(), GetParam().clientArea);
  QWidget& view = *w.Label1->parentWidget();
  QWidget& options = *w.Label9->parentWidget();
  ExpectApartAndInside(w);
  ExpectApartAndInside(view);
  ExpectApartAndInside(options);
  EXPECT_EQ(view.size(), w.regMain->size());
  EXPECT_EQ(options.size(), w.regMain->size());

  ExpectCaptionColumn({{w.Label1, w.lblInstallPath}, {w.Label2, w.lstZPKFiles}, {w.Label3, w.lstZPKRes}});
  ExpectCaptionColumn({{w.Label4, w.lblZPKSize}, {w.Label6, w.lblZPKDate}, {w.Label7, w.lblZPKID},
                       {w.Label5, w.lblZPKEntries}});
  ExpectCaptionColumn({{w.Label8, w.txtZPKNotes}});
  ExpectCaptionColumn({{w.Label9, w.txtHEXEditor}, {w.lblPICViewerTXT, w.txtPICViewer},
                       {w.lblTXTViewerTXT, w.txtTXTViewer}});
  // The info block sits right of the archive list, the notes right of the info block.
  EXPECT_LT(w.lstZPKFiles->geometry().right(), w.Label4->x());
  EXPECT_LT(w.lblZPKSize->geometry().right(), w.Label8->x());

  const std::vector<QWidget*> buttons = {w.btnPlay, w.btnViewTXT, w.btnViewPIC, w.btnViewHEX, w.btnSaveAs};
  ExpectStacked(buttons);
  for (QWidget* b : buttons) {
    EXPECT_EQ(b->width(), w.btnPlay->width());
    EXPECT_LT(b->geometry().right(), w.lstZPKRes->x());
    EXPECT_GT(b->y(), w.lblHint->geometry().bottom());
  }
  ExpectStacked({w.txtHEXEditor, w.txtPICViewer, w.cbStdViewer, w.txtTXTViewer, w.cbStdText});

  // Picture buttons right of what they choose, in its row; the long right edges line up.
  for (auto [box, button] : std::vector<std::pair<QWidget*, QWidget*>>{
           {w.lblInstallPath, w.btnChoosePath}, {w.txtHEXEditor, w.btnChoose[0]},
           {w.txtPICViewer, w.btnChoose[1]}, {w.txtTXTViewer, w.btnChoose[2]}}) {
    EXPECT_LT(box->geometry().right(), button->x());
    EXPECT_TRUE(box->geometry().center().y() >= button->y() && box->geometry().center().y() <= button->geometry().bottom());
    EXPECT_FALSE(static_cast<QPushButton*>(button)->icon().isNull());
  }
  EXPECT_EQ(w.txtZPKNotes->geometry().right(), w.lstZPKRes->geometry().right());
  EXPECT_EQ(w.btnChoosePath->geometry().right(), w.lstZPKRes->geometry().right());
  EXPECT_EQ(w.btnDone->geometry().right(), w.regMain->geometry().right());
  // The credits share the bottom row left of Done.
  EXPECT_LT(w.lblCopyRightMH->geometry().right(), w.lblCopyRightQuill->x());
  EXPECT_LT(w.lblCopyRightQuill->geometry().right(), w.btnDone->x());
  EXPECT_GT(w.lblCopyRightMH->y(), w.regMain->geometry().bottom());
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutAtDpi,
                         ::testing::Values(DpiCase{"96dpi", 96, {842, 491}}, DpiCase{"120dpi", 120, {1053, 614}}),
                         RowName());

class LayoutTest : public WindowTest {};

std::vector<QWidget*> TabSequence(frmMain& w, int presses) {
  std::vector<QWidget*> seen;
  for (int i = 0; i < presses; ++i) {
    QWidget* focus = QApplication::focusWidget();
    seen.push_back(focus == w.regMain->tabBar() ? w.regMain : focus);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return seen;
}

// The third page is there while the window is built and hidden once start-up is done; each
// page's controls show with their page only, as the focus order on each page shows. The
// credit lines are links that open their addresses on a left click.
TEST_F(LayoutTest, TwoPagesAfterStartUpEachWithItsControlsInFocusOrder) {
  frmMain& w = Window();
  ASSERT_EQ(w.regMain->count(), 3);
  EXPECT_TRUE(w.regMain->isTabVisible(2));
  Start();
  EXPECT_TRUE(w.regMain->isTabVisible(0) && w.regMain->isTabVisible(1));
  EXPECT_FALSE(w.regMain->isTabVisible(2));
  EXPECT_EQ(w.lblCopyRightMH->textFormat(), Qt::PlainText) << "the credit's '&' shows as it is";
  QTest::mouseClick(w.lblCopyRightMH, Qt::LeftButton);
  QTest::mouseClick(w.lblCopyRightQuill, Qt::LeftButton);
  QTest::mouseClick(w.lblCopyRightQuill, Qt::RightButton);
  EXPECT_EQ(openedAddresses, (std::vector<QString>{app::kGameWebAddress, app::kAuthorWebAddress}));
  // The choose button reaches into the band of tabs and still takes clicks.
  EXPECT_LT(w.btnChoosePath->mapTo(w.regMain, QPoint(0, 0)).y(), w.regMain->tabBar()->height());

  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.btnDone->setFocus();  // start-up shows the first page
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

}  // namespace
}  // namespace zpk::test
