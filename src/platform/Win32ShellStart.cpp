#ifdef _WIN32

#include "platform/Win32ShellStart.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace zpk::platform {

ShellProcessHandle::~ShellProcessHandle() { ::CloseHandle(static_cast<HANDLE>(handle_)); }

ShellProcessHandle::State ShellProcessHandle::Wait(std::chrono::milliseconds timeout) {
  switch (::WaitForSingleObject(static_cast<HANDLE>(handle_), static_cast<DWORD>(timeout.count()))) {
    case WAIT_OBJECT_0:
      return State::Ended;
    case WAIT_TIMEOUT:
      return State::Running;
    default:
      return State::Failed;
  }
}

unsigned long ShellProcessHandle::ExitCode() const {
  DWORD code = 0;
  if (!::GetExitCodeProcess(static_cast<HANDLE>(handle_), &code)) return ~0ul;
  return code;
}

ShellStart StartWithShell(const std::string& program, const std::string& parameters,
                          const std::string& workDir, int show) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  if (!program.empty()) {
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
  } else {
    info.lpFile = parameters.c_str();
    info.lpParameters = nullptr;
  }
  info.lpDirectory = workDir.empty() ? nullptr : workDir.c_str();
  info.nShow = show;
  const bool ok = ::ShellExecuteExA(&info);

  ShellStart result;
  result.code = reinterpret_cast<std::intptr_t>(info.hInstApp);
  // Both must say so: the call's result, and the shell's code, whose errors are 32 and below.
  result.started = ok && result.code > 32;
  if (!result.started) result.error = ::GetLastError();
  if (info.hProcess != nullptr) result.process = std::make_unique<ShellProcessHandle>(info.hProcess);
  return result;
}

}  // namespace zpk::platform

#endif  // _WIN32
