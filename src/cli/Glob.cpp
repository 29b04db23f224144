#include "cli/Glob.h"

namespace zpk::cli {

Glob::Glob(std::string_view pattern, bool ignoreCase) : ignoreCase_(ignoreCase) {
  pattern_.reserve(pattern.size());
  for (const char c : pattern) pattern_ += Fold(c);
}

char Glob::Fold(char c) const {
  if (c == '\\') return '/';
  if (!ignoreCase_) return c;
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);  // À..Þ, not ×
  switch (u) {
    case 0x8A: case 0x8C: case 0x8E: return static_cast<char>(u + 16);  // Š Œ Ž
    case 0x9F: return static_cast<char>(0xFF);                           // Ÿ
    default: return c;
  }
}

bool Glob::InSet(std::size_t p, char c, std::size_t& end) const {
  const bool negate = p < pattern_.size() && (pattern_[p] == '!' || pattern_[p] == '^');
  if (negate) ++p;
  bool hit = false;
  // A "]" right after the opening bracket is a member, as in the shell.
  for (bool first = true; p < pattern_.size(); first = false) {
    if (pattern_[p] == ']' && !first) {
      end = p + 1;
      return hit != negate;
    }
    const auto low = static_cast<unsigned char>(pattern_[p]);
    auto high = low;
    if (p + 2 < pattern_.size() && pattern_[p + 1] == '-' && pattern_[p + 2] != ']') {
      high = static_cast<unsigned char>(pattern_[p + 2]);
      p += 3;
    } else {
      ++p;
    }
    const auto u = static_cast<unsigned char>(c);
    if (u >= low && u <= high) hit = true;
  }
  end = std::string::npos;
  return false;
}

bool Glob::Matches(std::string_view name) const {
  // Greedy matching with one backtrack point: the last "*" seen.
  std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    const char c = Fold(name[n]);
    if (p < pattern_.size()) {
      const char pc = pattern_[p];
      if (pc == '*') {
        starP = p++;
        starN = n;
        continue;
      }
      if (pc == '[') {
        std::size_t end = 0;
        const bool in = InSet(p + 1, c, end);
        if (end != std::string::npos) {
          if (in) {
            p = end;
            ++n;
            continue;
          }
        } else if (c == '[') {  // an unclosed "[" is an ordinary character
          ++p;
          ++n;
          continue;
        }
      } else if (pc == '?' || pc == c) {
        ++p;
        ++n;
        continue;
      }
    }
    if (starP == std::string::npos) return false;
    p = starP + 1;
    n = ++starN;
  }
  while (p < pattern_.size() && pattern_[p] == '*') ++p;
  return p == pattern_.size();
}

}  // namespace zpk::cli
