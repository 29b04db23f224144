// The two-byte probe of a resource: data that begins with 0x78 0x01 is taken to be
// encrypted, everything else to be viewable as it is. (0x78 0x01 is also how a zlib
// stream written at the lowest level begins; nothing more is concluded from it.)
#pragma once

#include <array>
#include <cstddef>
#include <expected>
#include <string_view>

#include "archive/ArchiveFile.h"
#include "archive/Error.h"
#include "archive/Records.h"

namespace zpk::archive {

enum class Verdict { Encrypted, ProbablyOk };

// The two bytes at the entry's Pos, whatever its Len says.
std::expected<std::array<std::byte, 2>, Error> ReadProbeBytes(ArchiveFile& file,
                                                              const ArchiveEntry& entry);

Verdict VerdictOf(std::array<std::byte, 2> firstBytes);

// "Encrypted!" or "Probably Ok".
std::string_view VerdictText(Verdict verdict);

std::expected<Verdict, Error> ProbeEntry(ArchiveFile& file, const ArchiveEntry& entry);

}  // namespace zpk::archive
