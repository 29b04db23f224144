#include "dialogs/frmInpBoxEx.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "dialogs/TranslateForm.h"
#include "dialogs/Twips.h"
#include "dialogs/modMsgBoxEx.h"

namespace zpk::dialogs {

frmInpBoxEx::frmInpBoxEx(platform::WindowSystem& windows, QWidget* parent)
    : ExtendedDialog(QStringLiteral("frmInpBoxEx"), QStringLiteral("InpBoxEx..."),
                     DialogIcon::Question, windows, parent) {
  AddSourceImages(QStringLiteral("imgInfo"), DialogIcon::Information);

  txtInput_ = new QLineEdit(QStringLiteral("Text1"), this);
  txtInput_->setObjectName(QStringLiteral("txtInput"));
  PlaceInTwips(*txtInput_, *this, 825, 1800, 5040, 315);
  txtInput_->installEventFilter(this);

  btn1_ = AddButton(QStringLiteral("btn1"), QStringLiteral("OK"), 5025, 990, 10198);
  btn1_->setDefault(true);
  btn2_ = AddButton(QStringLiteral("btn2"), QStringLiteral("Abbrechen"), 6150, 1290, 10199);
  SetTranslationTag(*btn2_, QStringLiteral("Abbrechen||Cancel|"));
  connect(btn1_, &QPushButton::clicked, this, [this] { ExitDialog(txtInput_->text()); });
  connect(btn2_, &QPushButton::clicked, this, [this] { ExitDialog(QString()); });

  setTabOrder(btnHelp_, btn1_);
  setTabOrder(btn1_, btn2_);
  setTabOrder(btn2_, txtInput_);

  TranslateForm(*this, windows_);
}

void frmInpBoxEx::SetInputText(const QString& text) { txtInput_->setText(text); }
void frmInpBoxEx::ShowOkButton(bool shown) { btn1_->setVisible(shown); }
void frmInpBoxEx::ShowCancelButton(bool shown) { btn2_->setVisible(shown); }

void frmInpBoxEx::ExitDialog(const QString& text) {
  InpBoxExResult = text;
  done(QDialog::Accepted);
}

void frmInpBoxEx::BackgroundDoubleClicked() { ExitDialog(QString()); }

void frmInpBoxEx::keyPressEvent(QKeyEvent* event) {
  // Escape means "Abbrechen", and only while that button is there to press.
  if (event->key() == Qt::Key_Escape) {
    if (btn2_->isVisible() && btn2_->isEnabled()) btn2_->click();
    event->accept();
    return;
  }
  ExtendedDialog::keyPressEvent(event);
}

void frmInpBoxEx::changeEvent(QEvent* event) {
  ExtendedDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) txtInput_->setFocus();
}

bool frmInpBoxEx::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtInput_ && event->type() == QEvent::FocusIn) {
    SelectAllText();
    // A click moves the cursor after the focus arrives, which would undo the selection;
    // select once more when the click has been handled.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      QTimer::singleShot(0, this, &frmInpBoxEx::SelectAllText);
    }
  }
  return ExtendedDialog::eventFilter(watched, event);
}

void frmInpBoxEx::SelectAllText() { txtInput_->selectAll(); }

void frmInpBoxEx::reject() {
  // Reached only through the frame's close box: the same answer as "Abbrechen".
  InpBoxExResult.clear();
  ExtendedDialog::reject();
}

}  // namespace zpk::dialogs
