// Fuzz target: the reader of Wine's registry files (system.reg, user.reg). Whatever the
// bytes, it must return (never crash, hang or leak) and give the same result on a second
// read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/WineRegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto file = zpk::platform::ParseWineRegistry(text);
  const auto again = zpk::platform::ParseWineRegistry(text);
  if (file.KeyCount() != again.KeyCount()) std::abort();
  // The root path stands for "any key at all".
  if (file.HasKey(QString()) != (file.KeyCount() > 0)) std::abort();
  return 0;
}
