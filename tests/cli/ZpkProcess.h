// Runs the built zpk as a child process and collects what it wrote.
#pragma once

#include <filesystem>
#include <map>
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

// Relative path ("/" between levels, UTF-8) -> file content, or "-> target" for a symbolic
// link: everything below a folder, paths longer than MAX_PATH included.
using Tree = std::map<std::string, std::string>;
Tree ReadTree(const std::filesystem::path& folder);

// Messages and trees written with "/", whatever separator the system prints.
std::string Slashed(std::string text);

}  // namespace zpk::test
