// Starting a program, or opening a document, through the Windows shell (ShellExecuteExA),
// and waiting for what it started: the layer below the Windows launcher, with no Qt in it.
#pragma once

#ifdef _WIN32

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace zpk::platform {

// A started process, its handle closed when this goes away (which never ends the process).
class ShellProcessHandle {
 public:
  enum class State { Running, Ended, Failed };
  explicit ShellProcessHandle(void* handle) : handle_(handle) {}
  ShellProcessHandle(const ShellProcessHandle&) = delete;
  ShellProcessHandle& operator=(const ShellProcessHandle&) = delete;
  ~ShellProcessHandle();
  // Waits up to timeout for the process to end.
  State Wait(std::chrono::milliseconds timeout);
  // The exit status once Ended.
  unsigned long ExitCode() const;

 private:
  void* handle_;
};

struct ShellStart {
  bool started = false;  // the shell reported success
  std::intptr_t code = 0;  // the shell's result (above 32 on success, an SE_ERR_* value else)
  unsigned long error = 0;  // GetLastError() after a failure
  std::unique_ptr<ShellProcessHandle> process;  // may be null even when started
};

// program with its parameter text, or (program empty) parameters opened as a document,
// in workDir (the current folder when empty); texts in the ANSI code page. Never shows the
// shell's own error dialog.
ShellStart StartWithShell(const std::string& program, const std::string& parameters,
                          const std::string& workDir, int show);

}  // namespace zpk::platform

#endif  // _WIN32
