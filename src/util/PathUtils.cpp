#include "util/PathUtils.h"

#include <filesystem>
#include <system_error>

namespace zpk::util {

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string AddBackslash(std::string_view path, char sep) {
  if (TrimSpaces(path).empty()) return std::string(path);
  if (path.back() == sep) return std::string(path);
  std::string result(path);
  result += sep;
  return result;
}

std::string StripBackslash(std::string_view path, char sep) {
  if (!path.empty() && path.back() == sep) path.remove_suffix(1);
  return std::string(path);
}

std::string GetFilePath(std::string_view path, char sep) {
  const auto i = path.rfind(sep);
  // A separator at the very start names no folder of its own.
  if (i == std::string_view::npos || i == 0) return {};
  return std::string(path.substr(0, i + 1));
}

std::string GetFileName(std::string_view path, char sep) {
  const auto i = path.rfind(sep);
  if (i == std::string_view::npos) return std::string(path);
  if (i == 0) return {};
  return std::string(path.substr(i + 1));
}

std::string GetFileExt(std::string_view path) {
  const auto i = path.rfind('.');
  if (i == std::string_view::npos || i == 0) return {};
  std::string ext(path.substr(i + 1));
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext;
}

bool MakePath(std::string_view path) {
  const std::string p = StripBackslash(path);
  std::error_code ignored;
  for (std::size_t i = p.find(kPathSeparator); i != std::string::npos;
       i = p.find(kPathSeparator, i + 1)) {
    const std::string_view parent(p.data(), i);
    // A bare drive ("C:") is not a folder to create.
    if (parent.empty() || parent.back() == ':') continue;
    std::filesystem::create_directory(std::filesystem::path(parent), ignored);
  }
  if (!p.empty()) std::filesystem::create_directory(std::filesystem::path(p), ignored);
  return true;
}

}  // namespace zpk::util
