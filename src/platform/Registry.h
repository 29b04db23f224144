// Read-only access to a Windows-style registry. On Windows this is the system registry
// (keys opened with read access only); elsewhere it is the registry files of the user's
// Wine prefix ($WINEPREFIX, else ~/.wine: system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER), where a game like this one is installed and played.
#pragma once

#include <QString>
#include <cstdint>
#include <expected>
#include <memory>

namespace zpk::platform {

enum class RegRoot { LocalMachine, CurrentUser };

// Registry value types as the registry reports them.
inline constexpr int kRegSz = 1;
inline constexpr int kRegDword = 4;

struct RegData {
  int type = 0;              // kRegSz, kRegDword or another registry type
  QString text;              // for kRegSz
  std::uint32_t number = 0;  // for kRegDword
};

struct RegFailure {
  enum class Stage { OpenKey, QueryValue } stage;
  long code;  // the platform's result code (Win32 error numbers; ERROR_FILE_NOT_FOUND = 2)
};

class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::expected<RegData, RegFailure> Query(RegRoot root, const QString& keyPath,
                                                   const QString& valueName) const = 0;
};

// The platform's registry: Win32 on Windows, the Wine prefix's files elsewhere.
std::unique_ptr<Registry> CreateSystemRegistry();

}  // namespace zpk::platform
