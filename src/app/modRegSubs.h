// Reading one registry value the way the window needs it, and the well-known folders.
#pragma once

#include <QString>
#include <QVariant>

#include "platform/Registry.h"
#include "platform/WindowSystem.h"

namespace zpk::app {

// Special-folder numbers (CSIDL) that GetSpecialFolder knows.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlPersonal = 5;  // the documents folder
inline constexpr int kCsidlWindows = 36;
inline constexpr int kCsidlProgramFiles = 38;
inline constexpr int kCsidlProfile = 40;  // the home folder

// Reads valueName of keyPath below root, asking for valueType (platform::kRegSz or
// platform::kRegDword). On success value becomes, by the type the registry holds: the text
// (QString) for kRegSz, the number (quint32) for kRegDword, the number 1 (int) for any other
// type; the result is true. On failure value is left as it was and the result is false.
//
// A text is read as into a 255-byte buffer and a number into 4 bytes: data that does not fit
// fails as "more data" (234). When reportFailures is set, a key that can't be opened or a
// value that can't be read is told to the user in a message box titled versionTitle; a
// registry that can't be read at all is told always.
bool ReadRegValue(const platform::Registry& registry, platform::WindowSystem& windows,
                  const QString& versionTitle, platform::RegRoot root, const QString& keyPath,
                  const QString& valueName, int valueType, QVariant& value, bool reportFailures);

// The path of a special folder of this machine (no trailing separator except a root), or ""
// for a number it does not know. kCsidlProgramFiles: the registry's Program Files folder
// (under Wine the prefix's, as a folder of this machine) where it exists, else the home
// folder.
QString GetSpecialFolder(const platform::Registry& registry, int csidl);

}  // namespace zpk::app
