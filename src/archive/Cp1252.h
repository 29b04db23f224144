// Windows-1252, the single-byte code page of the archives' text fields, to UTF-8. Every
// byte maps to exactly one character: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the same value, as
// Windows itself converts them, so nothing is dropped and the mapping can be reversed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zpk::archive {

std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 back to Windows-1252; nothing when the text is not valid UTF-8 or holds a
// character the code page lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

}  // namespace zpk::archive
