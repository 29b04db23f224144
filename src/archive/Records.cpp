#include "archive/Records.h"

namespace zpk::archive {

std::int32_t ReadInt32LE(std::span<const std::byte> bytes) {
  const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(bytes[i]); };
  return static_cast<std::int32_t>(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
}

static std::string_view AsChars(std::span<const std::byte> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

ArchiveHeader DecodeHeader(std::span<const std::byte, kHeaderSize> bytes) {
  ArchiveHeader header;
  header.ID = std::string(AsChars(bytes.first<kTextFieldSize>()));
  header.EntryCount = ReadInt32LE(bytes.subspan<kTextFieldSize, 4>());
  return header;
}

ArchiveEntry DecodeEntry(std::span<const std::byte, kEntrySize> bytes) {
  ArchiveEntry entry;
  entry.Name = std::string(CutAtNull(AsChars(bytes.first<kTextFieldSize>())));
  const auto field = [&](std::size_t index) {
    return ReadInt32LE(bytes.subspan(kTextFieldSize + 4 * index, 4));
  };
  entry.Pos = field(0);
  entry.Len = field(1);
  entry.Field3 = field(2);
  entry.Field4 = field(3);
  entry.Field5 = field(4);
  return entry;
}

std::string& CutAtNull(std::string& text) {
  const auto nul = text.find('\0');
  if (nul != std::string::npos) text.erase(nul);
  return text;
}

std::string_view CutAtNull(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string DisplayName(std::string_view name) {
  return std::string(util::TrimSpaces(CutAtNull(name)));
}

std::string ResourcePath(std::string_view name, char sep) {
  std::string path = DisplayName(name);
  for (char& c : path) {
    if (c == '/' || c == '\\') c = sep;
  }
  return path;
}

}  // namespace zpk::archive
