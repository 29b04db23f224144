// Start-up: where the installation folder comes from (setting, then the game's uninstall
// entry, then the user), the caption, the archive list, the Options page from the
// settings, and the folder button.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "AppTestSupport.h"
#include "app/ChoiceList.h"
#include "support/ScopedEnv.h"

namespace zpk::test {
namespace {

using app::frmMain;

const QString kNotFound = QStringLiteral("No Tidewater installation found, lease locate manually...");
const QString kLocate = QStringLiteral("Locate Tidewater installation folder:");


tools::ArchiveWriter OneEntry(const std::string& id) {
  tools::ArchiveWriter writer(id);
  writer.Add("a.txt", "text");
  return writer;
}

// Where the folder comes from, case by case.
enum class Source { None, Setting, SettingWithoutSeparator, Registry, RegistryUnmappedDrive };

struct PrecedenceCase {
  std::string name;
  Source setting;    // Setting / SettingWithoutSeparator / None
  Source registry;   // Registry / RegistryUnmappedDrive / None
  std::vector<std::string> dialogAnswers;  // "install" for the installation folder, "" cancel
  bool starts;
  std::string shownFolder;  // "install", "registry" or "" (never shown)
  bool settingWritten;
};

void PrintTo(const PrecedenceCase& c, std::ostream* os) { *os << c.name; }

class PrecedenceTest : public WindowTest, public ::testing::WithParamInterface<PrecedenceCase> {
 protected:
  std::filesystem::path RegistryFolder() const {
    return std::filesystem::canonical(wine.driveC()) / "Games" / "Tidewater";
  }
  void WriteInstallLocation(const std::string& windowsPath) {
    wine.WriteSystemReg(kUninstallKeyHeader + "\"InstallLocation\"=\"" + windowsPath + "\"\n");
  }
};

TEST_P(PrecedenceTest, FindsTheFolder) {
  const PrecedenceCase& c = GetParam();
  AddArchive("data.zpk", OneEntry("INSTALL"));
  wine.MakeFolder("Program Files");
  wine.MakeFolder("Games/Tidewater");
  WriteFileBytes(RegistryFolder() / "game.zpk", OneEntry("REGISTRY").Bytes());
  if (c.setting == Source::Setting) StoreSetting("InstallPath", FolderText(Install()));
  if (c.setting == Source::SettingWithoutSeparator) StoreSetting("InstallPath", Q(Install()));
  if (c.registry == Source::Registry) WriteInstallLocation("C:\\\\Games\\\\Tidewater");
  if (c.registry == Source::RegistryUnmappedDrive) WriteInstallLocation("Q:\\\\Games\\\\Tidewater");
  for (const auto& answer : c.dialogAnswers) {
    folderPicker.answers.push_back(answer == "install" ? Q(Install()) : QString());
  }

  frmMain& w = Window();
  EXPECT_EQ(w.Form_Load(), c.starts);

  const bool asked = !c.dialogAnswers.empty();
  EXPECT_EQ(windowSystem.beeps, asked ? 1 : 0);
  if (asked) {
    ASSERT_EQ(windowSystem.messages.size(), 1u);
    EXPECT_EQ(windowSystem.messages[0].text, kNotFound);
    EXPECT_EQ(windowSystem.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(windowSystem.messages[0].title, w.VersionTitle());
    ASSERT_EQ(folderPicker.calls.size(), 1u);
    EXPECT_EQ(folderPicker.calls[0].title, kLocate);
    // The dialog starts in the prefix's Program Files folder.
    EXPECT_EQ(folderPicker.calls[0].startFolder,
              Q(std::filesystem::canonical(wine.driveC()) / "Program Files"));
  } else {
    EXPECT_TRUE(windowSystem.messages.empty());
  }

  if (c.shownFolder == "install") {
    EXPECT_EQ(w.lblInstallPath->text(), FolderText(Install()));
    EXPECT_EQ(w.lblZPKID->text(), IdLabel("INSTALL"));
  } else if (c.shownFolder == "registry") {
    EXPECT_EQ(w.lblInstallPath->text(), FolderText(RegistryFolder()));
    EXPECT_EQ(w.lblZPKID->text(), IdLabel("REGISTRY"));
  } else {
    EXPECT_EQ(w.lblInstallPath->text(), QStringLiteral("lblInstallPath"));
  }

  const bool writtenByStartUp =
      std::any_of(settings.writes.begin(), settings.writes.end(),
                  [](const auto& write) { return write.first == "InstallPath"; });
  EXPECT_EQ(writtenByStartUp, c.settingWritten);
  if (c.settingWritten) {
    EXPECT_EQ(StoredSetting("InstallPath"), FolderText(Install()));
  }
  if (c.setting == Source::None && !c.settingWritten) {
    EXPECT_EQ(StoredSetting("InstallPath"), std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Folder, PrecedenceTest,
    ::testing::Values(
        PrecedenceCase{"SettingWinsOverRegistry", Source::Setting, Source::Registry, {}, true, "install", false},
        PrecedenceCase{"SettingWithoutSeparatorGetsOne", Source::SettingWithoutSeparator, Source::None, {}, true, "install", false},
        PrecedenceCase{"RegistryWhenNoSettingNotSaved", Source::None, Source::Registry, {}, true, "registry", false},
        PrecedenceCase{"UserAskedWhenNeitherAndChoiceSaved", Source::None, Source::None, {"install"}, true, "install", true},
        PrecedenceCase{"UnmappedDriveCountsAsNoEntry", Source::None, Source::RegistryUnmappedDrive, {"install"}, true, "install", true},
        PrecedenceCase{"CancelEndsTheProgram", Source::None, Source::None, {""}, false, "", false}),
    [](const auto& row) { return row.param.name; });

// An archive named on the command line: its folder wins over every other source for this
// run, is never saved, and that archive is the one chosen.
struct StartArchiveCase {
  std::string name;
  bool settingStored;  // "InstallPath" names the installation folder
};

void PrintTo(const StartArchiveCase& c, std::ostream* os) { *os << c.name; }

class StartArchiveTest : public WindowTest, public ::testing::WithParamInterface<StartArchiveCase> {};

TEST_P(StartArchiveTest, OpensTheNamedArchiveInItsFolder) {
  AddArchive("data.zpk", OneEntry("INSTALL"));
  const std::filesystem::path other = Root() / "mods";
  std::filesystem::create_directories(other);
  WriteFileBytes(other / "alpha.zpk", OneEntry("ALPHA").Bytes());
  WriteFileBytes(other / "mod.zpk", OneEntry("MOD").Bytes());
  if (GetParam().settingStored) StoreSetting("InstallPath", FolderText(Install()));
  startArchive = Q(other / "mod.zpk");

  frmMain& w = Window();
  ASSERT_TRUE(w.Form_Load());
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(other));
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 1);
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("MOD"));
  EXPECT_EQ(w.CurrentArchivePath(), FolderText(other) + "mod.zpk");
  EXPECT_TRUE(folderPicker.calls.empty());
  EXPECT_TRUE(windowSystem.messages.empty());
  EXPECT_TRUE(settings.writes.empty());
  EXPECT_EQ(StoredSetting("InstallPath"),
            GetParam().settingStored ? std::optional(FolderText(Install())) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Folder, StartArchiveTest,
                         ::testing::Values(StartArchiveCase{"OverTheSetting", true},
                                           StartArchiveCase{"WithNoFolderKnown", false}),
                         [](const auto& row) { return row.param.name; });

class StartupTest : public WindowTest {};

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
  EXPECT_TRUE(folderPicker.calls.empty());
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(game));
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("PROTON"));
  EXPECT_EQ(StoredSetting("InstallPath"), std::nullopt);
}

TEST_F(StartupTest, ListsOnlyArchiveFilesInNameOrder) {
  AddArchive("maps.zpk", OneEntry("MAPS"));
  AddArchive("Data.ZPK", OneEntry("DATA"));
  AddArchive("audio.zpk", OneEntry("AUDIO"));
  AddArchive(".hidden.zpk", OneEntry("HIDDEN"));
  WriteFileBytes(Install() / "readme.txt", {std::byte{'x'}});
  WriteFileBytes(Install() / "data.zpk.bak", {std::byte{'x'}});
  std::filesystem::create_directories(Install() / "folder.zpk");
  frmMain& w = Start();
  EXPECT_EQ(w.windowTitle(), QStringLiteral(" Quill's Tidewater ZPK Viewer v1.00"));
  auto* names = w.lstZPKFiles->model();
  QStringList listed;
  for (int row = 0; row < names->rowCount(); ++row) listed << names->index(row, 0).data().toString();
  EXPECT_EQ(listed, QStringList({"audio.zpk", "Data.ZPK", "maps.zpk"}));
  // The first is loaded at once, without a beep.
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 0);
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("AUDIO"));
  EXPECT_EQ(w.CurrentArchivePath(), FolderText(Install()) + "audio.zpk");
  EXPECT_EQ(windowSystem.beeps, 0);
}

struct EmptyFolderCase {
  std::string name;
  bool folderExists;
};

class EmptyFolderTest : public WindowTest, public ::testing::WithParamInterface<EmptyFolderCase> {};

TEST_P(EmptyFolderTest, NothingChosenNothingSaid) {
  const std::filesystem::path folder = Root() / "elsewhere";
  if (GetParam().folderExists) std::filesystem::create_directories(folder);
  StoreSetting("InstallPath", FolderText(folder));
  frmMain& w = Start();
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(folder));
  EXPECT_EQ(w.lstZPKFiles->ListCount(), 0);
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), -1);
  EXPECT_EQ(w.CurrentArchivePath(), QString());
  EXPECT_EQ(windowSystem.beeps, 0);
  EXPECT_TRUE(windowSystem.messages.empty());
  const QStringList designTexts = {"lblZPKSize", "lblZPKDate", "lblZPKID", "lblZPKEntries", "lblResInfos", "lblHint"};
  EXPECT_EQ(QStringList({w.lblZPKSize->text(), w.lblZPKDate->text(), w.lblZPKID->text(),
                         w.lblZPKEntries->text(), w.lblResInfos->text(), w.lblHint->text()}),
            designTexts);
  EXPECT_EQ(w.imgEncrypted->pixmap().toImage(), w.ilIcons().Image("icoWarn").toImage());
  for (QPushButton* button : {w.btnPlay, w.btnViewTXT, w.btnViewPIC, w.btnViewHEX, w.btnSaveAs}) {
    EXPECT_TRUE(button->isEnabled());
  }
  EXPECT_EQ(StoredSetting("InstallPath"), FolderText(folder));
}

INSTANTIATE_TEST_SUITE_P(Folder, EmptyFolderTest,
                         ::testing::Values(EmptyFolderCase{"WithoutArchives", true},
                                           EmptyFolderCase{"GoneSinceLastRun", false}),
                         [](const auto& row) { return row.param.name; });

struct CheckBoxCase {
  std::string name;
  std::optional<QString> stored;  // nothing: key absent
  bool checked;
};

class CheckBoxSettingTest : public WindowTest, public ::testing::WithParamInterface<CheckBoxCase> {};

// The Options page comes from the settings, and start-up writes none of them back.
TEST_P(CheckBoxSettingTest, SetFromTheLeadingNumberWithoutWritingBack) {
  StoreSetting("HEXEditor", "/usr/bin/hexedit");
  StoreSetting("PICViewer", "/usr/bin/pics");
  StoreSetting("TXTViewer", "/usr/bin/less");
  if (GetParam().stored) {
    StoreSetting("STD PICViewer", *GetParam().stored);
    StoreSetting("STD TXTViewer", *GetParam().stored);
  }
  StoreSetting("InstallPath", FolderText(Install()));
  const auto fileBefore = ReadFileBytes(SettingsFilePath());
  frmMain& w = Start();
  EXPECT_EQ(w.cbStdViewer->isChecked(), GetParam().checked);
  EXPECT_EQ(w.cbStdText->isChecked(), GetParam().checked);
  EXPECT_EQ(w.txtHEXEditor->text(), QStringLiteral("/usr/bin/hexedit"));
  EXPECT_EQ(w.txtPICViewer->text(), QStringLiteral("/usr/bin/pics"));
  EXPECT_EQ(w.txtTXTViewer->text(), QStringLiteral("/usr/bin/less"));
  EXPECT_TRUE(settings.writes.empty());
  EXPECT_EQ(ReadFileBytes(SettingsFilePath()), fileBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, CheckBoxSettingTest,
    ::testing::Values(CheckBoxCase{"Absent", std::nullopt, false},
                      CheckBoxCase{"Zero", "0", false}, CheckBoxCase{"One", "1", true},
                      CheckBoxCase{"Word", "yes", false},
                      CheckBoxCase{"NumberThenWord", "1 apple", true},
                      CheckBoxCase{"LeadingBlanks", "  1", true},
                      CheckBoxCase{"NotACheckBoxValue", "7", false},
                      CheckBoxCase{"Beyond16Bits", "99999", false}),
    [](const auto& row) { return row.param.name; });

TEST_F(StartupTest, FolderButtonStartsAtTheShownFolderAndSavesTheChoiceUnlessCancelled) {
  AddArchive("data.zpk", OneEntry("DATA"));
  const std::filesystem::path other = Root() / "Other";
  std::filesystem::create_directories(other);
  frmMain& w = Start();
  settings.writes.clear();
  folderPicker.answers = {QString(), Q(other)};
  w.btnChoosePath->click();  // cancelled: nothing changes
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(Install()));
  EXPECT_TRUE(settings.writes.empty());
  w.btnChoosePath->click();
  ASSERT_EQ(folderPicker.calls.size(), 2u);
  EXPECT_EQ(folderPicker.calls[1].title, kLocate);
  EXPECT_EQ(folderPicker.calls[1].startFolder, FolderText(Install()));
  EXPECT_EQ(w.lblInstallPath->text(), FolderText(other));
  EXPECT_EQ(StoredSetting("InstallPath"), FolderText(other));
  // The list keeps the names found at start-up.
  EXPECT_EQ(w.lstZPKFiles->ListCount(), 1);
}

}  // namespace
}  // namespace zpk::test
