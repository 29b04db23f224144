// Read-only access to a Windows-style registry. On Windows this is the system registry
// (keys opened with read access only); elsewhere it is the registry files of the user's
// Wine prefix ($WINEPREFIX, else ~/.wine: system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER), where a game like this one is installed and played.
//
// Keys below HKEY_LOCAL_MACHINE\Software are looked up in the 32-bit view first (where a
// 32-bit installer writes them on a 64-bit system), then in the native one.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>

namespace zpk::platform {

enum class RegRoot { LocalMachine, CurrentUser };

// Registry value types as the registry reports them.
inline constexpr int kRegSz = 1;
inline constexpr int kRegExpandSz = 2;
inline constexpr int kRegBinary = 3;
inline constexpr int kRegDword = 4;
inline constexpr int kRegMultiSz = 7;

struct RegData {
  int type = 0;              // kRegSz, kRegDword or another registry type
  QString text;              // for the text types (kRegSz, kRegExpandSz, kRegMultiSz)
  std::uint32_t number = 0;  // for kRegDword
  QByteArray bytes;          // the stored bytes of every other type
};

struct RegFailure {
  // OpenKey: the key is not there or may not be opened; QueryValue: the key is there but the
  // value is not (or can't be read); Other: the registry itself could not be read, with the
  // platform's description of why.
  enum class Stage { OpenKey, QueryValue, Other } stage;
  long code;  // the platform's result code (Win32 error numbers; ERROR_FILE_NOT_FOUND = 2)
  QString description = {};
};

class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::expected<RegData, RegFailure> Query(RegRoot root, const QString& keyPath,
                                                   const QString& valueName) const = 0;
  // The folder of this machine that a Windows path stored in this registry names: the path
  // itself on Windows, the folder reached through the prefix's drive letters under Wine.
  // nullopt when the path's drive is not mapped (or it is no drive path at all).
  virtual std::optional<QString> ToLocalPath(const QString& windowsPath) const = 0;
};

// The platform's registry: Win32 on Windows, the Wine prefix's files elsewhere.
std::unique_ptr<Registry> CreateSystemRegistry();

}  // namespace zpk::platform
