// Starting other programs: a named program with a parameter text in a working folder, or
// a document or web address handed to the desktop's opener. The caller gets a waitable
// handle of the process started (or none) and decides itself what to tell the user.
//
// Sequence: fill a LaunchRequest, call Launcher::Launch, then poll the process with
// LaunchedProcess::Wait until it reports Ended. Dropping the handle never ends the
// program; the platform still collects its exit status, so no zombie stays behind.
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <memory>

namespace zpk::platform {

// Show command for the started program's main window (the Win32 SW_* values).
inline constexpr std::int32_t kShowMaximized = 3;

struct LaunchRequest {
  QString program;     // empty: open `parameters` as a document or web address
  QString parameters;  // a command-line text for the program, or the document to open
  QString workDir;     // empty: the caller's current folder
  std::int32_t windowMode = kShowMaximized;  // ignored where it can't be applied
};

class LaunchedProcess {
 public:
  // Refused: the desktop's opener ended with a failure status (no program for the type,
  // file missing, no desktop). A named program's own exit status is never a failure.
  enum class State { Running, Ended, Failed, Refused };
  virtual ~LaunchedProcess() = default;
  // Waits up to timeout for the process to end.
  virtual State Wait(std::chrono::milliseconds timeout) = 0;
};

struct LaunchOutcome {
  bool started = false;                      // false: nothing could be started
  std::unique_ptr<LaunchedProcess> process;  // may be null even when started
  QString failure;                           // why nothing started, for diagnostics
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual LaunchOutcome Launch(const LaunchRequest& request) = 0;
};

// The platform's launcher, shared by the whole program: the shell on Windows, elsewhere
// programs started directly and documents handed to "xdg-open".
Launcher& SystemLauncher();

#ifndef _WIN32
// A launcher that hands documents to openerCommand (program and leading arguments; the
// document is added as one more argument).
std::unique_ptr<Launcher> CreatePosixLauncher(QStringList openerCommand = {"xdg-open"});
#endif

}  // namespace zpk::platform
