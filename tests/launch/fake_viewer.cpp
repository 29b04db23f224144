// Stands in for an external viewer or the desktop's opener in the tests. It appends one
// record of what it was given to the file named by FAKE_VIEWER_LOG, then behaves as
// FAKE_VIEWER_MODE says:
//   "exit" (or unset)  end at once
//   "wait:<ms>"        wait that long, then end
//   "hold:<ms>"        keep the file named by its last argument open while waiting
//   "status:<n>"       end at once with exit status n
//   "until:<file>"     wait until that file exists, then end
// Each record is written with one write() to a file opened for appending, so viewers
// running at the same time don't mix their records. Fields are "<length>:<bytes>":
//   "S" pid cwd size-of-the-last-argument's-file-or--1 argc args...
//   "E" pid            when it ends after waiting
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

void Append(const std::string& record) {
  const char* log = std::getenv("FAKE_VIEWER_LOG");
  if (log == nullptr) return;
  const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  [[maybe_unused]] auto n = ::write(fd, record.data(), record.size());
  ::close(fd);
}

std::string Field(const std::string& value) {
  return std::to_string(value.size()) + ":" + value;
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  const std::string cwd = std::filesystem::current_path(ec).string();
  std::string size = "-1";
  if (argc > 1) {
    const auto bytes = std::filesystem::file_size(argv[argc - 1], ec);
    if (!ec) size = std::to_string(bytes);
  }
  std::string record = "S" + Field(std::to_string(::getpid())) + Field(cwd) + Field(size) +
                       Field(std::to_string(argc - 1));
  for (int i = 1; i < argc; ++i) record += Field(argv[i]);
  Append(record);

  const char* modeText = std::getenv("FAKE_VIEWER_MODE");
  const std::string mode = modeText ? modeText : "exit";
  const auto colon = mode.find(':');
  const std::string kind = mode.substr(0, colon);
  if (kind == "exit" || colon == std::string::npos) return 0;
  if (kind == "status") return std::atoi(mode.c_str() + colon + 1);
  if (kind == "until") {
    const std::filesystem::path released = mode.substr(colon + 1);
    while (!std::filesystem::exists(released, ec)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Append("E" + Field(std::to_string(::getpid())));
    return 0;
  }
  const auto wait = std::chrono::milliseconds(std::atoll(mode.c_str() + colon + 1));
  std::ifstream held;
  if (kind == "hold" && argc > 1) held.open(argv[argc - 1], std::ios::binary);
  std::this_thread::sleep_for(wait);
  Append("E" + Field(std::to_string(::getpid())));
  return 0;
}
