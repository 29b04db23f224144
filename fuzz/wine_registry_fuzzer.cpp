// Fuzz target: the lookup of keys in a Wine registry file (system.reg, user.reg). The input
// is a key path and the file's text. Whatever the bytes, the lookup must return (never
// crash, hang or leak), and its quick pre-filter of key headers must not change the
// result: asking for the root key as well makes every header pass the filter, so the key's
// result must be the same with and without it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/WineRegistryFile.h"

namespace {

bool Same(const zpk::platform::RegData& a, const zpk::platform::RegData& b) {
  return a.type == b.type && a.text == b.text && a.number == b.number && a.bytes == b.bytes;
}

bool Same(const zpk::platform::WineRegistryKey& a, const zpk::platform::WineRegistryKey& b) {
  if (a.exists != b.exists || a.values.size() != b.values.size()) return false;
  for (auto it = a.values.cbegin(); it != a.values.cend(); ++it) {
    const auto* other = b.Find(it.key());
    if (!other || !Same(it.value(), *other)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string key = input.ConsumeRandomLengthString(256);
  const std::string text = input.ConsumeRemainingBytesAsString();
  const QString keyPath = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));

  const auto alone = zpk::platform::FindWineRegistryKeys(text, {keyPath});
  const auto withRoot = zpk::platform::FindWineRegistryKeys(text, {keyPath, QString()});
  if (alone.size() != 1 || withRoot.size() != 2) std::abort();
  if (!Same(alone[0], withRoot[0])) {
    std::fprintf(stderr, "the header filter changed the result for key '%s'\n", key.c_str());
    std::abort();
  }
  // The root key exists as soon as any key header can be read.
  if (alone[0].exists && !withRoot[1].exists) std::abort();
  return 0;
}
