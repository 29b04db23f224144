// Where the user's Wine prefix is, and how a Windows path stored in it (C:\Games\Tidewater)
// becomes a folder of this machine.
//
// A prefix maps its drive letters in dosdevices/: "c:" is a symbolic link to ../drive_c,
// "z:" usually to "/", others to whatever the user configured. A prefix without dosdevices
// still has its C: drive in drive_c. Windows paths ignore case and the Unix file system
// doesn't, so every part of the path is matched without regard to case where the exact
// spelling is not there.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zpk::platform {

// $WINEPREFIX when it is set and not empty, else ~/.wine (nullopt without a home folder).
std::optional<std::filesystem::path> WinePrefixFolder();

// The folder a Windows path ("X:\..." or "X:/...") names in the prefix. The parts below the
// drive need not exist; nullopt when the path has no drive letter or the drive isn't mapped.
std::optional<std::filesystem::path> MapWindowsPath(const std::filesystem::path& prefix,
                                                    std::string_view windowsPath);

}  // namespace zpk::platform
