// Runs the built zpk as a child process and collects what it wrote.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zpk::test {

struct ZpkResult {
  int exitCode = -1;  // -1 when the process did not exit normally
  std::string out;    // standard output, bytes as written
  std::string err;    // standard error
};

// Runs zpk with args in folder cwd (the test's own folder when empty). Standard input is
// /dev/null; standard output and error go to files, so neither is a terminal.
ZpkResult RunZpk(const std::vector<std::string>& args, const std::filesystem::path& cwd = {});

}  // namespace zpk::test
