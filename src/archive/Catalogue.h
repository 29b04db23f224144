// Reading an archive's header and directory into an entry table.
//
// The writer that made the game's archives does not check the count against the file, and
// damaged files exist, so the count is bounded here: a negative count reads no entry, and
// a count beyond the file reads only the entries that lie wholly inside it and marks the
// directory as truncated. The header's own count is kept as it was stored, for display.
#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <optional>

#include "archive/ArchiveFile.h"
#include "archive/EntryTable.h"
#include "archive/Error.h"
#include "archive/Records.h"

namespace zpk::archive {

struct Catalogue {
  ArchiveHeader header;  // empty (ID "", EntryCount 0) when the file is shorter than a header
  EntryTable entries;
  std::uint64_t fileSize = 0;
  bool headerTruncated = false;     // fewer than 260 bytes in the file
  bool directoryTruncated = false;  // fewer than EntryCount whole entries in the file
};

// Number of whole directory entries that a file of this size can hold.
std::uint64_t EntriesThatFit(std::uint64_t fileSize);

std::expected<Catalogue, Error> ReadCatalogue(ArchiveFile& file);

// What a read gave before an error: the header and the whole entries in front of the
// failed read (none when the header itself could not be read), and the error, if any.
struct CatalogueSoFar {
  Catalogue catalogue;
  std::optional<Error> error;
};
CatalogueSoFar ReadCatalogueSoFar(ArchiveFile& file);
std::expected<Catalogue, Error> ReadCatalogue(const std::filesystem::path& path);

}  // namespace zpk::archive
