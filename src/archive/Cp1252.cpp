#include "archive/Cp1252.h"

#include <algorithm>
#include <iterator>

namespace zpk::archive {

namespace {
// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char c : text) {
    const char32_t cp = Cp1252ToCodePoint(static_cast<unsigned char>(c));
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    std::size_t n = 0;
    char32_t cp = c;
    if (c >= 0x80) {
      if ((c & 0xE0) == 0xC0) n = 1, cp = c & 0x1F;
      else if ((c & 0xF0) == 0xE0) n = 2, cp = c & 0x0F;
      else return std::nullopt;  // four-byte characters lie far outside the code page
      if (i + n >= utf8.size()) return std::nullopt;
      for (std::size_t k = 1; k <= n; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = cp << 6 | (next & 0x3F);
      }
      if (cp < (n == 1 ? 0x80u : 0x800u)) return std::nullopt;  // overlong
    }
    i += n + 1;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto* hit = std::find(std::begin(kHighControls), std::end(kHighControls), cp);
    if (hit == std::end(kHighControls)) return std::nullopt;
    out += static_cast<char>(0x80 + (hit - std::begin(kHighControls)));
  }
  return out;
}

}  // namespace zpk::archive
