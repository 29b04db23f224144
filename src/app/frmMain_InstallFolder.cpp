// Finding the game's installation folder at start-up and choosing another one with
// btnChoosePath: the setting "InstallPath" first, then the game's uninstall entry, then
// the user with the folder dialog (InstallFolder.h does the looking and choosing); an
// archive named on the command line comes before all of them.
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "app/ChoiceList.h"
#include "app/InstallFolder.h"
#include "app/frmMain.h"

namespace zpk::app {

std::optional<QString> frmMain::FindInstallFolder() {
  if (!services_.startArchive.isEmpty()) {
    return AddFolderSeparator(QDir::toNativeSeparators(QFileInfo(services_.startArchive).absolutePath()));
  }
  platform::WindowSystem& windows = services_.windowSystem;
  QString folder = services_.settings.Read(kInstallPathSetting, QString());
  if (folder.isEmpty()) {
    if (std::optional<QString> found =
            ReadInstallLocation(services_.registry, windows, versionTitle_)) {
      folder = *found;  // used, not saved: the next start looks again
    } else {
      windows.Beep();
      windows.ShowMessage(
          QStringLiteral("No Tidewater installation found, lease locate manually..."),
          platform::MsgIcon::Critical, versionTitle_);
      // Starts in the Program Files folder; the chosen folder is saved.
      std::optional<QString> chosen =
          ChooseInstallPath(services_.registry, services_.folderPicker, services_.settings,
                            windows, QString());
      if (!chosen) return std::nullopt;
      folder = *chosen;
    }
  }
  return AddFolderSeparator(folder);
}

void frmMain::btnChoosePath_Click() {
  // The archive list keeps the names found at start-up; the chosen one is read again from
  // the new folder, so that no command uses the directory of the old folder's archive.
  if (std::optional<QString> chosen =
          ChooseInstallPath(services_.registry, services_.folderPicker, services_.settings,
                            services_.windowSystem, lblInstallPath->text())) {
    const bool changed = *chosen != lblInstallPath->text();
    lblInstallPath->setText(*chosen);
    if (changed) lstZPKFiles->SetListIndex(lstZPKFiles->ListIndex());  // nothing when none
  }
}

}  // namespace zpk::app
