// Unpacking a zlib-packed resource (RFC 1950) while it is read, in bounded memory.
#pragma once

#include <expected>

#include "archive/CopyOut.h"

namespace zpk::archive {

// Reads the entry's stored bytes through CopyResource and hands the inflated bytes to sink,
// in order, in chunks of at most 256 KiB. A stream that is corrupt, ends before its end
// marker or is followed by more bytes is a BadStream error; the sink may have received
// part of the data by then. progress counts stored bytes read.
std::expected<void, Error> InflateResource(ArchiveFile& file, const ArchiveEntry& entry,
                                           const SinkFn& sink, const ProgressFn& progress = {});

}  // namespace zpk::archive
