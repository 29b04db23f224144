// Read-only access to an archive file with 64-bit offsets.
//
// Reading sequence of the core:
//   1. ArchiveFile::Open(path)           open for reading only (never creates the file)
//   2. ReadCatalogue(file)               header and directory into an EntryTable
//   3. ReadProbeBytes(file, entry)       the first two data bytes of one entry
//   4. CopyResource / CopyResourceToFile the entry's Len bytes from Pos, range-checked
//   5. the file closes when the ArchiveFile goes away
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

#include "archive/Error.h"

namespace zpk::archive {

class ArchiveFile {
 public:
  static std::expected<ArchiveFile, Error> Open(const std::filesystem::path& path);

  std::uint64_t Size() const { return size_; }
  const std::filesystem::path& Path() const { return path_; }

  // Reads exactly out.size() bytes at offset; anything less is an error.
  std::expected<void, Error> ReadAt(std::uint64_t offset, std::span<std::byte> out);

  // Reads up to out.size() bytes at offset and returns how many arrived (0 at the end).
  std::expected<std::size_t, Error> ReadSomeAt(std::uint64_t offset, std::span<std::byte> out);

 private:
  ArchiveFile() = default;
  std::filesystem::path path_;
  std::unique_ptr<std::ifstream> stream_;
  std::uint64_t size_ = 0;
};

}  // namespace zpk::archive
