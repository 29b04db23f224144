// Launching on POSIX systems: the named program is started directly with posix_spawn,
// never through a shell, so no character of the parameter text has a meaning beyond the
// splitting rules of CommandLine.h. Documents go to the desktop's opener as one argument.
#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ChildReaper.h"
#include "platform/CommandLine.h"
#include "platform/Launcher.h"
#include "platform/UniqueFd.h"

extern char** environ;

namespace zpk::platform {

namespace {

std::string Encode(const QString& text) { return QFile::encodeName(text).toStdString(); }

// A pidfd for the child, or an empty one on kernels without pidfd_open. The glibc wrapper
// header lacks C linkage in the version we build with, so the system call is made directly.
UniqueFd OpenPidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  const long fd = ::syscall(SYS_pidfd_open, pid, 0);
  if (fd >= 0) return UniqueFd(static_cast<int>(fd));
#endif
  (void)pid;
  return UniqueFd();
}

class ChildProcess final : public LaunchedProcess {
 public:
  // isOpener: the child is the desktop's opener, whose exit status says whether it could
  // open the document.
  ChildProcess(pid_t pid, UniqueFd pidfd, bool isOpener)
      : pid_(pid), pidfd_(std::move(pidfd)), isOpener_(isOpener) {}
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  ~ChildProcess() override {
    if (collected_ || TryCollect()) return;
    HandToReaper(pid_, std::move(pidfd_));
  }

  State Wait(std::chrono::milliseconds timeout) override {
    if (collected_) return Outcome();
    if (pidfd_) {
      pollfd p{pidfd_.get(), POLLIN, 0};
      const int r = ::poll(&p, 1, static_cast<int>(timeout.count()));
      if (r < 0 && errno != EINTR) return State::Failed;
      if (r > 0 && (p.revents & (POLLERR | POLLNVAL))) return State::Failed;
      return TryCollect() ? Outcome() : State::Running;
    }
    // Without a pidfd: look every millisecond until the time is up.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      if (TryCollect()) return Outcome();
      if (std::chrono::steady_clock::now() >= deadline) return State::Running;
      const timespec step{0, 1'000'000};
      ::nanosleep(&step, nullptr);
    }
  }

 private:
  State Outcome() const { return refused_ ? State::Refused : State::Ended; }

  bool TryCollect() {
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      // xdg-open ends with 1-4 when it could not open the document; killed counts too.
      refused_ = isOpener_ && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      collected_ = true;
    } else if (r < 0 && errno == ECHILD) {
      collected_ = true;
    }
    return collected_;
  }

  pid_t pid_;
  UniqueFd pidfd_;
  bool isOpener_;
  bool collected_ = false;
  bool refused_ = false;
};

class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attr_);
    // The child starts with no blocked signals and SIGPIPE at its default, whatever this
    // process (or a library in it) changed.
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attr_, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    ::posix_spawnattr_setsigdefault(&attr_, &defaults);
    ::posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  int ChangeFolder(const std::string& folder) {
    return ::posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
  }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attr() const { return &attr_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

LaunchOutcome Failed(const QString& why) {
  LaunchOutcome outcome;
  outcome.failure = why;
  return outcome;
}

class PosixLauncher final : public Launcher {
 public:
  explicit PosixLauncher(QStringList opener) : opener_(std::move(opener)) {}

  LaunchOutcome Launch(const LaunchRequest& request) override {
    std::vector<std::string> args;
    const bool isOpener = request.program.isEmpty();
    if (!isOpener) {
      std::string program = Encode(request.program);
      // A program with a folder is taken relative to this process's folder, not to the
      // working folder the child is about to get; a bare name is looked up on PATH.
      if (program.find('/') != std::string::npos) {
        std::error_code ec;
        auto absolute = std::filesystem::absolute(program, ec);
        if (!ec) program = absolute.string();
      }
      args.push_back(std::move(program));
      for (auto& a : SplitCommandLine(Encode(request.parameters))) args.push_back(std::move(a));
    } else {
      if (request.parameters.isEmpty()) return Failed("nothing to open");
      if (opener_.isEmpty() || opener_.front().isEmpty()) return Failed("no opener");
      for (const auto& part : opener_) args.push_back(Encode(part));
      args.push_back(Encode(request.parameters));
    }

    SpawnSetup setup;
    if (!request.workDir.isEmpty()) {
      if (int rc = setup.ChangeFolder(Encode(request.workDir)); rc != 0) {
        return Failed(QString::fromLocal8Bit(std::strerror(rc)));
      }
    }
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    // posix_spawnp reports a failed chdir or exec as its result, so a non-zero result means
    // that nothing runs; the child it made has already ended and been collected.
    const int rc = ::posix_spawnp(&pid, argv[0], setup.actions(), setup.attr(), argv.data(),
                                  environ);
    if (rc != 0) return Failed(QString::fromLocal8Bit(std::strerror(rc)));

    LaunchOutcome outcome;
    outcome.started = true;
    outcome.process = std::make_unique<ChildProcess>(pid, OpenPidfd(pid), isOpener);
    return outcome;
  }

 private:
  QStringList opener_;
};

}  // namespace

std::unique_ptr<Launcher> CreatePosixLauncher(QStringList openerCommand) {
  return std::make_unique<PosixLauncher>(std::move(openerCommand));
}

Launcher& SystemLauncher() {
  static const std::unique_ptr<Launcher> launcher = CreatePosixLauncher();
  return *launcher;
}

}  // namespace zpk::platform
#endif
