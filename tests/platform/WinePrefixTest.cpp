// Windows paths from a Wine prefix's registry, turned into folders of this machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/FakeWinePrefix.h"
#include "support/ScopedEnv.h"
#include "platform/WinePrefix.h"
#include "support/RowName.h"

namespace zpk::platform {
namespace {

namespace fs = std::filesystem;

// Where the path should lead: nullopt for "not mapped", else a path below the prefix's
// drive_c ("C") or below the folder drive D: is mapped to ("D").
struct MapCase {
  std::string name;
  std::string windowsPath;
  std::optional<std::string> drive;
  std::string below = {};
};

class DriveMapping : public testing::TestWithParam<MapCase> {
 protected:
  void SetUp() override {
    prefix_.MakeFolder("Games/Tidewater");
    fs::create_directories(media_ / "Spiele");
    fs::create_directory_symlink(media_, prefix_.root() / "dosdevices" / "d:");  // as winecfg does
  }

  test::FakeWinePrefix prefix_;
  test::TempDir elsewhere_;
  fs::path media_ = elsewhere_ / "media";
};

TEST_P(DriveMapping, LeadsToTheFolder) {
  const MapCase& c = GetParam();
  const auto mapped = MapWindowsPath(prefix_.root(), c.windowsPath);
  if (!c.drive) {
    EXPECT_EQ(mapped, std::nullopt) << mapped.value_or("");
    return;
  }
  ASSERT_TRUE(mapped.has_value());
  fs::path expected = fs::canonical(*c.drive == "C" ? prefix_.driveC() : media_);
  if (!c.below.empty()) expected /= c.below;
  EXPECT_EQ(mapped->string(), expected.string());
}

const MapCase kMapCases[] = {
    {"spelling_of_the_disk_wins", "C:\\GAMES\\tidewater", "C", "Games/Tidewater"},
    {"doubled_backslashes", "C:\\\\Games\\\\Tidewater", "C", "Games/Tidewater"},
    {"forward_slashes", "C:/Games/Tidewater", "C", "Games/Tidewater"},
    {"blanks_around", "  C:\\Games\\Tidewater  ", "C", "Games/Tidewater"},
    {"folder_not_there", "C:\\Games\\Gone\\Sub", "C", "Games/Gone/Sub"},
    {"bare_drive", "C:", "C"},
    {"other_drive", "D:\\spiele", "D", "Spiele"},
    {"unmapped_drive", "Q:\\Games", std::nullopt},
    {"no_drive", "Games\\Tidewater", std::nullopt},
    {"relative_to_drive", "C:Games", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Paths, DriveMapping, testing::ValuesIn(kMapCases), test::RowName());

TEST(DriveMappingWithoutDosdevices, FindsDriveCInDriveC) {
  test::FakeWinePrefix prefix;
  fs::remove_all(prefix.root() / "dosdevices");
  prefix.MakeFolder("Games");
  EXPECT_EQ(MapWindowsPath(prefix.root(), "C:\\Games"), fs::canonical(prefix.driveC()) / "Games");
  EXPECT_EQ(MapWindowsPath(prefix.root(), "D:\\Games"), std::nullopt);
}

TEST(WinePrefixFolder, IsWineprefixWhenSetElseDotWineInHome) {
  test::ScopedEnv home("HOME", "/home/quill");
  test::ScopedEnv prefix("WINEPREFIX", "/opt/games/prefix");
  EXPECT_EQ(WinePrefixFolder(), fs::path("/opt/games/prefix"));
  test::ScopedEnv empty("WINEPREFIX", "");
  EXPECT_EQ(WinePrefixFolder(), fs::path("/home/quill/.wine"));
}

}  // namespace
}  // namespace zpk::platform
