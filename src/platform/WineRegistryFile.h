// The text format of Wine's registry files (system.reg, user.reg), read into memory:
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to \\Machine
//   #arch=win64
//
//   [Software\\Microsoft\\Windows\\CurrentVersion] 1700000000
//   #time=1d9a0b0c0d0e0f0
//   "ProgramFilesDir"="C:\\Program Files"
//   "Count"=dword:0000001f
//   @="the key's default value"
//   "Path"=str(2):"%SystemRoot%\\system32"
//   "Blob"=hex:01,02,03      (long hex data goes on over lines that end in a backslash)
//
// Names and string data carry C-like escapes: \\ \" \[ \] \n and friends, \xHHHH for UTF-16
// units beyond ASCII, \ooo in octal. Only keys with values (or without subkeys) are written;
// the keys above them exist all the same. Names compare without regard to case, as in the
// registry itself.
//
// The lookup is a pure function over the file's bytes and never fails: a file without the
// header holds nothing, and a line it can't make sense of (a truncated string, a key header
// without its closing bracket, a malformed number) is dropped with nothing else lost. It
// reads only the values of the keys asked for, so one pass over a registry file of many
// megabytes is quick.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace zpk::platform {

// One key as a registry file holds it.
struct WineRegistryKey {
  bool exists = false;             // the key, or a key below it, is in the file
  QHash<QString, RegData> values;  // by case-folded name; "" is the default value ("@")

  const RegData* Find(const QString& valueName) const;
};

// Looks the keys up in the text of a registry file, in one pass; one result per key path.
std::vector<WineRegistryKey> FindWineRegistryKeys(std::string_view text,
                                                  const QStringList& keyPaths);

// The form keys are compared in: case-folded, single backslashes, none at either end.
QString NormaliseWineKeyPath(const QString& keyPath);

}  // namespace zpk::platform
