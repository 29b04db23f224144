// Reads the log that tests/launch/fake_viewer appends to, and sets what the viewers it
// stands for do: a line per start ("start", pid, working folder, size of the file the last
// argument names or -1, the arguments) and one when a held viewer ends ("end", pid), each
// field followed by a tab.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace zpk::test {

struct ViewerRun {
  long pid = 0;
  std::string cwd;
  long long fileSize = -1;
  std::vector<std::string> args;
  bool ended = false;  // it was held, and has been let go since
};

// Every run, or only the opener's (called with "--opener" first) or only the named viewers'.
enum class RunsOf { All, Opener, Viewers };

inline std::vector<ViewerRun> ReadViewerLog(const std::filesystem::path& log,
                                            RunsOf which = RunsOf::All) {
  std::vector<ViewerRun> runs;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    std::istringstream split(line);
    std::vector<std::string> fields;
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() >= 4 && fields[0] == "start") {
      ViewerRun run{std::stol(fields[1]), fields[2], std::stoll(fields[3]),
                    std::vector<std::string>(fields.begin() + 4, fields.end())};
      const bool opener = !run.args.empty() && run.args[0] == "--opener";
      if (which == RunsOf::All || opener == (which == RunsOf::Opener)) runs.push_back(run);
    } else if (fields.size() == 2 && fields[0] == "end") {
      for (auto& run : runs) run.ended = run.ended || run.pid == std::stol(fields[1]);
    }
  }
  return runs;
}

// The same, once `count` runs are there or two seconds have passed: for viewers that nobody
// waits for.
inline std::vector<ViewerRun> WaitForViewerRuns(const std::filesystem::path& log, RunsOf which,
                                                std::size_t count) {
  for (int i = 0; i < 400 && ReadViewerLog(log, which).size() < count; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return ReadViewerLog(log, which);
}

// The process's state letter from /proc ("R", "S", "Z"...), "" once it is gone.
inline std::string ProcessState(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const auto close = text.rfind(')');  // the state follows the command name in brackets
  return close == std::string::npos ? std::string() : text.substr(close + 2, 1);
}

// Waits, ten seconds at most, until the process has ended: a zombie or gone, or with
// `collected` gone (a zombie child of ours stays "Z"). Gives the state it is in then.
inline std::string WaitUntilEnded(long pid, bool collected = false) {
  std::string state = ProcessState(pid);
  for (int i = 0; i < 2000 && !state.empty() && (collected || state != "Z"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    state = ProcessState(pid);
  }
  return state;
}

// Points fake_viewer at a log file for the object's lifetime. The viewers end at once, or
// with a status (Mode("status:3")); after Hold() they run until Release() or the object's
// end, and on their own after twenty seconds, so that a test that waits for them ends (and
// fails).
class FakeViewerEnv {
 public:
  explicit FakeViewerEnv(std::filesystem::path log) : log_(std::move(log)) {
    setenv("FAKE_VIEWER_LOG", log_.c_str(), 1);
    Mode("exit");
  }
  ~FakeViewerEnv() {
    Release();
    unsetenv("FAKE_VIEWER_LOG");
    unsetenv("FAKE_VIEWER_MODE");
  }
  FakeViewerEnv(const FakeViewerEnv&) = delete;
  FakeViewerEnv& operator=(const FakeViewerEnv&) = delete;

  void Mode(const std::string& mode) const { setenv("FAKE_VIEWER_MODE", mode.c_str(), 1); }
  void Hold() const {
    std::filesystem::remove(log_.string() + ".go");
    Mode("hold:" + log_.string() + ".go");
  }
  void Release() const { std::ofstream(log_.string() + ".go").put('\n'); }
  const std::filesystem::path& log() const { return log_; }

 private:
  std::filesystem::path log_;
};

}  // namespace zpk::test
