// The window-system services the handlers use: beep, the one-button message box, the busy
// pointer, letting pending events run, and the active window. The window gets one of these
// at construction; tests hand in a recorder so that nothing modal blocks them.
#pragma once

#include <QString>

class QWidget;

namespace zpk::platform {

enum class MsgIcon { None, Critical, Exclamation, Information, Question };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual void Beep() = 0;
  // A modal message box with the icon, one OK button and the title.
  virtual void ShowMessage(const QString& text, MsgIcon icon, const QString& title) = 0;
  // The hourglass pointer over the main window (true) or the normal one (false).
  virtual void SetBusy(bool busy) = 0;
  // Lets the window system deliver the events that are waiting (they run nested).
  virtual void ProcessPendingEvents() = 0;
  // The program's active window, or nullptr (during start-up there is none).
  virtual QWidget* ActiveWindow() = 0;
};

}  // namespace zpk::platform
