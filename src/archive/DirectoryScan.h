// Walking an archive's directory without building an entry table: for callers that look at
// each entry once (listing, finding, comparing) and keep little of it.
//
// The directory is read in blocks of about 256 KiB into one buffer that is used again for
// every block, so memory stays flat however many entries there are. It is bounded as
// ReadCatalogue bounds it: a negative count reads nothing, and a count beyond the file
// reads only the whole records inside it (the layout says the directory is truncated).
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <functional>
#include <span>
#include <string_view>

#include "archive/ArchiveFile.h"
#include "archive/Error.h"
#include "archive/Records.h"

namespace zpk::archive {

// One record as read: the name cut at its first NUL (raw bytes) and the five numbers.
struct EntryView {
  std::size_t index;  // slot, from 1
  std::string_view name;
  std::int32_t Pos, Len, Field3, Field4, Field5;
};

// What the header says and how much of it the file holds, known before the records are read.
struct DirectoryLayout {
  ArchiveHeader header;
  std::uint64_t held = 0;  // whole records in the file, at most the header's count
  bool headerTruncated = false;
  bool directoryTruncated = false;
};

std::expected<DirectoryLayout, Error> ReadDirectoryLayout(ArchiveFile& file);

// Calls visit with each block of records in directory order (at most 950 at a
// time); visit returns false to stop early. The views are valid only during the call.
using BlockVisitor = std::function<bool(std::span<const EntryView>)>;
std::expected<void, Error> ScanDirectoryBlocks(ArchiveFile& file, const DirectoryLayout& layout,
                                               const BlockVisitor& visit);

// The smallest and largest Pos and Len of the records the layout holds, each range taken
// with 0 in it. Only the numbers of each record are looked at, not its name.
struct NumberBounds {
  std::int32_t minPos = 0, maxPos = 0, minLen = 0, maxLen = 0;
};
std::expected<NumberBounds, Error> ReadNumberBounds(ArchiveFile& file, const DirectoryLayout& layout);

struct ScanSummary {
  ArchiveHeader header;
  std::uint64_t entriesRead = 0;
  bool headerTruncated = false;
  bool directoryTruncated = false;
};

// The layout, then every record one at a time; visit returns false to stop early.
std::expected<ScanSummary, Error> ScanDirectory(ArchiveFile& file,
                                                const std::function<bool(const EntryView&)>& visit);

}  // namespace zpk::archive
