// Tidewater ZPK Viewer: shows the main window on the game's installation folder. The
// program takes no command-line options; everything it needs is in its settings.
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "app/frmMain.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtWindowSystem.h"

namespace {
// Stand-ins until the registry reader and the folder dialog join the platform layer.
class NoRegistry final : public zpk::platform::Registry {
 public:
  std::expected<zpk::platform::RegData, zpk::platform::RegFailure> Query(
      zpk::platform::RegRoot, const QString&, const QString&) const override {
    return std::unexpected(zpk::platform::RegFailure{zpk::platform::RegFailure::Stage::OpenKey, 2});
  }
  std::optional<QString> ToLocalPath(const QString&) const override { return std::nullopt; }
};

class DialogFolderPicker final : public zpk::platform::FolderPicker {
 public:
  QString PickFolder(QWidget* owner, const QString& title, const QString& startFolder) override {
    return QFileDialog::getExistingDirectory(owner, title, startFolder);
  }
};
}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zpk::platform::QtWindowSystem windowSystem;
  zpk::platform::QtSettingsStore settings;
  NoRegistry registry;
  DialogFolderPicker folderPicker;
  zpk::app::frmMain window(zpk::app::frmMainServices{
      .windowSystem = windowSystem,
      .settings = settings,
      .registry = registry,
      .folderPicker = folderPicker,
      .programFolder = QCoreApplication::applicationDirPath().toStdU16String(),
      .openAddress = [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); },
      .logicalDpi = 0,
  });
  if (!window.Form_Load()) return 0;
  window.show();
  return application.exec();
}
