#include "archive/Kind.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "archive/CopyOut.h"

namespace zpk::archive {

namespace {

constexpr std::array<std::string_view, 16> kNames = {
    "empty", "bmp", "png", "jpeg", "gif", "wav", "avi", "ogg",
    "mp3",   "bik", "dds", "tga",  "zlib", "gzip", "text", "data"};

unsigned At(std::span<const std::byte> b, std::size_t i) {
  return i < b.size() ? std::to_integer<unsigned>(b[i]) : 0x100;  // 0x100: past the end
}

bool StartsWith(std::span<const std::byte> b, std::string_view magic, std::size_t offset = 0) {
  if (b.size() < offset + magic.size()) return false;
  return std::memcmp(b.data() + offset, magic.data(), magic.size()) == 0;
}

std::uint32_t U32(std::span<const std::byte> b, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadInt32LE(b.subspan(offset, 4)));
}

// "BM" alone is common in text; a real bitmap has a known info-header size at byte 14.
bool IsBmp(std::span<const std::byte> b) {
  if (!StartsWith(b, "BM") || b.size() < 18) return false;
  const auto infoSize = U32(b, 14);
  return infoSize == 12 || infoSize == 40 || infoSize == 52 || infoSize == 56 ||
         infoSize == 64 || infoSize == 108 || infoSize == 124;
}

// An MPEG audio frame header: 11 sync bits, then no reserved version, layer, bit rate or
// sample rate.
bool IsMp3Frame(std::span<const std::byte> b) {
  if (b.size() < 4 || At(b, 0) != 0xFF || (At(b, 1) & 0xE0) != 0xE0) return false;
  const unsigned version = (At(b, 1) >> 3) & 3, layer = (At(b, 1) >> 1) & 3;
  const unsigned bitrate = At(b, 2) >> 4, rate = (At(b, 2) >> 2) & 3;
  return version != 1 && layer != 0 && bitrate != 15 && rate != 3;
}

// The zlib header: method 8 (deflate), a window of at most 32 KiB, and the 16-bit value
// of the two bytes a multiple of 31.
bool IsZlib(std::span<const std::byte> b) {
  if (b.size() < 2) return false;
  const unsigned cmf = At(b, 0), flg = At(b, 1);
  return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0;
}

// TGA has no signature: a colour-map type of 0 or 1, a known image type, a colour map
// that agrees with them, a non-zero size and a usual pixel depth.
bool IsTga(std::span<const std::byte> b) {
  if (b.size() < 18) return false;
  const unsigned mapType = At(b, 1), imageType = At(b, 2), depth = At(b, 16);
  const bool knownType = imageType == 1 || imageType == 2 || imageType == 3 ||
                         imageType == 9 || imageType == 10 || imageType == 11;
  if (mapType > 1 || !knownType) return false;
  const bool mapped = imageType == 1 || imageType == 9;
  if (mapped != (mapType == 1)) return false;
  if (mapType == 0 && std::any_of(b.begin() + 3, b.begin() + 8, [](std::byte x) { return x != std::byte{0}; }))
    return false;
  const unsigned width = At(b, 12) | At(b, 13) << 8, height = At(b, 14) | At(b, 15) << 8;
  return width && height && (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

bool IsTextControl(unsigned c) {
  return c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0x1A;  // 0x1A: DOS end of file
}

bool IsUtf8Text(std::span<const std::byte> b, bool complete) {
  for (std::size_t i = 0; i < b.size();) {
    const unsigned c = At(b, i);
    if (c < 0x80) {
      if ((c < 0x20 && !IsTextControl(c)) || c == 0x7F) return false;
      ++i;
      continue;
    }
    std::size_t n = 0;
    unsigned min = 0, cp = 0;
    if ((c & 0xE0) == 0xC0) n = 1, min = 0x80, cp = c & 0x1F;
    else if ((c & 0xF0) == 0xE0) n = 2, min = 0x800, cp = c & 0x0F;
    else if ((c & 0xF8) == 0xF0) n = 3, min = 0x10000, cp = c & 0x07;
    else return false;
    for (std::size_t k = 1; k <= n; ++k) {
      if (i + k >= b.size()) return !complete;  // the sample ends inside a character
      const unsigned next = At(b, i + k);
      if ((next & 0xC0) != 0x80) return false;
      cp = cp << 6 | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

bool IsCp1252Text(std::span<const std::byte> b) {
  return std::all_of(b.begin(), b.end(), [](std::byte x) {
    const auto c = std::to_integer<unsigned>(x);
    if (c < 0x20) return IsTextControl(c);
    return c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
  });
}

}  // namespace

Kind DetectKind(std::span<const std::byte> head, bool complete) {
  const auto b = head.first(std::min(head.size(), kKindBytes));
  if (b.empty()) return Kind::Empty;
  if (IsBmp(b)) return Kind::Bmp;
  if (StartsWith(b, "\x89PNG\r\n\x1A\n")) return Kind::Png;
  if (StartsWith(b, "\xFF\xD8\xFF")) return Kind::Jpeg;
  if (StartsWith(b, "GIF87a") || StartsWith(b, "GIF89a")) return Kind::Gif;
  if (StartsWith(b, "RIFF") && StartsWith(b, "WAVE", 8)) return Kind::Wav;
  if (StartsWith(b, "RIFF") && StartsWith(b, "AVI ", 8)) return Kind::Avi;
  if (StartsWith(b, "OggS")) return Kind::Ogg;
  if (StartsWith(b, "ID3") && At(b, 3) < 0xFF && At(b, 4) < 0xFF) return Kind::Mp3;
  if ((StartsWith(b, "BIK") || StartsWith(b, "KB2")) && At(b, 3) >= 'a' && At(b, 3) <= 'z')
    return Kind::Bik;
  if (StartsWith(b, "DDS ") && b.size() >= 8 && U32(b, 4) == 124) return Kind::Dds;
  if (StartsWith(b, "\x1F\x8B\x08")) return Kind::Gzip;
  if (IsMp3Frame(b)) return Kind::Mp3;
  // Text before zlib: "x^" and a few other letter pairs happen to pass the zlib check.
  if (IsUtf8Text(b, complete) || IsCp1252Text(b)) return Kind::Text;
  if (IsZlib(b)) return Kind::Zlib;
  if (IsTga(b)) return Kind::Tga;
  return Kind::Data;
}

std::string_view KindName(Kind kind) { return kNames[static_cast<std::size_t>(kind)]; }

std::optional<Kind> KindFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<Kind>(i);
  }
  return std::nullopt;
}

std::string_view AllKindNames() {
  return "empty, bmp, png, jpeg, gif, wav, avi, ogg, mp3, bik, dds, tga, zlib, gzip, text, data";
}

std::expected<Kind, Error> ReadKind(ArchiveFile& file, const ArchiveEntry& entry) {
  if (auto inside = CheckRange(entry, file.Size()); !inside) return std::unexpected(inside.error());
  const auto len = static_cast<std::size_t>(entry.Len);
  std::array<std::byte, kKindBytes> head;
  const auto span = std::span<std::byte>(head).first(std::min(len, kKindBytes));
  if (auto ok = file.ReadAt(static_cast<std::uint64_t>(entry.Pos), span); !ok)
    return std::unexpected(ok.error());
  return DetectKind(span, len <= kKindBytes);
}

}  // namespace zpk::archive
