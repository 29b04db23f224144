#include "archive/ArchiveFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace zpk::archive {

std::expected<ArchiveFile, Error> ArchiveFile::Open(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return std::unexpected(Error{ErrorCode::CantOpen, "'" + path.string() + "' is a folder"});
  }
  ArchiveFile file;
  file.path_ = path;
  errno = 0;
  file.stream_ = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
  if (!file.stream_->is_open()) {
    const int err = errno;
    return std::unexpected(Error{ErrorCode::CantOpen,
                                 "can't open '" + path.string() + "': " +
                                     (err ? std::strerror(err) : "unknown error")});
  }
  file.stream_->seekg(0, std::ios::end);
  const auto end = static_cast<std::streamoff>(file.stream_->tellg());
  if (end < 0) {
    return std::unexpected(
        Error{ErrorCode::CantRead, "can't take the length of '" + path.string() + "'"});
  }
  file.size_ = static_cast<std::uint64_t>(end);
  return file;
}

std::expected<std::size_t, Error> ArchiveFile::ReadSomeAt(std::uint64_t offset,
                                                          std::span<std::byte> out) {
  if (offset >= size_ || out.empty()) return std::size_t{0};
  stream_->clear();
  stream_->seekg(static_cast<std::streamoff>(offset));
  if (!*stream_) {
    return std::unexpected(
        Error{ErrorCode::CantRead, "can't seek", static_cast<std::int64_t>(offset)});
  }
  stream_->read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  const auto got = static_cast<std::size_t>(stream_->gcount());
  if (got == 0 && stream_->bad()) {
    return std::unexpected(
        Error{ErrorCode::CantRead, "read failed", static_cast<std::int64_t>(offset)});
  }
  return got;
}

std::expected<void, Error> ArchiveFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
  if (offset > size_ || out.size() > size_ - offset) {
    return std::unexpected(Error{ErrorCode::OutOfRange,
                                 std::to_string(out.size()) + " bytes at offset " +
                                     std::to_string(offset) + " lie beyond the end of the file (" +
                                     std::to_string(size_) + " bytes)",
                                 static_cast<std::int64_t>(offset)});
  }
  std::size_t done = 0;
  while (done < out.size()) {
    auto got = ReadSomeAt(offset + done, out.subspan(done));
    if (!got) return std::unexpected(got.error());
    if (*got == 0) {
      return std::unexpected(Error{ErrorCode::CantRead, "the file ended early (changed while read?)",
                                   static_cast<std::int64_t>(offset + done)});
    }
    done += *got;
  }
  return {};
}

}  // namespace zpk::archive
