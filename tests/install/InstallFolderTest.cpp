// The installation folder: the special folders of a fake Wine prefix, the folder browser's
// start folder, and the folder choice with its setting. Which folder the uninstall entry
// leads to is start-up's test (app/StartupTest).
#include <gtest/gtest.h>

#include <QWidget>
#include <string>

#include "app/InstallFolder.h"
#include "app/modRegSubs.h"
#include "support/IniSettingsStore.h"
#include "support/RecordingWindowSystem.h"
#include "support/RowName.h"
#include "support/ScriptedFolderPicker.h"
#include "support/FakeWinePrefix.h"
#include "support/ScopedEnv.h"
#include "platform/WineRegistry.h"

namespace zpk::app {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

// ---------------------------------------------------------------------------------------
// Special folders.

// Folders below the prefix's drive_c ("<home>": the home folder), the registry's lines.
struct SpecialCase {
  std::string name;
  int csidl;
  std::vector<std::string> folders;
  std::string reg;
  std::string expected;
};

class SpecialFolder : public testing::TestWithParam<SpecialCase> {};

TEST_P(SpecialFolder, IsThePrefixFolderTheRegistryNamesOrHome) {
  const SpecialCase& c = GetParam();
  test::FakeWinePrefix prefix;
  const test::TempDir home;
  const test::ScopedEnv homeEnv("HOME", home.path().string());
  const test::ScopedEnv windirEnv("windir", nullptr);
  for (const auto& folder : c.folders) prefix.MakeFolder(folder);
  prefix.WriteSystemReg(c.reg);
  const QString expected = c.expected == "<home>" ? Q(home.path())
                           : c.expected.empty()   ? QString()
                                                  : Q(fs::canonical(prefix.driveC()) / c.expected);
  EXPECT_EQ(GetSpecialFolder(platform::WineRegistry(prefix.root()), c.csidl), expected);
  if (c.csidl == kCsidlWindows) {
    const test::ScopedEnv windir("windir", "/opt/windows");
    EXPECT_EQ(GetSpecialFolder(platform::WineRegistry(prefix.root()), c.csidl), "/opt/windows");
  }
}

const std::string kCurrentVersion = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1\n";

const SpecialCase kSpecialCases[] = {
    {"program_files_the_registry_names", kCsidlProgramFiles, {"Program Files", "Programme"},
     kCurrentVersion + "\"ProgramFilesDir\"=\"C:\\\\Programme\"\n", "Programme"},
    {"program_files_named_but_missing", kCsidlProgramFiles, {"Program Files"},
     kCurrentVersion + "\"ProgramFilesDir\"=\"C:\\\\Programme\"\n", "Program Files"},
    {"program_files_without_a_prefix_folder", kCsidlProgramFiles, {}, "", "<home>"},
    {"windows_folder", kCsidlWindows, {"windows"},
     "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1\n\"SystemRoot\"=\"C:\\\\windows\"\n",
     "windows"},
    {"profile_is_home", kCsidlProfile, {}, "", "<home>"},
    {"unknown_number", 9999, {}, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Folders, SpecialFolder, testing::ValuesIn(kSpecialCases), test::RowName());

// ---------------------------------------------------------------------------------------
// The folder browser's start folder.

// Without the user's folder settings, the documents folder is ~/Documents.
TEST(Browse, AnEmptyOrBlankStartFolderBecomesTheDocumentsFolder) {
  const test::TempDir home;
  const test::ScopedEnv homeEnv("HOME", home.path().string());
  const test::ScopedEnv configEnv("XDG_CONFIG_HOME", (home / "config").string());
  for (QString start : {QString(), QString("   ")}) {
    test::ScriptedFolderPicker picker({"/chosen"});
    EXPECT_EQ(BrowseForFolder(picker, nullptr, "Pick", start), "/chosen");
    EXPECT_EQ(start, Q(home / "Documents"));
    ASSERT_EQ(picker.calls.size(), 1u);
    EXPECT_EQ(picker.calls[0].startFolder, Q(home / "Documents"));
  }
}

// ---------------------------------------------------------------------------------------
// Choosing the folder: a caption without its separator starts the picker with one, over the
// active window, and the choice is saved with one. The title, the start folder at start-up
// and what cancelling keeps are the window's tests (StartupTest).
TEST(ChooseInstallPath, StartsAtTheCaptionAndSavesTheChoiceWithSeparators) {
  test::FakeWinePrefix prefix;
  test::ScriptedFolderPicker picker({"/srv/Tidewater"});
  test::TempDir config;
  test::IniSettingsStore settings(config / "settings.conf");
  test::RecordingWindowSystem windows;
  QWidget active;
  windows.activeWindow = &active;

  const auto result = ChooseInstallPath(platform::WineRegistry(prefix.root()), picker, settings,
                                        windows, "/games/tide");
  ASSERT_EQ(picker.calls.size(), 1u);
  EXPECT_EQ(picker.calls[0].startFolder, "/games/tide/");
  EXPECT_EQ(picker.calls[0].owner, &active);
  EXPECT_EQ(result, "/srv/Tidewater/");
  EXPECT_EQ(settings.Read("InstallPath", ""), "/srv/Tidewater/");
}

}  // namespace
}  // namespace zpk::app
