// Where an extracted entry goes: a unique path per run, and folders made one level at a
// time below the extraction folder without ever following a symbolic link.
#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>

namespace zpk::cli {

// Hands out output paths so that two entries never get the same one (on Windows, not even
// one that differs only in case): the first keeps
// the path, each later one gets " (2)", " (3)"... before the extension of its file name.
class OutputNames {
 public:
  // The path to use for relativePath; renamed tells whether it had to change.
  std::string Claim(const std::string& relativePath, bool& renamed);

 private:
  std::unordered_set<std::string> used_;
};

// "dir/name (n).ext" for "dir/name.ext"; a leading dot does not start an extension.
std::string NumberedPath(std::string_view relativePath, int n);

// Creates the folders of relativeFolder ("a/b") below root, level by level. A level that
// exists must be a real folder: a symbolic link or other reparse point (wherever it
// points) or a file there is refused with the reason.
std::expected<void, std::string> MakeFoldersBelow(const std::filesystem::path& root,
                                                  std::string_view relativeFolder);

}  // namespace zpk::cli
