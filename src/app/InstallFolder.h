// Finding the game's installation folder and letting the user choose it.
//
// How the window uses these (the folder is the caption of lblInstallPath, always with a
// trailing separator):
//
//   Start-up, after "InstallPath" was read empty from the settings:
//     if (auto found = ReadInstallLocation(registry, windows, VersionTitle)) folder = *found;
//     else {
//       windows.Beep(); windows.ShowMessage("No Tidewater installation found, ...", Critical, ...);
//       auto chosen = ChooseInstallPath(registry, picker, settings, windows, QString());
//       if (!chosen) { close the window; stop }   // the user cancelled
//       folder = *chosen;                          // already saved as "InstallPath"
//     }
//     lblInstallPath->setText(AddFolderSeparator(folder));
//   A folder found in the registry is used but not saved; a chosen one is saved.
//
//   btnChoosePath_Click:
//     if (auto chosen = ChooseInstallPath(registry, picker, settings, windows,
//                                         lblInstallPath->text()))
//       lblInstallPath->setText(*chosen);
//   Cancelling changes nothing. The archive list is not refilled.
#pragma once

#include <QString>
#include <optional>

#include "platform/FolderPicker.h"
#include "platform/GameFolders.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSystem.h"

class QWidget;

namespace zpk::app {

// The game's uninstall entry below HKEY_LOCAL_MACHINE and the value naming its folder.
inline const QString kUninstallKey = QString::fromLatin1(platform::kGameUninstallKey);
inline const QString kInstallLocationValue = QString::fromLatin1(platform::kGameInstallLocationValue);
inline const QString kInstallPathSetting = QStringLiteral("InstallPath");
inline const QString kLocateFolderTitle = QStringLiteral("Locate Tidewater installation folder:");

// The path with the platform's folder separator appended (util::AddBackslash).
QString AddFolderSeparator(const QString& path);

// The folder of the game's uninstall entry ("InstallLocation", read as text with no reports),
// as a folder of this machine (under Wine through the prefix's drive letters), without a
// trailing separator added. nullopt when the entry is missing, is no text or is empty, or
// when its drive is not mapped: start-up then asks the user. Under Wine the entry of the
// registry given must name a folder that exists; else the first folder that the other
// launchers' prefixes name is taken (LocateGameFolders, from $HOME and $WINEPREFIX).
std::optional<QString> ReadInstallLocation(const platform::Registry& registry,
                                           platform::WindowSystem& windows,
                                           const QString& versionTitle);

// Shows the folder picker with the title, owned by owner, opened at startFolder. An empty (or
// all-blank) startFolder is replaced, before the picker opens, by the documents folder, else
// the "windir" folder, else the home folder. The chosen folder's path, or "" when cancelled.
QString BrowseForFolder(platform::FolderPicker& picker, QWidget* owner, const QString& title,
                        QString& startFolder);

// Lets the user choose the installation folder, starting at currentFolder (the caption of
// lblInstallPath; "" at start-up), or at the Program Files folder when that is empty. The
// chosen folder, with a trailing separator, is saved as "InstallPath" and returned for the
// label; nullopt when the user cancelled, and then nothing was saved.
std::optional<QString> ChooseInstallPath(const platform::Registry& registry,
                                         platform::FolderPicker& picker,
                                         platform::SettingsStore& settings,
                                         platform::WindowSystem& windows,
                                         const QString& currentFolder);

}  // namespace zpk::app
