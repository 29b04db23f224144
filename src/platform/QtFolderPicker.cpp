#include "platform/QtFolderPicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zpk::platform {

namespace {

// The path without trailing separators, except a root's own.
QString WithoutTrailingSeparator(QString path) {
  while (path.size() > 1 && path.endsWith(u'/') && !QDir(path).isRoot()) path.chop(1);
  return path;
}

}  // namespace

QString QtFolderPicker::PickFolder(QWidget* owner, const QString& title,
                                   const QString& startFolder) {
  QFileDialog dialog(owner, title);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);

  // Open in the folder above the start folder with the start folder selected. A start folder
  // that is gone: the nearest folder above it that is still there.
  QFileInfo start(WithoutTrailingSeparator(QDir::fromNativeSeparators(startFolder.trimmed())));
  while (!start.filePath().isEmpty() && !start.isDir() && !QDir(start.filePath()).isRoot()) {
    const QString parent = start.absolutePath();
    if (parent == start.absoluteFilePath()) break;
    start = QFileInfo(parent);
  }
  if (start.isDir()) {
    if (QDir(start.absoluteFilePath()).isRoot()) {
      dialog.setDirectory(start.absoluteFilePath());
    } else {
      dialog.setDirectory(start.absolutePath());
      dialog.selectFile(start.fileName());
    }
  }

  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return QDir::toNativeSeparators(WithoutTrailingSeparator(chosen.first()));
}

}  // namespace zpk::platform
