// Parameter texts as a Windows program's runtime splits its command line into arguments,
// and the quoting that makes one argument survive that split.
//
// Rules of the split (the C runtime's since 2008):
//   - blanks (space, tab) outside double quotes separate arguments; runs of them count once
//   - a double quote starts or ends a quoted stretch and is not itself kept
//   - inside a quoted stretch, two double quotes give one literal double quote
//   - 2n backslashes before a double quote give n backslashes, and the quote acts as above;
//     2n+1 backslashes before it give n backslashes and a literal double quote
//   - backslashes not followed by a double quote are kept as they are
// Pure functions on bytes: UTF-8 and Windows-1252 texts split the same way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zpk::platform {

std::vector<std::string> SplitCommandLine(std::string_view text);

// The argument as a parameter text that SplitCommandLine turns back into exactly it.
std::string QuoteArgument(std::string_view argument);

}  // namespace zpk::platform
