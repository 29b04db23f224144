#include "platform/WinePrefix.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace zpk::platform {

namespace fs = std::filesystem;

namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<fs::path> DriveRoot(const fs::path& prefix, char letter) {
  std::error_code error;
  const std::string device{static_cast<char>(std::tolower(static_cast<unsigned char>(letter))),
                           ':'};
  const fs::path mapped = prefix / "dosdevices" / device;
  if (fs::is_directory(mapped, error)) {
    const fs::path resolved = fs::canonical(mapped, error);
    if (!error) return resolved;
  }
  if (device == "c:") {
    const fs::path driveC = prefix / "drive_c";
    if (fs::is_directory(driveC, error)) {
      const fs::path resolved = fs::canonical(driveC, error);
      return error ? driveC : resolved;
    }
  }
  return std::nullopt;
}

// The entry of folder whose name is part, spelt as on disk: the exact name when it is there,
// else the first entry equal but for case, else part as given.
fs::path FindEntry(const fs::path& folder, const std::string& part) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(folder / part, error))) return folder / part;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (EqualIgnoringAsciiCase(it->path().filename().string(), part)) return it->path();
  }
  return folder / part;
}

}  // namespace

std::optional<fs::path> WinePrefixFolder() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
    return fs::path(prefix);
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return fs::path(home) / ".wine";
  }
  return std::nullopt;
}

std::optional<fs::path> MapWindowsPath(const fs::path& prefix, std::string_view windowsPath) {
  while (!windowsPath.empty() && windowsPath.front() == ' ') windowsPath.remove_prefix(1);
  while (!windowsPath.empty() && windowsPath.back() == ' ') windowsPath.remove_suffix(1);
  if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
      !std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
    return std::nullopt;
  }
  if (windowsPath.size() > 2 && windowsPath[2] != '\\' && windowsPath[2] != '/') {
    return std::nullopt;  // "C:folder" is relative to the drive's current folder
  }
  auto folder = DriveRoot(prefix, windowsPath[0]);
  if (!folder) return std::nullopt;

  std::string_view rest = windowsPath.substr(2);
  while (!rest.empty()) {
    const auto cut = rest.find_first_of("\\/");
    const std::string part(rest.substr(0, cut));
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty() || part == ".") continue;
    *folder = FindEntry(*folder, part);
  }
  return folder;
}

}  // namespace zpk::platform
