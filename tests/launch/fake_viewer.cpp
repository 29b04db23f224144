// Stands in for an external viewer or the desktop's opener in the tests. It appends a line
// of what it was given to the file named by FAKE_VIEWER_LOG (see tests/support/ViewerLog.h),
// then does as FAKE_VIEWER_MODE says: "exit" (or unset) ends at once, "status:<n>" ends
// with status n, "hold:<file>" runs until that file or the log's folder is there no more
// (at most twenty seconds) and then appends its end line. Each line is one write() to a
// file opened for appending, so that viewers running at the same time don't mix them.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

void AppendLine(std::string line) {
  const char* log = std::getenv("FAKE_VIEWER_LOG");
  if (log == nullptr) return;
  const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  line += '\n';
  [[maybe_unused]] auto n = ::write(fd, line.data(), line.size());
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  const std::string pid = std::to_string(::getpid());
  std::string size = "-1";
  if (argc > 1) {
    const auto bytes = fs::file_size(argv[argc - 1], ec);
    if (!ec) size = std::to_string(bytes);
  }
  std::string line = "start\t" + pid + "\t" + fs::current_path(ec).string() + "\t" + size + "\t";
  for (int i = 1; i < argc; ++i) line += std::string(argv[i]) + "\t";
  AppendLine(line);

  const char* modeText = std::getenv("FAKE_VIEWER_MODE");
  const std::string mode = modeText ? modeText : "exit";
  if (mode.starts_with("status:")) return std::atoi(mode.c_str() + 7);
  if (mode.starts_with("hold:")) {
    const fs::path go = mode.substr(5);
    for (int i = 0; i < 4000 && !fs::exists(go, ec) && fs::exists(go.parent_path(), ec); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    AppendLine("end\t" + pid + "\t");
  }
  return 0;
}
