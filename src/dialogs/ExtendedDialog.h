// What the message dialog and the input dialog share: a fixed-size window laid out in
// twips and centred on the screen, Tahoma 8.25 pt, the 32x32 icon `imgIcon` with hidden
// source pictures beside it, the word-wrapped prompt `lblPrompt`, the hidden help text
// `lblHelp` and the help button `btnHelp`, and a double click on the bare background.
//
// Controls carry their names as object names, so tests and callers can find them.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace zpk::platform {
class WindowSystem;
}

namespace zpk::dialogs {

enum class DialogIcon { Information, Stop, Warning, Question };

// The context-help number of a control (the help file itself is not part of the program).
inline constexpr char kHelpIdProperty[] = "helpContextId";

class ExtendedDialog : public QDialog {
  Q_OBJECT

 public:
  // The prompt wraps at the right edge of the window and the label grows downwards.
  void SetPrompt(const QString& prompt);
  // The text the help button shows; empty makes the help button only beep.
  void SetHelpText(const QString& helpText);
  void ShowIcon(DialogIcon icon);

 protected:
  ExtendedDialog(const QString& name, const QString& designCaption, DialogIcon designIcon,
                 platform::WindowSystem& windows, QWidget* parent);

  // The hidden pictures imgStop, imgWarn and a third one for the icon the dialog is not
  // designed with, right of the prompt.
  void AddSourceImages(const QString& thirdName, DialogIcon thirdIcon);
  QPushButton* AddButton(const QString& name, const QString& text, int left, int width,
                         int helpId);
  // A double click that lands on no control.
  virtual void BackgroundDoubleClicked() = 0;

  void mouseDoubleClickEvent(QMouseEvent* event) override;

  platform::WindowSystem& windows_;
  QLabel* imgIcon_ = nullptr;
  QLabel* lblPrompt_ = nullptr;
  QLabel* lblHelp_ = nullptr;
  QPushButton* btnHelp_ = nullptr;

 private:
  void ShowHelp();
};

}  // namespace zpk::dialogs
