// The folder picker as Qt's own directory dialog (not the platform's native one, so that it
// can open with the start folder selected on every platform).
#pragma once

#include "platform/FolderPicker.h"

namespace zpk::platform {

class QtFolderPicker final : public FolderPicker {
 public:
  QString PickFolder(QWidget* owner, const QString& title, const QString& startFolder) override;
};

}  // namespace zpk::platform
