// A Wine prefix in a temporary folder: drive_c, dosdevices/c: -> ../drive_c, and the
// registry files the test writes. Shared by the registry and installation-folder tests.
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

class FakeWinePrefix {
 public:
  FakeWinePrefix() {
    std::filesystem::create_directories(root() / "drive_c");
    std::filesystem::create_directories(root() / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", root() / "dosdevices" / "c:");
  }

  std::filesystem::path root() const { return dir_.path() / "prefix"; }
  std::filesystem::path driveC() const { return root() / "drive_c"; }

  // Writes system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER) with the header.
  void WriteSystemReg(std::string_view body) const { WriteReg("system.reg", body); }
  void WriteUserReg(std::string_view body) const { WriteReg("user.reg", body); }

  // Creates a folder below drive_c ("Games/Tidewater") and gives its full path.
  std::filesystem::path MakeFolder(const std::filesystem::path& belowDriveC) const {
    std::filesystem::create_directories(driveC() / belowDriveC);
    return driveC() / belowDriveC;
  }

  // Maps the drive ("d:") to target, as winecfg does.
  void MapDrive(std::string_view device, const std::filesystem::path& target) const {
    std::filesystem::create_directory_symlink(target, root() / "dosdevices" / device);
  }

  // A folder outside the prefix, for drives mapped elsewhere.
  std::filesystem::path MakeOutsideFolder(std::string_view name) const {
    std::filesystem::create_directories(dir_.path() / name);
    return dir_.path() / name;
  }

 private:
  void WriteReg(std::string_view file, std::string_view body) const {
    std::ofstream out(root() / file, std::ios::binary);
    out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
        << body;
  }

  TempDir dir_;
};

}  // namespace zpk::test
