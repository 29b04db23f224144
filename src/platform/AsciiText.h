// Comparing names the way Windows and Steam do for the ASCII letters: without regard to case.
#pragma once

#include <string_view>

namespace zpk::platform {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && EqualIgnoringAsciiCase(text.substr(0, start.size()), start);
}

}  // namespace zpk::platform
