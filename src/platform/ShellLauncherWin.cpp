// Launching on Windows: everything goes through ShellExecuteExA, which starts a named
// program with its parameter text or opens a document with its associated program.
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <QByteArray>
#include <cstdint>

#include "platform/Launcher.h"

namespace zpk::platform {

namespace {

class ShellProcess final : public LaunchedProcess {
 public:
  explicit ShellProcess(HANDLE handle) : handle_(handle) {}
  ShellProcess(const ShellProcess&) = delete;
  ShellProcess& operator=(const ShellProcess&) = delete;
  ~ShellProcess() override { ::CloseHandle(handle_); }

  State Wait(std::chrono::milliseconds timeout) override {
    switch (::WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count()))) {
      case WAIT_OBJECT_0:
        return State::Ended;
      case WAIT_TIMEOUT:
        return State::Running;
      default:
        return State::Failed;
    }
  }

 private:
  HANDLE handle_;
};

class ShellLauncher final : public Launcher {
 public:
  LaunchOutcome Launch(const LaunchRequest& request) override {
    // The narrow-character interface takes texts in the system's ANSI code page.
    const QByteArray program = request.program.toLocal8Bit();
    const QByteArray parameters = request.parameters.toLocal8Bit();
    const QByteArray workDir = request.workDir.toLocal8Bit();

    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    if (!request.program.isEmpty()) {
      info.lpFile = program.constData();
      info.lpParameters = parameters.constData();
    } else {
      info.lpFile = parameters.constData();
      info.lpParameters = nullptr;
    }
    info.lpDirectory = workDir.isEmpty() ? nullptr : workDir.constData();
    info.nShow = request.windowMode;
    ::ShellExecuteExA(&info);

    LaunchOutcome outcome;
    // The shell's own error codes are the values below 32.
    outcome.started =
        static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(info.hInstApp)) >= 32;
    if (info.hProcess != nullptr) {
      outcome.process = std::make_unique<ShellProcess>(info.hProcess);
    }
    if (!outcome.started) {
      outcome.failure = QString("shell error %1").arg(reinterpret_cast<std::intptr_t>(info.hInstApp));
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
