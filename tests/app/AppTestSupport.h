// What the main window's tests share: a settings store on the real settings file that
// also records the writes, and a fixture that builds frmMain over a temporary
// installation folder and program folder, with the fakes of tests/support.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ChoiceList.h"
#include "app/QtPathText.h"
#include "app/frmMain.h"
#include "platform/QtSettingsStore.h"
#include "support/FakeWinePrefix.h"
#include "support/RecordingWindowSystem.h"
#include "support/RowName.h"
#include "support/ScriptedFolderPicker.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace zpk::test {

// The real settings store (a QSettings file below $XDG_CONFIG_HOME), recording writes.
class RecordingSettings final : public platform::SettingsStore {
 public:
  QString Read(const QString& key, const QString& defaultValue) override {
    return real_.Read(key, defaultValue);
  }
  bool Write(const QString& key, const QString& value) override {
    writes.emplace_back(key, value);
    return real_.Write(key, value);
  }
  std::vector<std::pair<QString, QString>> writes;

 private:
  platform::QtSettingsStore real_;
};

// Stores a value through the real store, as an earlier run of the program would have.
inline void StoreSetting(const QString& key, const QString& value) {
  platform::QtSettingsStore().Write(key, value);
}
std::optional<QString> StoredSetting(const QString& key);

// The rows of an archive or resource list, as shown.
QStringList ListedRows(const app::ChoiceList& list);

inline QString Q(const std::filesystem::path& path) { return app::FromFsPath(path); }
// lblZPKID's text for an archive written with this ID: the stored field whole, its NUL
// padding included.
inline QString IdLabel(const QString& id) { return id + QString(256 - id.size(), QChar(0)); }
// The folder's text as the window shows it, with a trailing separator.
inline QString FolderText(const std::filesystem::path& folder) { return app::AddBackslash(Q(folder)); }

// A window over a temporary installation folder ("Tidewater" in a temporary folder), a
// temporary program folder and a Wine prefix in a temporary folder with no registry
// entries until a test writes some. Archives written into the installation folder are checked
// to be unchanged when the test ends.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path Install() const { return root_.path() / "Tidewater"; }
  std::filesystem::path ProgramFolder() const { return root_.path() / "program"; }
  std::filesystem::path Root() const { return root_.path(); }

  // Writes an archive into the installation folder and remembers its bytes.
  std::filesystem::path AddArchive(const std::string& fileName, const std::vector<std::byte>& bytes);
  // Removes such an archive, as the user may while the window runs.
  void RemoveArchive(const std::filesystem::path& path);

  // Builds the window (once per test).
  app::frmMain& Window(double dpi = 96);
  // Builds the window and runs Form_Load with "InstallPath" = Install() unless the test
  // stored a setting of its own; expects start-up to succeed.
  app::frmMain& Start();
  // Chooses an archive or a resource with a click of the left mouse button.
  void ClickArchive(int row);
  void ClickResource(int row);

  RecordingWindowSystem windowSystem;
  ScriptedFolderPicker folderPicker;
  RecordingSettings settings;
  // The user's Wine prefix ($WINEPREFIX) and the registry read from its files.
  FakeWinePrefix wine;
  std::unique_ptr<platform::Registry> registry;
  std::vector<QString> openedAddresses;
  // The archive named on the command line, handed to the window Window() builds.
  QString startArchive;

 private:
  TempDir root_;
  std::map<std::filesystem::path, std::vector<std::byte>> archives_;
  std::unique_ptr<app::frmMain> window_;
};

}  // namespace zpk::test
