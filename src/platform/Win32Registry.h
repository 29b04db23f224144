// The Windows registry through the narrow-character Win32 calls. Keys are opened with read
// access only: full access is refused to ordinary users below HKEY_LOCAL_MACHINE.
#pragma once

#ifdef _WIN32

#include "platform/Registry.h"

namespace zpk::platform {

class Win32Registry final : public Registry {
 public:
  std::expected<RegData, RegFailure> Query(RegRoot root, const QString& keyPath,
                                           const QString& valueName) const override;
  std::optional<QString> ToLocalPath(const QString& windowsPath) const override;
};

}  // namespace zpk::platform

#endif  // _WIN32
