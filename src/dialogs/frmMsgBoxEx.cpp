#include "dialogs/frmMsgBoxEx.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include "dialogs/TranslateForm.h"
#include "dialogs/Twips.h"
#include "dialogs/modMsgBoxEx.h"

namespace zpk::dialogs {

frmMsgBoxEx::frmMsgBoxEx(platform::WindowSystem& windows, QWidget* parent)
    : ExtendedDialog(QStringLiteral("frmMsgBoxEx"), QStringLiteral("MsgBoxEx..."),
                     DialogIcon::Information, windows, parent) {
  AddSourceImages(QStringLiteral("imgFrage"), DialogIcon::Question);

  cbDontShow_ = new QCheckBox(QStringLiteral("Diese Meldung nicht mehr anzeigen"), this);
  cbDontShow_->setObjectName(QStringLiteral("cbDontShow"));
  cbDontShow_->setProperty(kHelpIdProperty, 10203);
  PlaceInTwips(*cbDontShow_, *this, 825, 2025, 2940, 240);
  cbDontShow_->hide();
  SetTranslationTag(*cbDontShow_,
                    QStringLiteral("Diese Meldung nicht mehr anzeigen||Don't show this message again|"));

  constexpr int kLefts[] = {1875, 3750, 5625};
  for (int i = 0; i < 3; ++i) {
    const std::int16_t number = static_cast<std::int16_t>(i + 1);
    buttons_[i] = AddButton(QStringLiteral("btn%1").arg(number), QString::number(number),
                            kLefts[i], 1740, 10198 + i);
    connect(buttons_[i], &QPushButton::clicked, this, [this, number] { ExitDialog(number); });
  }

  setTabOrder(btnHelp_, buttons_[0]);
  setTabOrder(buttons_[0], buttons_[1]);
  setTabOrder(buttons_[1], buttons_[2]);
  setTabOrder(buttons_[2], cbDontShow_);

  TranslateForm(*this, windows_);
}

void frmMsgBoxEx::ShowButton(int number, const QString& caption) {
  if (number < 1 || number > 3) return;
  buttons_[number - 1]->setText(caption);
  buttons_[number - 1]->show();
}

void frmMsgBoxEx::ShowDontShowBox(bool shown) { cbDontShow_->setVisible(shown); }

void frmMsgBoxEx::ExitDialog(std::int16_t number) {
  MsgBoxExResult = cbDontShow_->isChecked() ? static_cast<std::int16_t>(number + kMsgBoxExDontShowFlag)
                                            : number;
  done(QDialog::Accepted);
}

void frmMsgBoxEx::BackgroundDoubleClicked() { ExitDialog(kMsgBoxExBackground); }

void frmMsgBoxEx::keyPressEvent(QKeyEvent* event) {
  // The dialog has no cancel button: Escape does nothing, like in any window without one.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  ExtendedDialog::keyPressEvent(event);
}

void frmMsgBoxEx::reject() {
  // Reached only through the frame's close box: no button was pressed, but the check box
  // still counts, so a caller can honour "don't show again" however the user left.
  MsgBoxExResult = cbDontShow_->isChecked() ? kMsgBoxExDontShowFlag : kMsgBoxExClosed;
  ExtendedDialog::reject();
}

}  // namespace zpk::dialogs
