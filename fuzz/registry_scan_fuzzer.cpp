// Fuzz target: the streaming search of one value in a Wine registry file. The input is a key
// path and the file's text. Whatever the bytes, the search must return (never crash, hang or
// leak), and the quick reading (blocks searched for the next key header, most headers told
// apart by their first bytes) must find exactly what the plain line-by-line reading finds,
// for any block size.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/WineRegistryScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string key = input.ConsumeRandomLengthString(256);
  const std::string text = input.ConsumeRemainingBytesAsString();
  const std::array<std::string_view, 2> keys{key, "Software\\Types"};
  const zpk::platform::ScanMethod quick{.blockBytes = 16 + text.size() % 97};

  for (const std::string_view value : {"InstallLocation", ""}) {
    const auto plain =
        zpk::platform::FindRegistryTextIn(text, keys, value, {.lineByLine = true});
    const auto found = zpk::platform::FindRegistryTextIn(text, keys, value, quick);
    if (plain.result != found.result || plain.text != found.text) {
      std::fprintf(stderr, "quick reading (blocks of %zu) differs for key '%s' value '%s'\n",
                   quick.blockBytes, key.c_str(), std::string(value).c_str());
      std::abort();
    }
  }
  return 0;
}
