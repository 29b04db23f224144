// The on-disk records of a ZPK archive and the values derived from an entry's name.
//
// Layout of an archive (all integers 32-bit signed, least significant byte first; all
// offsets from the first byte of the file):
//
//   offset 0      260 bytes            ArchiveHeader: ID (256 bytes of text), EntryCount
//   offset 260    276 x EntryCount     the directory: ArchiveEntry records without gaps
//   anywhere      Len bytes per entry  each resource's data, at the entry's Pos
//
// Text fields are 256 single-byte Windows-1252 characters without a length prefix. An
// entry's Name ends at its first NUL; the header's ID does not (NUL bytes in it are kept).
// Nothing outside header and directory is read except through an entry's Pos and Len.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "util/PathUtils.h"

namespace zpk::archive {

inline constexpr std::size_t kTextFieldSize = 256;
inline constexpr std::size_t kHeaderSize = 260;
inline constexpr std::size_t kEntrySize = 276;
static_assert(kHeaderSize == kTextFieldSize + 4);
static_assert(kEntrySize == kTextFieldSize + 5 * 4);

struct ArchiveHeader {
  std::string ID;               // raw Windows-1252 bytes, as stored (256 when read whole)
  std::int32_t EntryCount = 0;  // as stored: may be negative or far beyond the file
};

// One directory record. Name holds the raw Windows-1252 bytes already cut at the first
// NUL; that gives the same display name as the full 256-byte field.
struct ArchiveEntry {
  std::string Name;
  std::int32_t Pos = 0;
  std::int32_t Len = 0;
  std::int32_t Field3 = 0;  // Field3..Field5 are kept but mean nothing to this program
  std::int32_t Field4 = 0;
  std::int32_t Field5 = 0;
};

// Little-endian signed 32-bit value at the start of bytes (which must hold 4 bytes).
std::int32_t ReadInt32LE(std::span<const std::byte> bytes);

// Decodes a header from exactly kHeaderSize bytes.
ArchiveHeader DecodeHeader(std::span<const std::byte, kHeaderSize> bytes);

// Decodes an entry from exactly kEntrySize bytes (Name cut at its first NUL).
ArchiveEntry DecodeEntry(std::span<const std::byte, kEntrySize> bytes);

// Cuts the text before its first NUL, in place, and returns the result. A text without
// NUL stays as it is; one that begins with NUL becomes empty.
std::string& CutAtNull(std::string& text);
std::string_view CutAtNull(std::string_view text);

// Name cut at its first NUL, spaces (code 32 only) removed at both ends. Raw bytes.
std::string DisplayName(std::string_view name);

// The display name with every "/" and "\" replaced by sep, so that names made on either
// platform split into the same folder levels. Raw bytes.
std::string ResourcePath(std::string_view name, char sep = util::kPathSeparator);

}  // namespace zpk::archive
