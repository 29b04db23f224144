#include "dialogs/ExtendedDialog.h"

#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "dialogs/TranslateForm.h"
#include "dialogs/Twips.h"
#include "platform/WindowSystem.h"
#include "util/Language.h"

namespace zpk::dialogs {

namespace {

constexpr int kClientWidth = 7530;
constexpr int kClientHeight = 2895;
constexpr int kPromptLeft = 825;
constexpr int kPromptTop = 375;
constexpr int kRightMargin = 150;
constexpr int kIconTop = 225;
constexpr int kIconSize = 480;
constexpr int kButtonTop = 2400;
constexpr int kButtonHeight = 375;

QFont DesignFont(const QString& family) {
  QFont font(family);
  font.setPointSizeF(8.25);
  return font;
}

QPixmap IconPicture(const QStyle& style, DialogIcon icon) {
  QStyle::StandardPixmap which = QStyle::SP_MessageBoxInformation;
  switch (icon) {
    case DialogIcon::Information: which = QStyle::SP_MessageBoxInformation; break;
    case DialogIcon::Stop: which = QStyle::SP_MessageBoxCritical; break;
    case DialogIcon::Warning: which = QStyle::SP_MessageBoxWarning; break;
    case DialogIcon::Question: which = QStyle::SP_MessageBoxQuestion; break;
  }
  return style.standardIcon(which).pixmap(32, 32);
}

}  // namespace

ExtendedDialog::ExtendedDialog(const QString& name, const QString& designCaption,
                               DialogIcon designIcon, platform::WindowSystem& windows,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      windows_(windows) {
  setObjectName(name);
  setWindowTitle(designCaption);
  setFont(DesignFont(QStringLiteral("Tahoma")));
  setFixedSize(TwipsToPixelsX(*this, kClientWidth), TwipsToPixelsY(*this, kClientHeight));
  if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());

  imgIcon_ = new QLabel(this);
  imgIcon_->setObjectName(QStringLiteral("imgIcon"));
  imgIcon_->setProperty(kHelpIdProperty, 10193);
  PlaceInTwips(*imgIcon_, *this, 150, kIconTop, kIconSize, kIconSize);
  imgIcon_->setPixmap(IconPicture(*style(), designIcon));

  lblPrompt_ = new QLabel(QStringLiteral("lblPrompt"), this);
  lblPrompt_->setObjectName(QStringLiteral("lblPrompt"));
  lblPrompt_->setProperty(kHelpIdProperty, 10201);
  lblPrompt_->setWordWrap(true);
  lblPrompt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceInTwips(*lblPrompt_, *this, kPromptLeft, kPromptTop, 660, 195);

  lblHelp_ = new QLabel(QStringLiteral("lblHelp"), this);
  lblHelp_->setObjectName(QStringLiteral("lblHelp"));
  lblHelp_->setProperty(kHelpIdProperty, 10202);
  lblHelp_->setFont(DesignFont(QStringLiteral("MS Sans Serif")));
  PlaceInTwips(*lblHelp_, *this, 150, 825, 540, 240);
  lblHelp_->hide();

  btnHelp_ = AddButton(QStringLiteral("btnHelp"), QStringLiteral("Hilfe"), 150, 1215, 10197);
  btnHelp_->show();
  SetTranslationTag(*btnHelp_, QStringLiteral("Hilfe||Help|"));
  connect(btnHelp_, &QPushButton::clicked, this, &ExtendedDialog::ShowHelp);
}

void ExtendedDialog::AddSourceImages(const QString& thirdName, DialogIcon thirdIcon) {
  const struct {
    QString name;
    DialogIcon icon;
    int left;
    int helpId;
  } sources[] = {{QStringLiteral("imgStop"), DialogIcon::Stop, 5925, 10196},
                 {QStringLiteral("imgWarn"), DialogIcon::Warning, 6450, 10195},
                 {thirdName, thirdIcon, 6975, 10194}};
  for (const auto& source : sources) {
    auto* image = new QLabel(this);
    image->setObjectName(source.name);
    image->setProperty(kHelpIdProperty, source.helpId);
    PlaceInTwips(*image, *this, source.left, kIconTop, kIconSize, kIconSize);
    image->setPixmap(IconPicture(*style(), source.icon));
    image->hide();
  }
}

QPushButton* ExtendedDialog::AddButton(const QString& name, const QString& text, int left,
                                       int width, int helpId) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(name);
  button->setProperty(kHelpIdProperty, helpId);
  PlaceInTwips(*button, *this, left, kButtonTop, width, kButtonHeight);
  button->hide();
  return button;
}

void ExtendedDialog::SetPrompt(const QString& prompt) {
  lblPrompt_->setText(prompt);
  // The design width only fits the design text; a real prompt gets the room up to the
  // window's right margin (the source pictures there are never shown).
  const int width = TwipsToPixelsX(*this, kClientWidth - kPromptLeft - kRightMargin);
  const int height = std::max(lblPrompt_->heightForWidth(width), TwipsToPixelsY(*this, 195));
  lblPrompt_->resize(width, height);
}

void ExtendedDialog::SetHelpText(const QString& helpText) { lblHelp_->setText(helpText); }

void ExtendedDialog::ShowIcon(DialogIcon icon) { imgIcon_->setPixmap(IconPicture(*style(), icon)); }

void ExtendedDialog::ShowHelp() {
  const QString text = lblHelp_->text();
  if (text.isEmpty()) {
    windows_.Beep();
    return;
  }
  windows_.ShowMessage(text, platform::MsgIcon::Information,
                       util::LanguageIndex == 0 ? QStringLiteral("Hilfe:") : QStringLiteral("Help:"));
}

void ExtendedDialog::mouseDoubleClickEvent(QMouseEvent* event) {
  // Labels pass their mouse events on to the window; only the bare background counts.
  if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
    BackgroundDoubleClicked();
    return;
  }
  QDialog::mouseDoubleClickEvent(event);
}

}  // namespace zpk::dialogs
