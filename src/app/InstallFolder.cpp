#include "app/InstallFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>

#include "app/QtPathText.h"
#include "app/modRegSubs.h"
#include "util/PathUtils.h"

namespace zpk::app {

namespace {

bool IsBlank(const QString& text) { return util::TrimSpaces(text.toStdString()).empty(); }

QString DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = qEnvironmentVariable("windir");
  if (folder.isEmpty()) folder = QDir::homePath();
  return QDir::toNativeSeparators(folder);
}

}  // namespace

QString AddFolderSeparator(const QString& path) {
  return QString::fromStdString(util::AddBackslash(path.toStdString()));
}

std::optional<QString> ReadInstallLocation(const platform::Registry& registry,
                                           platform::WindowSystem& windows,
                                           const QString& versionTitle) {
  QVariant value;
  // A value of another type reads as the number 1, and an empty one names no folder: neither
  // is a folder to list.
  if (ReadRegValue(registry, windows, versionTitle, platform::RegRoot::LocalMachine, kUninstallKey,
                   kInstallLocationValue, platform::kRegSz, value, false) &&
      value.typeId() == QMetaType::QString && !IsBlank(value.toString())) {
    const auto folder = registry.ToLocalPath(value.toString());
#ifdef _WIN32
    return folder;
#else
    if (folder && QFileInfo(*folder).isDir()) return folder;
#endif
  }
#ifndef _WIN32
  // The game may be in any launcher's prefix (Steam's Proton, Lutris, Bottles...).
  const auto found = platform::LocateGameFolders();
  if (!found.empty()) return FromFsPath(found.front().folder);
#endif
  return std::nullopt;
}

QString BrowseForFolder(platform::FolderPicker& picker, QWidget* owner, const QString& title,
                        QString& startFolder) {
  if (IsBlank(startFolder)) startFolder = DocumentsFolder();
  return picker.PickFolder(owner, title, startFolder);
}

std::optional<QString> ChooseInstallPath(const platform::Registry& registry,
                                         platform::FolderPicker& picker,
                                         platform::SettingsStore& settings,
                                         platform::WindowSystem& windows,
                                         const QString& currentFolder) {
  QString start = AddFolderSeparator(currentFolder);
  if (start.isEmpty()) start = GetSpecialFolder(registry, kCsidlProgramFiles);
  const QString chosen = BrowseForFolder(picker, windows.ActiveWindow(), kLocateFolderTitle, start);
  if (chosen.isEmpty()) return std::nullopt;
  const QString folder = AddFolderSeparator(chosen);
  // A failed write leaves the folder shown for this run only; there is nobody to tell.
  settings.Write(kInstallPathSetting, folder);
  return folder;
}

}  // namespace zpk::app
