#include "cli/ExtractTarget.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace zpk::cli {

std::string NumberedPath(std::string_view relativePath, int n) {
  const auto slash = relativePath.rfind('/');
  const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  auto dot = relativePath.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) dot = relativePath.size();
  std::string result(relativePath.substr(0, dot));
  result += " (" + std::to_string(n) + ")";
  result += relativePath.substr(dot);
  return result;
}

std::string OutputNames::Claim(const std::string& relativePath, bool& renamed) {
  renamed = false;
  if (used_.insert(relativePath).second) return relativePath;
  renamed = true;
  for (int n = 2;; ++n) {
    auto candidate = NumberedPath(relativePath, n);
    if (used_.insert(candidate).second) return candidate;
  }
}

std::expected<void, std::string> MakeFoldersBelow(const std::filesystem::path& root,
                                                  std::string_view relativeFolder) {
  std::string path = root.string();
  std::size_t start = 0;
  while (start < relativeFolder.size()) {
    auto end = relativeFolder.find('/', start);
    if (end == std::string_view::npos) end = relativeFolder.size();
    if (!path.empty() && path.back() != '/') path += '/';
    path.append(relativeFolder.substr(start, end - start));
    start = end + 1;

    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno != ENOENT) return std::unexpected("can't look at '" + path + "': " + std::strerror(errno));
      if (::mkdir(path.c_str(), 0777) == 0) continue;
      if (errno != EEXIST) return std::unexpected("can't create folder '" + path + "': " + std::strerror(errno));
      // Made by someone else meanwhile: look again at what it is.
      if (::lstat(path.c_str(), &info) != 0) {
        return std::unexpected("can't look at '" + path + "': " + std::strerror(errno));
      }
    }
    if (S_ISLNK(info.st_mode)) {
      return std::unexpected("'" + path + "' is a symbolic link, which is never followed");
    }
    if (!S_ISDIR(info.st_mode)) {
      return std::unexpected("'" + path + "' exists and is not a folder");
    }
  }
  return {};
}

}  // namespace zpk::cli
