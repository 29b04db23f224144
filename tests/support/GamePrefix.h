// Wine prefixes at any place (a launcher's folder in a temporary home), holding the game's
// uninstall entry: for the prefix search, `zpk locate` and the window's start-up.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "support/FakeWinePrefix.h"

namespace zpk::test {

// A prefix at root: drive_c, dosdevices/c: -> ../drive_c, and a system.reg whose uninstall
// entry names windowsPath (escaped as Wine writes it). Nothing is written for the folder.
inline void MakeGamePrefix(const std::filesystem::path& root, std::string_view windowsPath) {
  std::filesystem::create_directories(root / "drive_c");
  std::filesystem::create_directories(root / "dosdevices");
  std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
  std::string escaped;
  for (const char c : windowsPath) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  std::ofstream out(root / "system.reg", std::ios::binary);
  out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      << kUninstallKeyHeader << "\"DisplayName\"=\"Tidewater\"\n"
      << "\"InstallLocation\"=\"" << escaped << "\"\n";
}

// The same, with the game's folder C:\Games\Tidewater made in drive_c; gives that folder.
inline std::filesystem::path MakeGamePrefixWithFolder(const std::filesystem::path& root) {
  MakeGamePrefix(root, "C:\\Games\\Tidewater");
  std::filesystem::create_directories(root / "drive_c" / "Games" / "Tidewater");
  return std::filesystem::canonical(root / "drive_c" / "Games" / "Tidewater");
}

}  // namespace zpk::test
