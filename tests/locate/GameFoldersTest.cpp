// The game's folder in every launcher's Wine prefixes, on real folder trees in a temporary
// home: each launcher's place is searched, and the order, tie and skip rules hold.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/GameFolders.h"
#include "support/FakeWinePrefix.h"
#include "support/TempDir.h"
#include "support/RowName.h"

namespace {

namespace fs = std::filesystem;
using zpk::platform::GameFolder;
using zpk::platform::LocateGameFolders;
using zpk::platform::PrefixSearchStart;

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// The places of one launcher: its prefix's folder, "~/" below the home or "@/" outside it,
// and what the launcher keeps beside its prefixes (made by `beside`).
using Beside = void (*)(const fs::path& home, const fs::path& outside);

struct LauncherCase {
  const char* name;
  const char* launcher;
  const char* prefix;
  Beside beside = nullptr;
};

const LauncherCase kLaunchers[] = {
    {"WinePrefixVariable", "WINEPREFIX", "@/custom-prefix"},
    {"DotWine", "Wine", "~/.wine"},
    {"SteamDotSteam", "Steam", "~/.steam/steam/steamapps/compatdata/2001/pfx"},
    {"SteamSecondLibrary", "Steam", "@/library/steamapps/compatdata/2002/pfx",
     [](const fs::path& home, const fs::path& outside) {
       WriteText(home / ".local/share/Steam/steamapps/libraryfolders.vdf",
                 "libraryfolders { 1 { path \"" + (outside / "library").string() + "\" } }");
     }},
    {"SteamFlatpak", "Steam",
     "~/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/2003/pfx"},
    {"LutrisGameFile", "Lutris", "@/lutris-prefix",
     [](const fs::path& home, const fs::path& outside) {
       WriteText(home / ".config/lutris/games/tidewater-1700000000.yml",
                 "game:\n  exe: drive_c/Games/Tidewater/tidewater.exe\n  prefix: " +
                     (outside / "lutris-prefix").string() + "\nwine:\n  version: lutris-7.2\n");
     }},
    {"LutrisDataFileInHome", "Lutris", "~/wine/tidewater",
     [](const fs::path& home, const fs::path&) {
       WriteText(home / ".local/share/lutris/games/tidewater.yml", "prefix: ~/wine/tidewater\n");
     }},
    {"LutrisGamesFolder", "Lutris", "~/Games/tidewater"},
    {"Bottles", "Bottles", "~/.local/share/bottles/bottles/Tidewater"},
    {"BottlesFlatpak", "Bottles", "~/.var/app/com.usebottles.bottles/data/bottles/bottles/Games"},
    {"Heroic", "Heroic", "~/Games/Heroic/Prefixes/Tidewater"},
    {"HeroicDefault", "Heroic", "~/Games/Heroic/Prefixes/default/Tidewater"},
    {"PlayOnLinux", "PlayOnLinux", "~/.PlayOnLinux/wineprefix/Tidewater"},
    {"PortProton", "PortProton", "~/.local/share/PortWINE/PortProton/data/prefixes/DEFAULT"},
};

class Locate : public testing::Test {
 protected:
  fs::path Home() const { return dir_ / "home"; }
  fs::path Outside() const { return dir_ / "elsewhere"; }
  PrefixSearchStart Start() const { return {Home(), Outside() / "custom-prefix"}; }

  fs::path Prefix(const LauncherCase& c) const {
    return (c.prefix[0] == '~' ? Home() : Outside()) / (c.prefix + 2);
  }

  // Makes the launcher's prefix with the game in it; gives the game's folder.
  fs::path Install(const LauncherCase& c) const {
    fs::create_directories(Home());
    if (c.beside) c.beside(Home(), Outside());
    return zpk::test::MakeGamePrefixWithFolder(Prefix(c));
  }

  zpk::test::TempDir dir_;
};

class EachLauncher : public Locate, public testing::WithParamInterface<LauncherCase> {};

TEST_P(EachLauncher, FindsTheGameInItsPrefix) {
  const fs::path folder = Install(GetParam());
  const auto found = LocateGameFolders(Start());
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(folder, found[0].folder);
  EXPECT_TRUE(fs::equivalent(Prefix(GetParam()), found[0].prefix));
}

INSTANTIATE_TEST_SUITE_P(Launchers, EachLauncher, testing::ValuesIn(kLaunchers),
                         zpk::test::RowName());

TEST_F(Locate, LaunchersComeInTheirOrder) {
  // Made last to first, so that the order is not the order of making.
  for (auto c = std::rbegin(kLaunchers); c != std::rend(kLaunchers); ++c) Install(*c);
  std::vector<std::string> expected, launchers;
  for (const LauncherCase& c : kLaunchers) expected.push_back(c.launcher);
  for (const GameFolder& game : LocateGameFolders(Start())) launchers.push_back(game.launcher);
  EXPECT_EQ(expected, launchers);
}

TEST_F(Locate, NewestRegistryComesFirstWithinALauncher) {
  const fs::path bottles = Home() / ".local/share/bottles/bottles";
  const auto now = fs::file_time_type::clock::now();
  // Ages in hours; the expected order is neither the names' order nor its reverse.
  const std::pair<const char*, int> ages[] = {{"a", 2}, {"b", 4}, {"c", 1}, {"d", 3}};
  for (const auto& [name, hours] : ages) {
    zpk::test::MakeGamePrefixWithFolder(bottles / name);
    fs::last_write_time(bottles / name / "system.reg", now - std::chrono::hours(hours));
  }
  std::vector<fs::path> prefixes;
  for (const GameFolder& game : LocateGameFolders(Start())) prefixes.push_back(game.prefix);
  EXPECT_EQ((std::vector<fs::path>{bottles / "c", bottles / "a", bottles / "d", bottles / "b"}),
            prefixes);
}

// A 32-bit installer writes its entry below Wow6432Node, which is read before the native
// one.
TEST_F(Locate, TheEntryOfA32BitInstallerComesFirst) {
  const fs::path prefix = Home() / ".wine";
  zpk::test::MakeGamePrefixWithFolder(prefix);
  fs::create_directories(prefix / "drive_c/Games/ThirtyTwo");
  std::ofstream(prefix / "system.reg", std::ios::app)
      << "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
         "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}] 1\n\"InstallLocation\"=\"C:\\\\Games\\\\ThirtyTwo\"\n";
  const auto found = LocateGameFolders(Start());
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(fs::canonical(prefix / "drive_c/Games/ThirtyTwo"), found[0].folder);
}

TEST_F(Locate, PassesOverMissingFoldersBrokenFilesAndLinkLoops) {
  // ~/.wine names a folder that is not there.
  zpk::test::MakeGamePrefix(Home() / ".wine", "C:\\Games\\Tidewater");
  WriteText(Home() / ".config/lutris/games/broken.yml", "game: [prefix: {\n\t- ]");
  fs::create_directories(Home() / "Games/Heroic/Prefixes");
  fs::create_directory_symlink("loop", Home() / "Games/Heroic/Prefixes/loop");
  // The last launcher's prefix is still found.
  const fs::path portProton = Install(kLaunchers[std::size(kLaunchers) - 1]);

  const auto found = LocateGameFolders(Start());
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(portProton, found[0].folder);
}

// A prefix reached twice, here by $WINEPREFIX naming ~/.wine, is listed once, the first time.
TEST_F(Locate, APrefixReachedTwiceIsListedOnce) {
  Install(kLaunchers[1]);
  const auto found = LocateGameFolders({Home(), Home() / ".wine"});
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ("WINEPREFIX", found[0].launcher);
}

// Not even in the current folder: a missing home is no empty, relative one.
TEST_F(Locate, NothingWithoutAHome) {
  Install(kLaunchers[1]);
  const fs::path before = fs::current_path();
  fs::current_path(Home());
  const bool none = LocateGameFolders(PrefixSearchStart{}).empty();
  fs::current_path(before);
  EXPECT_TRUE(none);
}

}  // namespace
