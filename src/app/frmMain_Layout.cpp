// The window's controls in their design-time state: positions and sizes in twips, texts,
// fonts, colours and the focus order.
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/ChoiceList.h"
#include "app/EntryListModel.h"
#include "app/LinkLabel.h"
#include "app/TwipsLayout.h"
#include "app/frmMain.h"

namespace zpk::app {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGrey(128, 128, 128);

enum class Align { Left, Right };

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::WindowText, colour);
  widget->setPalette(colours);
}

}  // namespace

QWidget* frmMain::AddPage(const QString& caption) {
  regMain->addTab(new QWidget(), caption);
  // The surface covers the whole tab control below its row of tabs; it draws nothing of
  // its own, so the page frame shows through it.
  auto* surface = new QWidget(regMain);
  surface->setGeometry(0, 0, regMain->width(), regMain->height());
  pageSurfaces_.push_back(surface);
  return surface;
}

void frmMain::ShowPageSurface(int page) {
  for (std::size_t i = 0; i < pageSurfaces_.size(); ++i) {
    pageSurfaces_[i]->setVisible(static_cast<int>(i) == page);
  }
}

void frmMain::BuildLayout() {
  const TwipsLayout twips(services_.logicalDpi);
  setFont(WindowFont());
  setWindowIcon(ApplicationIcon());
  resize(twips.Size(12630, 7365));
  // Centred on the screen; the frame is the window system's.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
  }

  const auto label = [&](QWidget* parent, const QString& text, int l, int t, int w, int h,
                         Align align = Align::Left) {
    auto* widget = new QLabel(text, parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setWordWrap(true);
    widget->setAlignment(Qt::AlignTop |
                         (align == Align::Right ? Qt::AlignRight : Qt::AlignLeft));
    widget->setGeometry(twips.Rect(l, t, w, h));
    return widget;
  };
  const auto valueLabel = [&](QWidget* parent, const QString& text, int l, int t, int w, int h) {
    QLabel* widget = label(parent, text, l, t, w, h);
    widget->setFont(BoldFont());
    SetTextColour(widget, kBlue);
    return widget;
  };
  const auto button = [&](QWidget* parent, const QString& text, int l, int t, int w, int h) {
    auto* widget = new QPushButton(text, parent);
    widget->setAutoDefault(false);
    widget->setGeometry(twips.Rect(l, t, w, h));
    return widget;
  };
  const auto pictureButton = [&](QWidget* parent, int l, int t, int w, int h) {
    QPushButton* widget = button(parent, QString(), l, t, w, h);
    widget->setIcon(OpenFolderIcon());
    widget->setIconSize(QSize(16, 16));
    return widget;
  };

  regMain = new QTabWidget(this);
  regMain->setObjectName(QStringLiteral("regMain"));
  regMain->setGeometry(twips.Rect(75, 150, 12465, 6615));
  regMain->setStyleSheet(
      QStringLiteral("QTabBar::tab { height: %1px; }").arg(twips.Pixels(520) - 2));

  // Page 0, "View ZPKs".
  QWidget* view = AddPage(QStringLiteral("View ZPKs"));
  Label1 = label(view, QStringLiteral("Installation:"), 75, 525, 1590, 240, Align::Right);
  lblInstallPath = valueLabel(view, QStringLiteral("lblInstallPath"), 1800, 525, 9840, 240);
  btnChoosePath = pictureButton(view, 11925, 450, 390, 390);
  Line1 = new QFrame(view);
  Line1->setGeometry(twips.Rect(1800, 825, 11850 - 1800, 0).adjusted(0, 0, 0, 2));
  Line1->setAutoFillBackground(true);
  {
    QPalette colours = Line1->palette();
    colours.setColor(QPalette::Window, kGrey);
    Line1->setPalette(colours);
  }
  Label2 = label(view, QStringLiteral("ZPKs:"), 75, 1050, 1590, 240, Align::Right);
  lstZPKFiles = new ChoiceList(view);
  lstZPKFiles->setGeometry(twips.Rect(1800, 1050, 2490, 1425));
  Label4 = label(view, QStringLiteral("Size:"), 4350, 1200, 1215, 240, Align::Right);
  lblZPKSize = valueLabel(view, QStringLiteral("lblZPKSize"), 5700, 1200, 1740, 240);
  Label6 = label(view, QStringLiteral("Date:"), 4350, 1500, 1215, 240, Align::Right);
  lblZPKDate = valueLabel(view, QStringLiteral("lblZPKDate"), 5700, 1500, 3690, 240);
  Label7 = label(view, QStringLiteral("ID:"), 4350, 1800, 1215, 240, Align::Right);
  lblZPKID = valueLabel(view, QStringLiteral("lblZPKID"), 5700, 1800, 3465, 240);
  Label5 = label(view, QStringLiteral("Entries:"), 4350, 2100, 1215, 240, Align::Right);
  lblZPKEntries = valueLabel(view, QStringLiteral("lblZPKEntries"), 5700, 2100, 1740, 240);
  Label8 = label(view, QStringLiteral("Notes:"), 8100, 1050, 1590, 240, Align::Right);
  txtZPKNotes = new QPlainTextEdit(view);
  txtZPKNotes->setGeometry(twips.Rect(9825, 1050, 2490, 1365));
  txtZPKNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtZPKNotes->setTabChangesFocus(true);
  Label3 = label(view, QStringLiteral("Ressources:"), 75, 2550, 1590, 240, Align::Right);
  lstZPKRes = new ChoiceList(view);
  lstZPKRes->setGeometry(twips.Rect(1800, 2550, 10515, 3570));
  imgEncrypted = new QLabel(view);
  imgEncrypted->setGeometry(twips.Rect(300, 2850, 240, 240));
  imgEncrypted->setPixmap(ilIcons_.Image(QString::fromLatin1(kIconWarn)));
  lblHint = label(view, QStringLiteral("lblHint"), 675, 2925, 990, 465);
  lblHint->setFont(BoldFont());
  btnPlay = button(view, QStringLiteral("Play"), 300, 3525, 1365, 315);
  btnViewTXT = button(view, QStringLiteral("View TXT"), 300, 4200, 1365, 315);
  btnViewPIC = button(view, QStringLiteral("View Picture"), 300, 4650, 1365, 315);
  btnViewHEX = button(view, QStringLiteral("View HEX"), 300, 5100, 1365, 315);
  btnSaveAs = button(view, QStringLiteral("Save as..."), 300, 5775, 1365, 315);
  lblResInfos = label(view, QStringLiteral("lblResInfos"), 1875, 6225, 7665, 240);

  // Page 1, "Options".
  QWidget* options = AddPage(QStringLiteral("Options"));
  // A viewer row: its caption, the program's path box at `top`, and the button that picks
  // the program, created in that order (the focus order).
  const auto viewerRow = [&](const QString& caption, int top, int index, QLabel*& captionLabel,
                             QLineEdit*& pathBox) {
    captionLabel = label(options, caption, 150, top + 60, 1050, 195, Align::Right);
    pathBox = new QLineEdit(options);
    pathBox->setGeometry(twips.Rect(1275, top, 5115, 285));
    btnChoose[index] = pictureButton(options, 6450, top - 60, 405, 375);
  };
  viewerRow(QStringLiteral("HEX Editor:"), 600, 0, Label9, txtHEXEditor);
  viewerRow(QStringLiteral("PIC Viewer:"), 1035, 1, lblPICViewerTXT, txtPICViewer);
  cbStdViewer = new QCheckBox(QStringLiteral("Use system default"), options);
  cbStdViewer->setGeometry(twips.Rect(1275, 1350, 1815, 240));
  viewerRow(QStringLiteral("TXT Viewer:"), 1710, 2, lblTXTViewerTXT, txtTXTViewer);
  cbStdText = new QCheckBox(QStringLiteral("Use system default"), options);
  cbStdText->setGeometry(twips.Rect(1275, 2025, 1815, 240));

  // Page 2, "Tab 2": empty; start-up hides it.
  AddPage(QStringLiteral("Tab 2"));

  // The tabs stay above the surfaces, which cover the band beside them.
  regMain->tabBar()->raise();
  regMain->setCurrentIndex(0);
  ShowPageSurface(0);

  // Outside the tab control.
  lblCopyRightMH = new LinkLabel(this);
  lblCopyRightMH->setGeometry(twips.Rect(150, 6975, 4515, 240));
  lblCopyRightQuill = new LinkLabel(this);
  lblCopyRightQuill->setGeometry(twips.Rect(4875, 6975, 2715, 240));
  for (LinkLabel* link : {lblCopyRightMH, lblCopyRightQuill}) {
    QFont font = BoldFont();
    font.setUnderline(true);
    link->setFont(font);
  }
  btnDone = button(this, QStringLiteral("Done"), 11550, 6900, 990, 390);
  btnDone->setFont(BoldFont());

  SetTabOrder();
}

void frmMain::SetTabOrder() {
  const std::array<QWidget*, 19> order = {
      btnDone,      regMain,      lstZPKRes,   lstZPKFiles,  txtZPKNotes,
      btnChoosePath, btnChoose[0], txtHEXEditor, btnViewHEX,  btnViewPIC,
      txtPICViewer, btnChoose[1], cbStdViewer, btnViewTXT,   btnPlay,
      cbStdText,    btnChoose[2], txtTXTViewer, btnSaveAs};
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace zpk::app
