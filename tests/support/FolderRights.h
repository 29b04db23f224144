// Makes a folder read-only for the test, also when the tests run as root: root's
// CAP_DAC_OVERRIDE would let it write there anyway, so it is taken out of this thread's
// effective set for the object's lifetime (it stays permitted and comes back at the end).
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

namespace zpk::test {

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    namespace fs = std::filesystem;
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::syscall(SYS_capget, &header_, saved_) == 0) {
      __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
      reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
      dropped_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
  }
  ~ReadOnlyFolder() {
    if (dropped_) ::syscall(SYS_capset, &header_, saved_);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  std::filesystem::path folder_;
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
  bool dropped_ = false;
};

}  // namespace zpk::test
