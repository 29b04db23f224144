// Fuzz target: parameter texts split as a Windows program splits its command line. Any
// bytes must split without reading past the text, every argument must come back unchanged
// through QuoteArgument, and the quoted arguments joined by blanks must split into them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zpk::platform;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = SplitCommandLine(text);
  std::size_t total = 0;
  std::string joined;
  for (const auto& arg : args) {
    total += arg.size();
    if (SplitCommandLine(QuoteArgument(arg)) != std::vector<std::string>{arg}) std::abort();
    joined += (joined.empty() ? "" : " ") + QuoteArgument(arg);
  }
  if (total > size) std::abort();
  if (SplitCommandLine(joined) != args) std::abort();
  return 0;
}
