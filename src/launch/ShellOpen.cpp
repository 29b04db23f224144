#include "launch/ShellOpen.h"

#include "launch/clsExecProg.h"

namespace zpk::launch {

void ShellOpen(const QString& document, platform::WindowSystem& window,
               platform::Launcher& launcher) {
  bool failed = false;
  {
    clsExecProg exec(launcher);
    exec.ProgName(QString());
    exec.ProgParas(document);
    exec.WinMode(platform::kShowMaximized);
    exec.ExecProg();
    failed = exec.EPError();
    window.ProcessPendingEvents();
    if (failed) {
      window.Beep();
      window.ShowMessage("Client konnte nicht gestartet werden...",
                         platform::MsgIcon::Information, "!!! Problem !!!");
    }
  }
  window.ProcessPendingEvents();
}

}  // namespace zpk::launch
