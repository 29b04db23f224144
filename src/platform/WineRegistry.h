// The registry of a Wine prefix, read from its files: system.reg holds HKEY_LOCAL_MACHINE,
// user.reg HKEY_CURRENT_USER. Every query reads the file afresh, so a game installed while
// the program runs is found; the files are only ever read.
#pragma once

#include <filesystem>

#include "platform/Registry.h"

namespace zpk::platform {

class WineRegistry final : public Registry {
 public:
  explicit WineRegistry(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

  std::expected<RegData, RegFailure> Query(RegRoot root, const QString& keyPath,
                                           const QString& valueName) const override;
  std::optional<QString> ToLocalPath(const QString& windowsPath) const override;

  const std::filesystem::path& prefix() const { return prefix_; }

 private:
  std::filesystem::path prefix_;
};

}  // namespace zpk::platform
