// The folder-picking dialog and the well-known folders it starts in.
#pragma once

#include <QString>

class QWidget;

namespace zpk::platform {

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // A modal folder dialog with the title, opened with startFolder selected. The chosen
  // folder's path (no trailing separator except a root), or "" when cancelled.
  virtual QString PickFolder(QWidget* owner, const QString& title, const QString& startFolder) = 0;
};

}  // namespace zpk::platform
