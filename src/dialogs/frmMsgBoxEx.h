// The message dialog: an icon, a prompt, up to three buttons with free captions, a help
// button and an optional "don't show again" check box. Closing it through one of its
// buttons or a double click on the background sets MsgBoxExResult (see modMsgBoxEx.h).
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "dialogs/ExtendedDialog.h"

class QCheckBox;

namespace zpk::dialogs {

class frmMsgBoxEx : public ExtendedDialog {
  Q_OBJECT

 public:
  explicit frmMsgBoxEx(platform::WindowSystem& windows, QWidget* parent = nullptr);

  // Shows button `number` (1 to 3) with the caption; other numbers are ignored.
  void ShowButton(int number, const QString& caption);
  void ShowDontShowBox(bool shown);

  // Sets MsgBoxExResult to the number, plus 256 when the check box is checked, and closes.
  void ExitDialog(std::int16_t number);

 protected:
  void BackgroundDoubleClicked() override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  std::array<QPushButton*, 3> buttons_{};
  QCheckBox* cbDontShow_ = nullptr;
};

}  // namespace zpk::dialogs
