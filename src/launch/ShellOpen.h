// Opening a document, file or web address with the program the desktop associates with
// it, without waiting for that program. The user is told when nothing could be started.
#pragma once

#include <QString>

#include "platform/Launcher.h"
#include "platform/WindowSystem.h"

namespace zpk::launch {

void ShellOpen(const QString& document, platform::WindowSystem& window,
               platform::Launcher& launcher = platform::SystemLauncher());

}  // namespace zpk::launch
