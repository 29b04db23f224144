// The registry the program reads: the Win32 one on Windows, the Wine prefix's elsewhere.
#include <QDir>

#include "platform/Registry.h"

#ifdef _WIN32
#include "platform/Win32Registry.h"
#else
#include "platform/WinePrefix.h"
#include "platform/WineRegistry.h"
#endif

namespace zpk::platform {

std::unique_ptr<Registry> CreateSystemRegistry() {
#ifdef _WIN32
  return std::make_unique<Win32Registry>();
#else
  auto prefix = WinePrefixFolder();
  if (!prefix) prefix = std::filesystem::path(QDir::homePath().toStdString()) / ".wine";
  return std::make_unique<WineRegistry>(*prefix);
#endif
}

}  // namespace zpk::platform
