// XDG_CONFIG_HOME of a test program: a temporary folder, set before any test runs, since
// QSettings takes the folder once, at its first use in a process. Including this header is
// enough to set it up.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "support/TempDir.h"

namespace zpk::test {

class ConfigHome final : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TempDir>();
    setenv("XDG_CONFIG_HOME", folder_->path().c_str(), 1);
  }
  void TearDown() override { folder_.reset(); }
  static const std::filesystem::path& Folder() { return folder_->path(); }

 private:
  static inline std::unique_ptr<TempDir> folder_;
};

[[maybe_unused]] inline const auto* const kConfigHome =
    ::testing::AddGlobalTestEnvironment(new ConfigHome);

}  // namespace zpk::test
