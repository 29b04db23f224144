#include "launch/TemporaryCopies.h"

#include <cerrno>
#include <chrono>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zpk::launch {

namespace fs = std::filesystem;

namespace {

// Stands for a started process while the copies' record keeps it too, so that the record
// can still ask at the end whether it has ended.
class SharedProcess final : public platform::LaunchedProcess {
 public:
  explicit SharedProcess(std::shared_ptr<platform::LaunchedProcess> process)
      : process_(std::move(process)) {}
  State Wait(std::chrono::milliseconds timeout) override { return process_->Wait(timeout); }

 private:
  std::shared_ptr<platform::LaunchedProcess> process_;
};

}  // namespace

class WatchingLauncher final : public platform::Launcher {
 public:
  WatchingLauncher(platform::Launcher& launcher, TemporaryCopies& copies, fs::path copy)
      : launcher_(launcher), copies_(copies), copy_(std::move(copy)) {}

  platform::LaunchOutcome Launch(const platform::LaunchRequest& request) override {
    platform::LaunchOutcome outcome = launcher_.Launch(request);
    if (outcome.process) {
      std::shared_ptr<platform::LaunchedProcess> shared = std::move(outcome.process);
      copies_.viewers_[copy_].push_back(shared);
      outcome.process = std::make_unique<SharedProcess>(std::move(shared));
    }
    return outcome;
  }

 private:
  platform::Launcher& launcher_;
  TemporaryCopies& copies_;
  fs::path copy_;
};

fs::path CopyFolderBelow(const fs::path& temporaryFolder) {
#ifdef _WIN32
  return temporaryFolder / "tidewater-zpk-viewer";
#else
  return temporaryFolder / ("tidewater-zpk-viewer-" + std::to_string(::getuid()));
#endif
}

bool PrepareCopyFolder(const fs::path& folder, std::string& why) {
  std::error_code ec;
#ifdef _WIN32
  fs::create_directories(folder, ec);
#else
  fs::create_directories(folder.parent_path(), ec);
  // Made for this user alone; an existing one is checked below, not changed.
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    why = folder.string() + ": " + std::error_code(errno, std::generic_category()).message();
    return false;
  }
#endif
  const fs::file_status status = fs::symlink_status(folder, ec);
  if (ec || status.type() != fs::file_type::directory) {
    why = folder.string() + ": not a folder";
    return false;
  }
#ifndef _WIN32
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || info.st_uid != ::getuid()) {
    why = folder.string() + ": not this user's folder";
    return false;
  }
#endif
  return true;
}

TemporaryCopies::TemporaryCopies(fs::path folder, fs::file_time_type now)
    : folder_(folder.lexically_normal()) {
  if (!folder_.has_filename()) folder_ = folder_.parent_path();
  std::error_code ec;
  if (fs::symlink_status(folder_, ec).type() != fs::file_type::directory) return;
  const fs::file_time_type dayAgo = now - std::chrono::hours(24);
  std::vector<fs::path> stale;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_symlink(ec) && it->is_regular_file(ec) && it->last_write_time(ec) < dayAgo &&
        !ec) {
      stale.push_back(it->path());
    }
  }
  for (const fs::path& path : stale) RemoveCopy(path);
}

TemporaryCopies::~TemporaryCopies() {
  for (const auto& [path, viewers] : viewers_) {
    bool ended = true;
    for (const auto& viewer : viewers) {
      if (viewer->Wait(std::chrono::milliseconds(0)) == platform::LaunchedProcess::State::Running) {
        ended = false;
      }
    }
    if (ended) RemoveCopy(path);
  }
}

std::unique_ptr<platform::Launcher> TemporaryCopies::Watching(platform::Launcher& launcher,
                                                              const QString& copy) {
  const fs::path path(copy.toStdU16String());
  viewers_[path];  // a copy whose viewer did not start is one of this run's too
  return std::make_unique<WatchingLauncher>(launcher, *this, path);
}

void TemporaryCopies::RemoveCopy(const fs::path& path) const {
  if (path.lexically_normal().parent_path() != folder_) return;
  std::error_code ec;
  if (fs::symlink_status(path, ec).type() == fs::file_type::regular) fs::remove(path, ec);
}

}  // namespace zpk::launch
