// Opening the archive named on the command line and reading its catalogue, with the
// message and exit status every command gives when that fails.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/Catalogue.h"
#include "archive/DirectoryScan.h"

namespace zpk::cli {

struct OpenedArchive {
  archive::ArchiveFile file;
  archive::Catalogue catalogue;
};

// The archive and its catalogue, or nothing after an error on stderr. With
// needHeader, a file shorter than a header counts as unreadable.
std::optional<OpenedArchive> OpenArchive(const std::string& path, bool needHeader);

// The archive and the layout of its directory, not yet read: for commands that stream
// the records. Fails, reported, as OpenArchive(path, true) does.
struct OpenedDirectory {
  archive::ArchiveFile file;
  archive::DirectoryLayout layout;
};
std::optional<OpenedDirectory> OpenDirectory(const std::string& path);

// Reports on stderr that the header claims more entries than the file holds.
void WarnTruncatedDirectory(const archive::Catalogue& catalogue);
void WarnTruncatedDirectory(std::int32_t headerCount, std::uint64_t held);

struct Selection {
  std::vector<std::size_t> indices;  // entry-table slots, in directory order, each once
  std::size_t unmatched = 0;         // ENTRY arguments that matched nothing (reported)
};

// The entries that the ENTRY arguments name: "#N" for slot N, otherwise the exact
// display name with "/" and "\" counted as the same. No argument selects every entry.
Selection SelectEntries(const archive::EntryTable& entries,
                        const std::vector<std::string>& wanted);

}  // namespace zpk::cli
