// The window-system services on Qt Widgets.
#pragma once

#include "platform/WindowSystem.h"

namespace zpk::platform {

class QtWindowSystem final : public WindowSystem {
 public:
  void Beep() override;
  void ShowMessage(const QString& text, MsgIcon icon, const QString& title) override;
  void SetBusy(bool busy) override;
  void ProcessPendingEvents() override;
  QWidget* ActiveWindow() override;
};

}  // namespace zpk::platform
