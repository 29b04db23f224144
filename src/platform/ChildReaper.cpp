#include "platform/ChildReaper.h"

#ifndef _WIN32
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace zpk::platform {

namespace {

class Reaper {
 public:
  Reaper() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    std::thread([this] { Run(); }).detach();
  }

  void Add(pid_t pid, UniqueFd pidfd) {
    {
      std::lock_guard lock(mutex_);
      pending_.push_back(Child{pid, std::move(pidfd)});
    }
    if (wake_) {
      const std::uint64_t one = 1;
      [[maybe_unused]] auto n = ::write(wake_.get(), &one, sizeof one);
    }
  }

 private:
  struct Child {
    pid_t pid;
    UniqueFd pidfd;
  };

  // True when the child's status has been collected (or it is not ours to collect).
  static bool Collect(pid_t pid) {
    const pid_t r = ::waitpid(pid, nullptr, WNOHANG);
    return r == pid || (r < 0 && errno == ECHILD);
  }

  void Run() {
    std::vector<pollfd> fds;
    for (;;) {
      bool needsTimer = !wake_;
      {
        std::lock_guard lock(mutex_);
        std::erase_if(pending_, [](const Child& c) { return Collect(c.pid); });
        fds.clear();
        if (wake_) fds.push_back(pollfd{wake_.get(), POLLIN, 0});
        for (const auto& c : pending_) {
          if (c.pidfd) {
            fds.push_back(pollfd{c.pidfd.get(), POLLIN, 0});
          } else {
            needsTimer = true;
          }
        }
      }
      // Children are only added, and only this thread removes them, so the descriptors
      // in fds stay open while it waits.
      ::poll(fds.data(), fds.size(), needsTimer ? 100 : -1);
      if (wake_ && (fds.front().revents & POLLIN)) {
        std::uint64_t count;
        [[maybe_unused]] auto n = ::read(wake_.get(), &count, sizeof count);
      }
    }
  }

  UniqueFd wake_;
  std::mutex mutex_;
  std::vector<Child> pending_;
};

}  // namespace

void HandToReaper(pid_t pid, UniqueFd pidfd) {
  // Never destroyed: its thread may still wait when the program ends.
  static Reaper* reaper = new Reaper;
  reaper->Add(pid, std::move(pidfd));
}

}  // namespace zpk::platform
#endif
