#include "AppTestSupport.h"

#include <QSettings>
#include <QTest>
#include <cstdlib>

#include "support/ConfigHome.h"  // settings in a temporary config folder

namespace zpk::test {

namespace {

QSettings OpenSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                   platform::kSettingsOrganisation, platform::kSettingsApplication);
}

void ClickRow(app::ChoiceList& list, int row) {
  const QModelIndex index = list.model()->index(row, 0);
  list.scrollTo(index);
  const QRect rect = list.visualRect(index);
  ASSERT_TRUE(rect.isValid()) << "row " << row << " is not on screen";
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

std::optional<QString> StoredSetting(const QString& key) {
  const QVariant value = OpenSettings().value(key);
  if (!value.isValid()) return std::nullopt;
  return value.toString();
}

QStringList ListedRows(const app::ChoiceList& list) {
  QStringList rows;
  for (int row = 0; row < list.model()->rowCount(); ++row) rows << list.model()->index(row, 0).data().toString();
  return rows;
}

void WindowTest::SetUp() {
  OpenSettings().clear();  // written when the store goes
  folderPicker.cancelWhenUnscripted = false;
  setenv("WINEPREFIX", wine.root().c_str(), 1);
  registry = platform::CreateSystemRegistry();
  std::filesystem::create_directories(Install());
  std::filesystem::create_directories(ProgramFolder());
}

void WindowTest::TearDown() {
  window_.reset();
  for (const auto& [path, bytes] : archives_) {
    EXPECT_EQ(ReadFileBytes(path), bytes) << "archive changed: " << path;
  }
}

std::filesystem::path WindowTest::AddArchive(const std::string& fileName,
                                             const std::vector<std::byte>& bytes) {
  const std::filesystem::path path = Install() / fileName;
  WriteFileBytes(path, bytes);
  archives_[path] = bytes;
  return path;
}

void WindowTest::RemoveArchive(const std::filesystem::path& path) {
  std::filesystem::remove(path);
  archives_.erase(path);
}

app::frmMain& WindowTest::Window(double dpi) {
  if (!window_) {
    window_ = std::make_unique<app::frmMain>(app::frmMainServices{
        .windowSystem = windowSystem,
        .settings = settings,
        .registry = *registry,
        .folderPicker = folderPicker,
        .notesFolder = ProgramFolder(),
        .openAddress = [this](const QString& address) { openedAddresses.push_back(address); },
        .logicalDpi = dpi,
        .startArchive = startArchive,
    });
  }
  return *window_;
}

app::frmMain& WindowTest::Start() {
  if (!StoredSetting(QStringLiteral("InstallPath"))) {
    StoreSetting(QStringLiteral("InstallPath"), FolderText(Install()));
  }
  app::frmMain& window = Window();
  EXPECT_TRUE(window.Form_Load());
  window.show();
  return window;
}

void WindowTest::ClickArchive(int row) { ClickRow(*Window().lstZPKFiles, row); }
void WindowTest::ClickResource(int row) { ClickRow(*Window().lstZPKRes, row); }

}  // namespace zpk::test
