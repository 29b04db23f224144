#include "launch/clsExecProg.h"

#include <QtGlobal>
#include <chrono>

namespace zpk::launch {

clsExecProg::clsExecProg(platform::Launcher& launcher)
    : launcher_(launcher), workDir_(qEnvironmentVariable("windir")) {}

void clsExecProg::ExecProg() {
  process_.reset();
  refused_ = false;
  platform::LaunchRequest request;
  request.program = progName_;
  request.parameters = progParas_;
  request.workDir = workDir_;
  request.windowMode = winMode_;
  auto outcome = launcher_.Launch(request);
  error_ = !outcome.started;
  process_ = std::move(outcome.process);
}

bool clsExecProg::IsRunning() {
  using State = platform::LaunchedProcess::State;
  if (!process_) {
    error_ = true;
    return false;
  }
  switch (process_->Wait(std::chrono::milliseconds(10))) {
    case State::Running:
      return true;
    case State::Ended:
      return false;
    case State::Refused:
      refused_ = true;
      break;
    case State::Failed:
      break;
  }
  error_ = true;
  return false;
}

}  // namespace zpk::launch
