#include "platform/GameFolders.h"

#include <array>
#include <system_error>

#include "platform/WinePrefix.h"
#include "platform/WineRegistryScan.h"

namespace zpk::platform {

namespace fs = std::filesystem;

namespace {

// A 32-bit installer on a 64-bit system writes below Wow6432Node; that view comes first.
constexpr std::string_view kGameUninstallKey32 =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}";

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

std::optional<fs::path> GameFolderInPrefix(const fs::path& prefix) {
  const std::array<std::string_view, 2> keys{kGameUninstallKey32, kGameUninstallKey};
  const RegistryText entry =
      FindRegistryText(prefix / "system.reg", keys, kGameInstallLocationValue);
  if (entry.result != RegistryTextResult::Found || IsBlank(entry.text)) return std::nullopt;
  auto folder = MapWindowsPath(prefix, entry.text);
  std::error_code error;
  if (!folder || !fs::is_directory(*folder, error)) return std::nullopt;
  return folder;
}

std::vector<GameFolder> LocateGameFolders(const PrefixSearchStart& start) {
  std::vector<GameFolder> found;
  for (WinePrefixPlace& place : FindWinePrefixes(start)) {
    if (auto folder = GameFolderInPrefix(place.prefix)) {
      found.push_back({std::move(*folder), std::move(place.prefix), std::move(place.launcher)});
    }
  }
  return found;
}

std::vector<GameFolder> LocateGameFolders() {
  return LocateGameFolders(PrefixSearchStartFromEnvironment());
}

}  // namespace zpk::platform
