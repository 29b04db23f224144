#include "cli/SafeName.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zpk::cli {

namespace {

// Whether base (a level's text before its first dot) names a device on Windows, which
// ignores spaces after it and the case of its letters.
bool IsReservedDeviceName(std::string_view base) {
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string upper(base);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
  });
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
  const std::string_view digit = std::string_view(upper).substr(3);
  if (digit.size() == 1) return digit[0] >= '0' && digit[0] <= '9';
  // The superscript digits one, two and three count as digits here too.
  constexpr std::array<std::string_view, 3> kSuperscripts{"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  return std::find(kSuperscripts.begin(), kSuperscripts.end(), digit) != kSuperscripts.end();
}

std::string WindowsHoldableLevel(std::string_view level) {
  std::string mapped(level);
  for (char& c : mapped) {
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos) c = '_';
  }
  for (auto it = mapped.rbegin(); it != mapped.rend() && (*it == '.' || *it == ' '); ++it) *it = '_';
  const auto dot = std::min(mapped.find('.'), mapped.size());
  if (IsReservedDeviceName(std::string_view(mapped).substr(0, dot))) mapped.insert(dot, 1, '_');
  return mapped;
}

}  // namespace

bool IsControlAt(std::string_view utf8, std::size_t index, std::size_t& length) {
  const auto c = static_cast<unsigned char>(utf8[index]);
  length = 1;
  if (c < 0x20 || c == 0x7F) return true;
  // U+0080..U+009F are encoded as C2 80..C2 9F.
  if (c == 0xC2 && index + 1 < utf8.size()) {
    const auto next = static_cast<unsigned char>(utf8[index + 1]);
    if (next >= 0x80 && next <= 0x9F) {
      length = 2;
      return true;
    }
  }
  return false;
}

std::expected<std::string, std::string> SafeRelativePath(std::string_view utf8Name) {
  if (utf8Name.empty()) return std::unexpected("the name is empty");
  if (utf8Name.front() == '/' || utf8Name.front() == '\\') {
    return std::unexpected("the name is absolute");
  }
  for (std::size_t i = 0; i < utf8Name.size();) {
    std::size_t length = 1;
    if (IsControlAt(utf8Name, i, length)) {
      return std::unexpected("the name holds a control character");
    }
    i += length;
  }
  // A colon names a drive ("C:") or an alternate data stream ("file:stream") on Windows;
  // neither may reach the file system, on any platform the archive is unpacked on.
  if (utf8Name.find(':') != std::string_view::npos) {
    return std::unexpected("the name holds a drive or stream colon");
  }

  std::vector<std::string_view> levels;
  std::size_t start = 0;
  while (start <= utf8Name.size()) {
    const auto end = utf8Name.find_first_of("/\\", start);
    const auto level = utf8Name.substr(start, end == std::string_view::npos ? end : end - start);
    if (level == "..") return std::unexpected("the name has a \"..\" level");
    if (level.size() > kMaxNameBytes) {
      return std::unexpected("a level of the name is longer than " +
                             std::to_string(kMaxNameBytes) + " bytes");
    }
    if (!level.empty() && level != ".") levels.push_back(level);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (levels.empty()) return std::unexpected("the name has no file name in it");

  std::string path;
  for (const auto level : levels) {
    if (!path.empty()) path += '/';
    path += level;
  }
  return path;
}

std::expected<std::string, std::string> WindowsHoldablePath(std::string_view safePath) {
  std::string path;
  std::size_t start = 0;
  while (start <= safePath.size()) {
    const auto end = std::min(safePath.find('/', start), safePath.size());
    const auto level = WindowsHoldableLevel(safePath.substr(start, end - start));
    if (level.size() > kMaxNameBytes) {
      return std::unexpected("a level of the name is longer than " +
                             std::to_string(kMaxNameBytes) + " bytes once made one Windows can hold");
    }
    if (!path.empty()) path += '/';
    path += level;
    start = end + 1;
  }
  return path;
}

}  // namespace zpk::cli
