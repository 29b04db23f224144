// Tidewater ZPK Viewer: shows the main window on the game's installation folder. The
// program takes no command-line options; everything it needs is in its settings.
#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/frmMain.h"
#include "platform/QtFolderPicker.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtWindowSystem.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zpk::platform::QtWindowSystem windowSystem;
  zpk::platform::QtSettingsStore settings;
  const std::unique_ptr<zpk::platform::Registry> registry = zpk::platform::CreateSystemRegistry();
  zpk::platform::QtFolderPicker folderPicker;
  zpk::app::frmMain window(zpk::app::frmMainServices{
      .windowSystem = windowSystem,
      .settings = settings,
      .registry = *registry,
      .folderPicker = folderPicker,
      .programFolder = QCoreApplication::applicationDirPath().toStdU16String(),
      .openAddress = [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); },
      .logicalDpi = 0,
  });
  if (!window.Form_Load()) return 0;
  window.show();
  return application.exec();
}
