// The one way the program starts anything outside itself. Set ProgName and ProgParas (and
// where wanted WorkDir and WinMode), call ExecProg, then read EPError at once or poll
// IsRunning until it returns false. One instance per launch; discarding it leaves the
// started program running (see platform/Launcher.h).
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "platform/Launcher.h"

namespace zpk::launch {

class clsExecProg {
 public:
  // The working folder starts as the "windir" environment variable ("" when unset).
  explicit clsExecProg(platform::Launcher& launcher = platform::SystemLauncher());

  // True after a launch that started nothing, or after a failed poll.
  bool EPError() const { return error_; }

  // True once the desktop's opener has ended saying it could not open the document (also
  // sets EPError), as opposed to a process that could not be waited for.
  bool OpenerRefused() const { return refused_; }

  // Starts ProgName with ProgParas in WorkDir, or, with ProgName empty, opens ProgParas
  // as a document. Replaces the process of an earlier launch of this instance.
  void ExecProg();

  // Waits up to 10 ms for the process of the last launch. False once it has ended; false
  // with EPError set when there is no process to wait for or the poll failed.
  bool IsRunning();

  void WinMode(std::int32_t lngWinMode) { winMode_ = lngWinMode; }
  std::int32_t WinMode() const { return winMode_; }
  void WorkDir(const QString& szWD) { workDir_ = szWD; }
  void ProgName(const QString& strProgName) { progName_ = strProgName; }
  void ProgParas(const QString& strParas) { progParas_ = strParas; }

 private:
  platform::Launcher& launcher_;
  QString progName_;
  QString progParas_;
  QString workDir_;
  std::int32_t winMode_ = platform::kShowMaximized;
  bool error_ = false;
  bool refused_ = false;
  std::unique_ptr<platform::LaunchedProcess> process_;
};

}  // namespace zpk::launch
