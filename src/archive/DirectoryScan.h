// Walking an archive's directory record by record without building an entry table: for
// callers that look at each entry once (finding, comparing) and keep little of it.
//
// The directory is read in blocks of about 1 MiB and bounded as ReadCatalogue bounds it:
// a negative count reads nothing, and a count beyond the file reads only the whole records
// inside it (the summary says the directory is truncated).
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

struct ScanSummary {
  ArchiveHeader header;
  std::uint64_t entriesRead = 0;
  bool headerTruncated = false;
  bool directoryTruncated = false;
};

// Calls visit for each record in directory order; visit returns false to stop early. The
// view's name is valid only during the call.
std::expected<ScanSummary, Error> ScanDirectory(ArchiveFile& file,
                                                const std::function<bool(const EntryView&)>& visit);

}  // namespace zpk::archive
