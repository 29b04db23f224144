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
// The parser is a pure function over the file's bytes and never fails: a file without the
// header holds nothing, and a line it can't make sense of (a truncated string, a key header
// without its closing bracket, a malformed number) is dropped with nothing else lost.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <string_view>

#include "platform/Registry.h"

namespace zpk::platform {

class WineRegistryFile {
 public:
  // True when the key, or a key below it, is in the file.
  bool HasKey(const QString& keyPath) const;
  // The value of the key; the empty name is the key's default value ("@" in the file).
  const RegData* FindValue(const QString& keyPath, const QString& valueName) const;
  qsizetype KeyCount() const { return keys_.size(); }

  void AddKey(const QString& keyPath);
  void SetValue(const QString& keyPath, const QString& valueName, RegData data);

  // The form keys are compared in: case-folded, single backslashes, none at either end.
  static QString NormaliseKeyPath(const QString& keyPath);

 private:
  QSet<QString> keys_;                              // every key and every key above one
  QHash<QString, QHash<QString, RegData>> values_;  // by key, then by case-folded name
};

WineRegistryFile ParseWineRegistry(std::string_view text);

}  // namespace zpk::platform
