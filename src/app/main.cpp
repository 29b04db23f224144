// Tidewater ZPK Viewer: shows the main window on the game's installation folder. The
// program takes no command-line options; everything it needs is in its settings.
#include <QApplication>

#include "app/frmMain.h"
#include "app/frmMain_Viewing.h"
#include "launch/ShellOpen.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/QtFolderPicker.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtWindowSystem.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zpk::platform::QtWindowSystem windowSystem;
  zpk::platform::QtSettingsStore settings;
  const std::unique_ptr<zpk::platform::Registry> registry = zpk::platform::CreateSystemRegistry();
  zpk::platform::QtFolderPicker folderPicker;
  const std::unique_ptr<zpk::platform::FileDialogs> fileDialogs =
      zpk::platform::CreateQtFileDialogs();
  zpk::app::frmMain window(zpk::app::frmMainServices{
      .windowSystem = windowSystem,
      .settings = settings,
      .registry = *registry,
      .folderPicker = folderPicker,
      .programFolder = QCoreApplication::applicationDirPath().toStdU16String(),
      .openAddress = [&windowSystem](const QString& address) {
        zpk::launch::ShellOpen(address, windowSystem);
      },
      .logicalDpi = 0,
  });
  // The resource buttons and the Options page connect themselves before start-up fills
  // the page; the window owns them.
  new zpk::app::frmMainViewing(window, *fileDialogs, zpk::platform::SystemLauncher());
  if (!window.Form_Load()) return 0;
  window.show();
  return application.exec();
}
