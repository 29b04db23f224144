// The input dialog: an icon, a prompt, one line of text, "OK" and "Abbrechen" and a help
// button. Closing it through a button or a double click on the background sets
// InpBoxExResult (see modMsgBoxEx.h). Whenever the text box gets the focus, by Tab, by a
// click or when the window becomes active, its whole text is selected.
#pragma once

#include <QString>

#include "dialogs/ExtendedDialog.h"

class QLineEdit;

namespace zpk::dialogs {

class frmInpBoxEx : public ExtendedDialog {
  Q_OBJECT

 public:
  explicit frmInpBoxEx(platform::WindowSystem& windows, QWidget* parent = nullptr);

  void SetInputText(const QString& text);
  void ShowOkButton(bool shown);
  void ShowCancelButton(bool shown);

  // Sets InpBoxExResult to the text and closes.
  void ExitDialog(const QString& text);

 protected:
  void BackgroundDoubleClicked() override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void SelectAllText();

  QLineEdit* txtInput_ = nullptr;
  QPushButton* btn1_ = nullptr;
  QPushButton* btn2_ = nullptr;
};

}  // namespace zpk::dialogs
