// Start-up: where the installation folder comes from (an archive named on the command line,
// the setting, the game's uninstall entry, a launcher's prefix, then the user), the caption
// and the archive list.
#include <gtest/gtest.h>

#include <QLabel>

#include "AppTestSupport.h"
#include "support/ScopedEnv.h"

namespace zpk::test {
namespace {

using app::frmMain;
using Writes = std::vector<std::pair<QString, QString>>;

const std::string kGameFolder = "C:\\\\Games\\\\Tidewater";  // as system.reg holds it

tools::ArchiveWriter OneEntry(const std::string& id) {
  return tools::ArchiveWriter(id).Add("a.txt", "text");
}

struct PrecedenceCase {
  std::string name;
  std::string setting;        // "InstallPath": "" none, "folder", or "bare" (no separator)
  std::string registryFolder;  // the uninstall entry's folder, escaped as in system.reg; "" none
  std::optional<bool> picks;  // the user is asked, and picks the folder or cancels
  std::string shownId;        // the archive shown; "" when start-up ends
};

class PrecedenceTest : public WindowTest, public ::testing::WithParamInterface<PrecedenceCase> {};

TEST_P(PrecedenceTest, FindsTheFolderAndSavesOnlyThePickedOne) {
  const PrecedenceCase& c = GetParam();
  AddArchive("data.zpk", OneEntry("INSTALL").Bytes());
  wine.MakeFolder("Program Files");
  WriteFileBytes(wine.MakeFolder("Games/Tidewater") / "game.zpk", OneEntry("REGISTRY").Bytes());
  if (c.setting == "folder") StoreSetting("InstallPath", FolderText(Install()));
  if (c.setting == "bare") StoreSetting("InstallPath", Q(Install()));
  if (!c.registryFolder.empty()) {
    wine.WriteSystemReg(kUninstallKeyHeader + "\"InstallLocation\"=\"" + c.registryFolder + "\"\n");
  }
  if (c.picks) folderPicker.answers = {*c.picks ? Q(Install()) : QString()};

  frmMain& w = Window();
  EXPECT_EQ(w.Form_Load(), !c.shownId.empty());
  EXPECT_EQ(windowSystem.beeps, c.picks ? 1 : 0);
  if (c.picks) {
    ASSERT_EQ(windowSystem.messages.size(), 1u);
    EXPECT_EQ(windowSystem.messages[0].text, "No Tidewater installation found, lease locate manually...");
    EXPECT_EQ(windowSystem.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(windowSystem.messages[0].title, w.VersionTitle());
    ASSERT_EQ(folderPicker.calls.size(), 1u);
    EXPECT_EQ(folderPicker.calls[0].title, "Locate Tidewater installation folder:");
    EXPECT_EQ(folderPicker.calls[0].startFolder,
              Q(std::filesystem::canonical(wine.driveC()) / "Program Files"));
  } else {
    EXPECT_TRUE(windowSystem.messages.empty());
  }
  if (!c.shownId.empty()) {
    const bool fromRegistry = c.shownId == "REGISTRY";
    EXPECT_EQ(w.lblInstallPath->text(),
              FolderText(fromRegistry ? std::filesystem::canonical(wine.driveC()) / "Games" / "Tidewater"
                                      : Install()));
    EXPECT_EQ(w.lblZPKID->text(), IdLabel(QString::fromStdString(c.shownId)));
  }
  const Writes picked = {{"InstallPath", FolderText(Install())}};
  EXPECT_EQ(settings.writes, c.picks == true ? picked : Writes{});
}

INSTANTIATE_TEST_SUITE_P(
    Folder, PrecedenceTest,
    ::testing::Values(
        PrecedenceCase{"SettingWinsOverRegistry", "folder", kGameFolder, std::nullopt, "INSTALL"},
        PrecedenceCase{"SettingWithoutSeparatorGetsOne", "bare", "", std::nullopt, "INSTALL"},
        PrecedenceCase{"RegistryWhenNoSettingNotSaved", "", kGameFolder, std::nullopt, "REGISTRY"},
        PrecedenceCase{"UnmappedDriveAsksTheUser", "", "Q:\\\\Games\\\\Tidewater", true, "INSTALL"},
        PrecedenceCase{"MissingFolderAsksTheUser", "", "C:\\\\Gone", true, "INSTALL"},
        PrecedenceCase{"CancelEndsTheProgram", "", "", false, ""}),
    RowName());

class StartupTest : public WindowTest {};

// An archive named on the command line: its folder wins over the setting for this run
// only, and that archive is the one chosen, loaded without a beep. The list holds
// that folder's archive files only, in name order, whatever their case.
TEST_F(StartupTest, ArchiveOnTheCommandLineOpensInItsFolder) {
  AddArchive("data.zpk", OneEntry("INSTALL").Bytes());
  const std::filesystem::path other = Root() / "mods";
  std::filesystem::create_directories(other / "folder.zpk");
  for (const char* name : {"maps.zpk", "Data.ZPK", "audio.zpk", ".hidden.zpk"}) {
    WriteFileBytes(other / name, OneEntry(name).Bytes());
  }
  WriteFileBytes(other / "data.zpk.bak", {std::byte{'x'}});
  WriteFileBytes(other / "mod.zpk", OneEntry("MOD").Bytes());
  startArchive = Q(other / "mod.zpk");
  frmMain& w = Start();
  EXPECT_EQ(w.windowTitle(), QStringLiteral(" Quill's Tidewater ZPK Viewer v1.00"));
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(other));
  EXPECT_EQ(ListedRows(*w.lstZPKFiles), QStringList({"audio.zpk", "Data.ZPK", "maps.zpk", "mod.zpk"}));
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("MOD"));
}

TEST_F(StartupTest, OpensOnTheGameInAProtonPrefixWithoutAsking) {
  // A home holding only a Steam library, the game installed in a Proton prefix.
  const std::filesystem::path home = Root() / "home";
  const ScopedEnv homeEnv("HOME", home.string());
  const ScopedEnv noPrefix("WINEPREFIX", nullptr);
  const std::filesystem::path game =
      MakeGamePrefixWithFolder(home / ".local/share/Steam/steamapps/compatdata/2200/pfx");
  WriteFileBytes(game / "data.zpk", OneEntry("PROTON").Bytes());

  frmMain& w = Window();
  ASSERT_TRUE(w.Form_Load());
  EXPECT_TRUE(windowSystem.messages.empty());
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(game));
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("PROTON"));
}

}  // namespace
}  // namespace zpk::test
