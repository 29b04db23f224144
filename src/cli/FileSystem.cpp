#include "cli/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace zpk::cli {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const fs::path& path) {
  const auto utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
}

std::string ShownPath(const fs::path& path) {
  auto text = PathText(path);
  if (text.starts_with("\\\\?\\UNC\\")) return "\\" + text.substr(7);
  if (text.starts_with("\\\\?\\")) return text.substr(4);
  return text;
}

fs::path Below(const fs::path& root, std::string_view relativePath) {
  return (root / PathFromUtf8(relativePath)).make_preferred();
}

#ifdef _WIN32

namespace {

std::string LastErrorText() {
  const DWORD code = ::GetLastError();
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide(text ? text : L"", n);
  if (text) ::LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.')) {
    wide.pop_back();
  }
  if (wide.empty()) return "error " + std::to_string(code);
  return PathText(fs::path(wide));
}

}  // namespace

fs::path ExtractionRoot(const fs::path& dir) {
  std::error_code ec;
  auto absolute = fs::absolute(dir, ec);
  if (ec) return dir;
  absolute = absolute.lexically_normal().make_preferred();
  const auto& text = absolute.native();
  if (text.starts_with(L"\\\\?\\")) return absolute;
  if (text.starts_with(L"\\\\")) return fs::path(L"\\\\?\\UNC\\" + text.substr(2));
  return fs::path(L"\\\\?\\" + text);
}

std::expected<NodeKind, std::string> LookAt(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return NodeKind::Missing;
    return std::unexpected(LastErrorText());
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return NodeKind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return NodeKind::Folder;
  return NodeKind::Other;
}

std::expected<bool, std::string> MakeFolder(const fs::path& path) {
  if (::CreateDirectoryW(path.c_str(), nullptr)) return true;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return false;
  return std::unexpected(LastErrorText());
}

std::string NameKey(const std::string& relativePath) {
  auto wide = PathFromUtf8(relativePath).wstring();
  // The same upper-casing table NTFS compares names with, for every Unicode letter.
  if (!wide.empty()) ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return PathText(fs::path(wide));
}

#else

fs::path ExtractionRoot(const fs::path& dir) { return dir; }

std::expected<NodeKind, std::string> LookAt(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return NodeKind::Missing;
    return std::unexpected(std::strerror(errno));
  }
  if (S_ISLNK(info.st_mode)) return NodeKind::Link;
  if (S_ISDIR(info.st_mode)) return NodeKind::Folder;
  return NodeKind::Other;
}

std::expected<bool, std::string> MakeFolder(const fs::path& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  if (errno == EEXIST) return false;
  return std::unexpected(std::strerror(errno));
}

std::string NameKey(const std::string& relativePath) { return relativePath; }

#endif

}  // namespace zpk::cli
