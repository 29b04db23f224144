// Reads the records that tests/launch/fake_viewer appends to its log file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace zpk::test {

struct ViewerRun {
  long pid = 0;
  std::string cwd;
  long long fileSize = -1;  // size of the file named by the last argument, -1 when none
  std::vector<std::string> args;
  bool ended = false;  // wrote its end record after waiting
};

inline std::vector<ViewerRun> ReadViewerLog(const std::filesystem::path& log) {
  std::ifstream in(log, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<ViewerRun> runs;
  std::size_t at = 0;
  bool ok = true;
  auto field = [&]() -> std::string {
    const auto colon = text.find(':', at);
    if (colon == std::string::npos) {
      ok = false;
      return {};
    }
    const auto length = std::stoul(text.substr(at, colon - at));
    std::string value = text.substr(colon + 1, length);
    at = colon + 1 + length;
    return value;
  };
  while (ok && at < text.size()) {
    const char kind = text[at++];
    if (kind == 'S') {
      ViewerRun run;
      run.pid = std::stol(field());
      run.cwd = field();
      run.fileSize = std::stoll(field());
      const int argc = std::stoi(field());
      for (int i = 0; i < argc; ++i) run.args.push_back(field());
      runs.push_back(std::move(run));
    } else if (kind == 'E') {
      const long pid = std::stol(field());
      for (auto& run : runs) {
        if (run.pid == pid) run.ended = true;
      }
    } else {
      break;
    }
  }
  return runs;
}

// Points tests/launch/fake_viewer at a log file and has it end at once, for the lifetime of
// the object; a test changes FAKE_VIEWER_MODE ("wait:MS", "hold:MS") as it needs.
class FakeViewerEnv {
 public:
  explicit FakeViewerEnv(std::filesystem::path log) : log_(std::move(log)) {
    setenv("FAKE_VIEWER_LOG", log_.c_str(), 1);
    setenv("FAKE_VIEWER_MODE", "exit", 1);
  }
  ~FakeViewerEnv() {
    unsetenv("FAKE_VIEWER_LOG");
    unsetenv("FAKE_VIEWER_MODE");
  }
  FakeViewerEnv(const FakeViewerEnv&) = delete;
  FakeViewerEnv& operator=(const FakeViewerEnv&) = delete;

  const std::filesystem::path& log() const { return log_; }

 private:
  std::filesystem::path log_;
};

// The runs of the opener (called with "--opener" first) or of the named viewers.
inline std::vector<ViewerRun> ReadViewerLog(const std::filesystem::path& log, bool opener) {
  std::vector<ViewerRun> runs;
  for (auto& run : ReadViewerLog(log)) {
    if ((!run.args.empty() && run.args[0] == "--opener") == opener) runs.push_back(run);
  }
  return runs;
}

// The same, once `count` runs are there or two seconds have passed: the opener is not waited for.
inline std::vector<ViewerRun> WaitForViewerRuns(const std::filesystem::path& log, bool opener,
                                                std::size_t count) {
  for (int i = 0; i < 400 && ReadViewerLog(log, opener).size() < count; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return ReadViewerLog(log, opener);
}

// Returns once the process has ended (a zombie or gone), or after ten seconds.
inline void WaitUntilEnded(long pid) {
  const std::filesystem::path stat = "/proc/" + std::to_string(pid) + "/stat";
  for (int i = 0; i < 2000; ++i) {
    std::ifstream in(stat);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');  // the state follows the command name in brackets
    if (!in || close == std::string::npos || text.compare(close, 3, ") Z") == 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace zpk::test
