// Finding the game's installation folder at start-up and choosing another one with
// btnChoosePath: the setting "InstallPath" first, then the game's uninstall entry, then
// the user with the folder dialog.
#include <QLabel>

#include "app/AppText.h"
#include "app/QtPathText.h"
#include "app/frmMain.h"

namespace zpk::app {

namespace {
const QString kUninstallKey = QStringLiteral(
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}");

std::optional<QString> UninstallLocation(platform::Registry& registry) {
  auto value = registry.Query(platform::RegRoot::LocalMachine, kUninstallKey,
                              QStringLiteral("InstallLocation"));
  if (!value || value->type != platform::kRegSz) return std::nullopt;
  // The entry names a Windows folder; under Wine it is reached through the drive mapping.
  return registry.ToLocalPath(value->text);
}
}  // namespace

std::optional<QString> frmMain::FindInstallFolder() {
  QString folder = services_.settings.Read(QString::fromLatin1(kKeyInstallPath), QString());
  if (folder.isEmpty()) {
    if (std::optional<QString> found = UninstallLocation(services_.registry)) {
      folder = *found;  // used, not saved: the next start looks again
    } else {
      services_.windowSystem.Beep();
      services_.windowSystem.ShowMessage(
          QStringLiteral("No Tidewater installation found, lease locate manually..."),
          platform::MsgIcon::Critical, versionTitle_);
      const QString chosen = services_.folderPicker.PickFolder(
          services_.windowSystem.ActiveWindow(), QString::fromLatin1(kLocateTitle),
          QString());
      if (chosen.isEmpty()) return std::nullopt;
      folder = AddBackslash(chosen);
      services_.settings.Write(QString::fromLatin1(kKeyInstallPath), folder);
    }
  }
  return AddBackslash(folder);
}

void frmMain::btnChoosePath_Click() {
  const QString start = AddBackslash(lblInstallPath->text());
  const QString chosen = services_.folderPicker.PickFolder(
      services_.windowSystem.ActiveWindow(), QString::fromLatin1(kLocateTitle), start);
  if (chosen.isEmpty()) return;
  const QString folder = AddBackslash(chosen);
  lblInstallPath->setText(folder);
  services_.settings.Write(QString::fromLatin1(kKeyInstallPath), folder);
}

}  // namespace zpk::app
