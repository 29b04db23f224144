// Wine prefixes in temporary folders: drive_c, dosdevices/c: -> ../drive_c, and the registry
// files the test writes. Shared by the registry, installation-folder, prefix-search and
// start-up tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "support/TempDir.h"

namespace zpk::test {

// The header line of the game's uninstall key in system.reg, as Wine writes it.
inline const std::string kUninstallKeyHeader =
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
    "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}] 1700000000\n";

inline void MakePrefixFolders(const std::filesystem::path& root) {
  std::filesystem::create_directories(root / "drive_c");
  std::filesystem::create_directories(root / "dosdevices");
  std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
}

// A registry file: Wine's first lines, then body.
inline void WriteRegFile(const std::filesystem::path& file, std::string_view body) {
  std::ofstream out(file, std::ios::binary);
  out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" << body;
}

class FakeWinePrefix {
 public:
  FakeWinePrefix() { MakePrefixFolders(root()); }

  std::filesystem::path root() const { return dir_.path() / "prefix"; }
  std::filesystem::path driveC() const { return root() / "drive_c"; }

  // Writes system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER) with the header.
  void WriteSystemReg(std::string_view body) const { WriteRegFile(root() / "system.reg", body); }
  void WriteUserReg(std::string_view body) const { WriteRegFile(root() / "user.reg", body); }

  // Creates a folder below drive_c ("Games/Tidewater") and gives its full path.
  std::filesystem::path MakeFolder(const std::filesystem::path& belowDriveC) const {
    std::filesystem::create_directories(driveC() / belowDriveC);
    return driveC() / belowDriveC;
  }

 private:
  TempDir dir_;
};

// A prefix at any place (a launcher's folder in a temporary home) whose system.reg holds the
// game's uninstall entry naming windowsPath. Nothing is written for the folder.
inline void MakeGamePrefix(const std::filesystem::path& root, std::string_view windowsPath) {
  MakePrefixFolders(root);
  std::string escaped;
  for (const char c : windowsPath) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  WriteRegFile(root / "system.reg", kUninstallKeyHeader + "\"DisplayName\"=\"Tidewater\"\n" +
                                        "\"InstallLocation\"=\"" + escaped + "\"\n");
}

// The same, with the game's folder C:\Games\Tidewater made in drive_c; gives that folder.
inline std::filesystem::path MakeGamePrefixWithFolder(const std::filesystem::path& root) {
  MakeGamePrefix(root, "C:\\Games\\Tidewater");
  std::filesystem::create_directories(root / "drive_c" / "Games" / "Tidewater");
  return std::filesystem::canonical(root / "drive_c" / "Games" / "Tidewater");
}

}  // namespace zpk::test
