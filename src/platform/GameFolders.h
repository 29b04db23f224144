// Finding the game's installation folder in the Wine prefixes of this machine: the first
// step of locating the game on Linux, used by the window's start-up and by `zpk locate`.
//
// Each prefix's system.reg (see WinePrefixSearch.h for which prefixes, in which order) is
// searched for the game's uninstall entry, the 32-bit view first; its "InstallLocation" text
// is mapped through the prefix's drive letters (WinePrefix.h). A prefix whose entry names a
// folder that exists gives that folder; the others are passed over.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinePrefixSearch.h"

namespace zpk::platform {

// The game's uninstall entry below HKEY_LOCAL_MACHINE and the value naming its folder.
inline constexpr std::string_view kGameUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}";
inline constexpr std::string_view kGameInstallLocationValue = "InstallLocation";

struct GameFolder {
  std::filesystem::path folder;  // the game's folder on this machine
  std::filesystem::path prefix;  // the Wine prefix whose registry named it
  std::string launcher;          // as WinePrefixPlace::launcher
};

// The game's folder as the prefix's registry names it, when that folder exists.
std::optional<std::filesystem::path> GameFolderInPrefix(const std::filesystem::path& prefix);

// Every folder found, one per prefix, in the order of the prefixes.
std::vector<GameFolder> LocateGameFolders(const PrefixSearchStart& start);

// The same from this process's $HOME and $WINEPREFIX.
std::vector<GameFolder> LocateGameFolders();

}  // namespace zpk::platform
