// Launching on Windows: everything goes through the shell (Win32ShellStart.h), which starts
// a named program with its parameter text or opens a document with its associated program.
#ifdef _WIN32
#include <QByteArray>

#include "platform/Launcher.h"
#include "platform/Win32ShellStart.h"

namespace zpk::platform {

namespace {

class ShellProcess final : public LaunchedProcess {
 public:
  explicit ShellProcess(std::unique_ptr<ShellProcessHandle> handle) : handle_(std::move(handle)) {}

  State Wait(std::chrono::milliseconds timeout) override {
    switch (handle_->Wait(timeout)) {
      case ShellProcessHandle::State::Ended:
        return State::Ended;
      case ShellProcessHandle::State::Running:
        return State::Running;
      default:
        return State::Failed;
    }
  }

 private:
  std::unique_ptr<ShellProcessHandle> handle_;
};

class ShellLauncher final : public Launcher {
 public:
  LaunchOutcome Launch(const LaunchRequest& request) override {
    // The narrow-character interface takes texts in the system's ANSI code page.
    auto start = StartWithShell(request.program.toLocal8Bit().toStdString(),
                                request.parameters.toLocal8Bit().toStdString(),
                                request.workDir.toLocal8Bit().toStdString(), request.windowMode);
    LaunchOutcome outcome;
    outcome.started = start.started;
    if (start.process) outcome.process = std::make_unique<ShellProcess>(std::move(start.process));
    if (!outcome.started) {
      outcome.failure = QString("shell error %1 (error %2)").arg(start.code).arg(start.error);
    }
    return outcome;
  }
};

}  // namespace

Launcher& SystemLauncher() {
  static ShellLauncher launcher;
  return launcher;
}

}  // namespace zpk::platform
#endif
