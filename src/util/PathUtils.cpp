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

namespace {
// The prefix of text of at most maxBytes bytes that ends on a character boundary.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}
}  // namespace

std::string FitFileName(std::string_view name, std::size_t maxBytes) {
  if (name.size() <= maxBytes) return std::string(name);
  const auto dot = name.rfind('.');
  std::string_view ext;
  if (dot != std::string_view::npos && dot > 0 && name.size() - dot < maxBytes) {
    ext = name.substr(dot);
  }
  std::string result(Utf8Prefix(name.substr(0, name.size() - ext.size()), maxBytes - ext.size()));
  result += ext;
  return result;
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
