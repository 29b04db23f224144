// Copying a resource's stored bytes out of an archive, unchanged, in bounded memory.
//
// Every copy is range-checked first: a negative Pos or Len, or a range reaching past the
// end of the file, is an error and nothing is written. A file target is written under a
// temporary name beside it and put in place only when complete, so a failed copy leaves
// neither a partial file nor a damaged earlier file behind.
#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/Error.h"
#include "archive/Records.h"

namespace zpk::archive {

// Ok when the entry's Len bytes from Pos lie inside a file of fileSize bytes.
std::expected<void, Error> CheckRange(const ArchiveEntry& entry, std::uint64_t fileSize);

// Called with the bytes copied so far; returning false cancels the copy.
using ProgressFn = std::function<bool(std::uint64_t bytesDone)>;

// Receives the data in order, in chunks of at most 1 MiB; returning false stops the copy
// with a CantWrite error.
using SinkFn = std::function<bool(std::span<const std::byte> chunk)>;

std::expected<void, Error> CopyResource(ArchiveFile& file, const ArchiveEntry& entry,
                                        const SinkFn& sink, const ProgressFn& progress = {});

// The whole resource in memory; only for callers that know Len is small.
std::expected<std::vector<std::byte>, Error> ReadResource(ArchiveFile& file,
                                                          const ArchiveEntry& entry);

struct CopyOptions {
  bool replaceExisting = true;  // false: an existing target is an error (TargetExists)
  bool inflate = false;         // the stored bytes are a zlib stream: write them unpacked
  // The target is a file the user chose to replace ("Save as"): a symbolic link's target is
  // replaced, not the link; the replaced file keeps its permission bits; and where its
  // folder takes no new file, the file is written in place.
  bool usersOwnFile = false;
  ProgressFn progress;
};

// Copies the entry into target, atomically. The archive itself is never a valid target.
std::expected<void, Error> CopyResourceToFile(ArchiveFile& file, const ArchiveEntry& entry,
                                              const std::filesystem::path& target,
                                              const CopyOptions& options = {});

// True when the file at path is a regular file holding exactly the entry's bytes, so that
// an earlier copy can be used again. A missing, different, shorter or longer file gives
// false; an unreadable archive or a bad range is an error. Reads in bounded chunks.
std::expected<bool, Error> FileHoldsResource(ArchiveFile& file, const ArchiveEntry& entry,
                                             const std::filesystem::path& path);

}  // namespace zpk::archive
