// Reads the records that tests/launch/fake_viewer appends to its log file.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

}  // namespace zpk::test
