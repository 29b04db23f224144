// Where a Linux player's Wine prefixes are: every launcher keeps them in folders of its own.
//
//   $WINEPREFIX, then ~/.wine
//   Steam (Proton)  <library>/steamapps/compatdata/<appid>/pfx in every Steam library: the
//                   roots ~/.steam/steam, ~/.local/share/Steam, the Flatpak's
//                   ~/.var/app/com.valvesoftware.Steam/.local/share/Steam, and each "path"
//                   of <root>/steamapps/libraryfolders.vdf
//   Lutris          the prefix of each game in ~/.config/lutris/games/*.yml and
//                   ~/.local/share/lutris/games/*.yml, and the folders ~/Games/*
//   Bottles         ~/.local/share/bottles/bottles/*, the Flatpak's
//                   ~/.var/app/com.usebottles.bottles/data/bottles/bottles/*
//   Heroic          ~/Games/Heroic/Prefixes/*, ~/Games/Heroic/Prefixes/default/*
//   PlayOnLinux     ~/.PlayOnLinux/wineprefix/*
//   PortProton      ~/.local/share/PortWINE/PortProton/data/prefixes/*
//
// A prefix is a folder holding a system.reg file. The prefixes come in the order above;
// those of one launcher with the most recently changed system.reg first. A prefix reached
// twice (through links, or from two launchers) is given once, in its first place. Places
// that can't be read, and links that loop, are passed over without a word; no folder is
// walked deeper than the patterns above, and folders with more than kMostFolderEntries
// entries, Lutris files above kLargestLutrisFile and libraryfolders.vdf files above
// kLargestVdfFile are not read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zpk::platform {

inline constexpr std::size_t kMostFolderEntries = 4096;
inline constexpr std::uintmax_t kLargestLutrisFile = 1024 * 1024;
inline constexpr std::uintmax_t kLargestVdfFile = 4 * 1024 * 1024;

struct WinePrefixPlace {
  std::filesystem::path prefix;
  std::string launcher;  // "WINEPREFIX", "Wine", "Steam", "Lutris", "Bottles", "Heroic"...
};

struct PrefixSearchStart {
  std::optional<std::filesystem::path> home;        // $HOME
  std::optional<std::filesystem::path> winePrefix;  // $WINEPREFIX
};

// $HOME and $WINEPREFIX of this process (unset or empty ones as nullopt).
PrefixSearchStart PrefixSearchStartFromEnvironment();

std::vector<WinePrefixPlace> FindWinePrefixes(const PrefixSearchStart& start);

// The prefixes the Lutris game file (YAML) names: "game: prefix:" or a top-level "prefix:";
// "~" at the start stands for home. Nothing for a file that is not YAML or names none.
std::vector<std::filesystem::path> LutrisPrefixes(const std::string& yamlText,
                                                  const std::filesystem::path& home);

// The Steam libraries a libraryfolders.vdf names: the "path" of each library block, and (as
// older Steam wrote) the text of each numbered key.
std::vector<std::filesystem::path> SteamLibraryPaths(const std::string& vdfText);

}  // namespace zpk::platform
