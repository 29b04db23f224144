// What a resource is, told from its first bytes rather than from its name's extension.
//
// The signatures are tried from the most to the least certain: fixed magic numbers first,
// then MP3 frame sync, text, the two-byte zlib header, and TGA, which has no magic number
// at all and is recognised only by the plausibility of its 18-byte header.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <span>
#include <string_view>

#include "archive/ArchiveFile.h"
#include "archive/Error.h"
#include "archive/Records.h"

namespace zpk::archive {

enum class Kind { Empty, Bmp, Png, Jpeg, Gif, Wav, Avi, Ogg, Mp3, Bik, Dds, Tga, Zlib, Gzip, Text, Data };

// How many leading bytes DetectKind looks at (the text rule needs the most).
inline constexpr std::size_t kKindBytes = 4096;

// head: the first bytes of the resource, at most kKindBytes. complete: head is the whole
// resource (so a UTF-8 sequence cut at its end is a fault, not the end of the sample).
Kind DetectKind(std::span<const std::byte> head, bool complete);

// "bmp", "png", ... "text", "data", "empty": the names list --kind takes.
std::string_view KindName(Kind kind);
std::optional<Kind> KindFromName(std::string_view name);
// Every kind name, in the enum's order, for help texts and messages.
std::string_view AllKindNames();

// Reads up to kKindBytes of the entry (range-checked first) and names its kind.
std::expected<Kind, Error> ReadKind(ArchiveFile& file, const ArchiveEntry& entry);

}  // namespace zpk::archive
