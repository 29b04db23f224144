#include "archive/CopyOut.h"

#include "archive/Inflate.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "util/PathUtils.h"

#ifdef __linux__
#include <fcntl.h>
#include <stdio.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace zpk::archive {

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

std::string ErrnoText(int err) { return err ? std::strerror(err) : "unknown error"; }

// Removes the temporary file unless the copy was put in place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(path_, ignored);
    }
  }
  const std::filesystem::path& path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::filesystem::path path_;
};

Error WriteError(const std::filesystem::path& target, const std::string& what) {
  return Error{ErrorCode::CantWrite, "can't write '" + target.string() + "': " + what};
}

// Opens a new, exclusive temporary file beside target.
std::expected<std::filesystem::path, Error> CreateTemporaryBeside(
    const std::filesystem::path& target, std::ofstream& out) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  const auto folder = target.parent_path();
  int lastErr = 0;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    // "." + name + "." + 16 digits + ".part": the name is shortened so that the whole
    // stays within the file system's limit for a name.
    const std::string name =
        util::FitFileName(target.filename().string(), util::kMaxFileNameBytes - 23);
    auto candidate = folder / ("." + name + "." + suffix + ".part");
    errno = 0;
#ifdef _WIN32
    // The C runtime's _wfopen knows no exclusive mode, so a wide path can't be opened with
    // noreplace: the name is claimed with _O_EXCL (which fails on anything there, a
    // reparse point included) and the claimed, empty file is then opened for writing.
    const int fd = ::_wopen(candidate.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      ::_close(fd);
      out.open(candidate, std::ios::out | std::ios::binary | std::ios::trunc);
      if (out.is_open()) return candidate;
      lastErr = errno;
      std::error_code ignored;
      std::filesystem::remove(candidate, ignored);
      break;
    }
#else
    out.open(candidate, std::ios::out | std::ios::binary | std::ios::noreplace);
    if (out.is_open()) return candidate;
#endif
    lastErr = errno;
    out.clear();
    if (lastErr != EEXIST) break;
  }
  return std::unexpected(WriteError(target, ErrnoText(lastErr)));
}

// Moves the finished temporary file to target, replacing it only when allowed. True when
// the temporary name is gone (renamed), false when it is still there beside a hard link.
std::expected<bool, Error> PutInPlace(const std::filesystem::path& temp,
                                      const std::filesystem::path& target, bool replace) {
#ifdef _WIN32
  // One step either way: without MOVEFILE_REPLACE_EXISTING the move fails on anything at the
  // target, a reparse point included; with it the entry is replaced, never written through.
  // Not MOVEFILE_COPY_ALLOWED: the temporary file lies beside the target.
  if (::MoveFileExW(temp.c_str(), target.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
    return true;
  }
  const DWORD code = ::GetLastError();
  if (!replace && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) {
    return std::unexpected(Error{ErrorCode::TargetExists, "'" + target.string() + "' exists"});
  }
  return std::unexpected(
      WriteError(target, std::system_category().message(static_cast<int>(code))));
#else
  std::error_code ec;
  if (replace) {
    std::filesystem::rename(temp, target, ec);
    if (ec) return std::unexpected(WriteError(target, ec.message()));
    return true;
  }
#ifdef __linux__
  // One atomic step that refuses an existing target: no window between a check and the
  // rename, and one directory update instead of the link-and-unlink below.
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno == EEXIST) {
    return std::unexpected(Error{ErrorCode::TargetExists, "'" + target.string() + "' exists"});
  }
  // EINVAL or ENOSYS: the file system or kernel lacks it; go on the portable way.
#endif
  // A hard link fails when the target exists, so nothing can slip in between a check and
  // the rename. File systems without hard links fall back to check-then-rename.
  std::filesystem::create_hard_link(temp, target, ec);
  if (!ec) return false;
  if (ec == std::errc::file_exists) {
    return std::unexpected(Error{ErrorCode::TargetExists, "'" + target.string() + "' exists"});
  }
  if (std::filesystem::exists(std::filesystem::symlink_status(target))) {
    return std::unexpected(Error{ErrorCode::TargetExists, "'" + target.string() + "' exists"});
  }
  ec.clear();
  std::filesystem::rename(temp, target, ec);
  if (ec) return std::unexpected(WriteError(target, ec.message()));
  return true;
#endif
}

// Copies the entry into an open stream and closes it; a failed write names target.
std::expected<void, Error> CopyIntoStream(ArchiveFile& file, const ArchiveEntry& entry,
                                          std::ofstream& out,
                                          const std::filesystem::path& target,
                                          const CopyOptions& options) {
  const auto write = [&](std::span<const std::byte> chunk) {
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    return static_cast<bool>(out);
  };
  auto copied = options.inflate ? InflateResource(file, entry, write, options.progress)
                                : CopyResource(file, entry, write, options.progress);
  if (!copied) {
    const int writeErr = errno;
    // Windows can't remove a file that is still open: close it before a temporary goes.
    out.close();
    errno = writeErr;
    if (copied.error().code == ErrorCode::CantWrite) {
      return std::unexpected(WriteError(target, ErrnoText(errno)));
    }
    return copied;
  }
  errno = 0;
  out.close();
  if (out.fail()) return std::unexpected(WriteError(target, ErrnoText(errno)));
  return {};
}

// A file the user chose to replace keeps what makes it that file: a link stays a link and
// its target gets the bytes, the permission bits stay, and where the folder takes no new
// file the file itself is written (a failure then may leave it damaged, and says so).
std::expected<void, Error> ReplaceUsersFile(ArchiveFile& file, const ArchiveEntry& entry,
                                            const std::filesystem::path& chosen,
                                            const CopyOptions& options) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = chosen;
  if (fs::is_symlink(fs::symlink_status(chosen, ec))) {
    const fs::path resolved = fs::weakly_canonical(chosen, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status existing = fs::status(target, ec);
  const bool replacing = fs::is_regular_file(existing);

  std::ofstream out;
  auto tempPath = CreateTemporaryBeside(target, out);
  if (!tempPath) {
    if (!replacing) return std::unexpected(tempPath.error());
    errno = 0;
    out.open(target, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!out) return std::unexpected(WriteError(target, ErrnoText(errno)));
    return CopyIntoStream(file, entry, out, target, options);
  }
  TemporaryFile temp(*tempPath);
  if (auto ok = CopyIntoStream(file, entry, out, target, options); !ok) return ok;
  if (replacing) {
    fs::permissions(temp.path(), existing.permissions(), fs::perm_options::replace, ec);
    if (ec) return std::unexpected(WriteError(target, ec.message()));
  }
  auto placed = PutInPlace(temp.path(), target, true);
  if (!placed) return std::unexpected(placed.error());
  temp.Release();
  return {};
}

}  // namespace

std::expected<void, Error> CheckRange(const ArchiveEntry& entry, std::uint64_t fileSize) {
  if (entry.Pos < 0) {
    return std::unexpected(Error{ErrorCode::NegativePos,
                                 "position " + std::to_string(entry.Pos) + " is negative",
                                 entry.Pos});
  }
  if (entry.Len < 0) {
    return std::unexpected(Error{ErrorCode::NegativeLen,
                                 "length " + std::to_string(entry.Len) + " is negative",
                                 entry.Pos});
  }
  const auto end = static_cast<std::uint64_t>(entry.Pos) + static_cast<std::uint64_t>(entry.Len);
  if (end > fileSize) {
    return std::unexpected(Error{ErrorCode::OutOfRange,
                                 "bytes " + std::to_string(entry.Pos) + " to " +
                                     std::to_string(end) + " lie beyond the end of the file (" +
                                     std::to_string(fileSize) + " bytes)",
                                 entry.Pos});
  }
  return {};
}

std::expected<void, Error> CopyResource(ArchiveFile& file, const ArchiveEntry& entry,
                                        const SinkFn& sink, const ProgressFn& progress) {
  if (auto ok = CheckRange(entry, file.Size()); !ok) return ok;
  const auto total = static_cast<std::uint64_t>(entry.Len);
  std::vector<std::byte> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(total, kChunkSize)));
  for (std::uint64_t done = 0; done < total;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(total - done, kChunkSize));
    const std::span<std::byte> chunk(buffer.data(), n);
    if (auto ok = file.ReadAt(static_cast<std::uint64_t>(entry.Pos) + done, chunk); !ok) {
      return ok;
    }
    if (!sink(chunk)) return std::unexpected(Error{ErrorCode::CantWrite, "writing failed"});
    done += n;
    if (progress && !progress(done)) {
      return std::unexpected(Error{ErrorCode::Cancelled, "cancelled"});
    }
  }
  return {};
}

std::expected<std::vector<std::byte>, Error> ReadResource(ArchiveFile& file,
                                                          const ArchiveEntry& entry) {
  if (auto ok = CheckRange(entry, file.Size()); !ok) return std::unexpected(ok.error());
  std::vector<std::byte> data(static_cast<std::size_t>(entry.Len));
  if (auto ok = file.ReadAt(static_cast<std::uint64_t>(entry.Pos), data); !ok) {
    return std::unexpected(ok.error());
  }
  return data;
}

std::expected<void, Error> CopyResourceToFile(ArchiveFile& file, const ArchiveEntry& entry,
                                              const std::filesystem::path& target,
                                              const CopyOptions& options) {
  if (auto ok = CheckRange(entry, file.Size()); !ok) return ok;
  std::error_code ec;
  if (std::filesystem::equivalent(target, file.Path(), ec)) {
    return std::unexpected(WriteError(target, "it is the archive being read"));
  }
  if (!options.replaceExisting && std::filesystem::exists(std::filesystem::symlink_status(target))) {
    return std::unexpected(Error{ErrorCode::TargetExists, "'" + target.string() + "' exists"});
  }

  if (options.usersOwnFile) return ReplaceUsersFile(file, entry, target, options);

  std::ofstream out;
  auto tempPath = CreateTemporaryBeside(target, out);
  if (!tempPath) return std::unexpected(tempPath.error());
  TemporaryFile temp(*tempPath);
  if (auto ok = CopyIntoStream(file, entry, out, target, options); !ok) return ok;

  auto placed = PutInPlace(temp.path(), target, options.replaceExisting);
  if (!placed) return std::unexpected(placed.error());
  // After a hard link the temporary name is still there and goes with TemporaryFile.
  if (*placed) temp.Release();
  return {};
}

std::expected<bool, Error> FileHoldsResource(ArchiveFile& file, const ArchiveEntry& entry,
                                             const std::filesystem::path& path) {
  if (auto ok = CheckRange(entry, file.Size()); !ok) return std::unexpected(ok.error());
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) return false;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size != static_cast<std::uint64_t>(entry.Len)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<char> theirs;
  bool same = true;
  auto compared = CopyResource(file, entry, [&](std::span<const std::byte> chunk) {
    theirs.resize(chunk.size());
    in.read(theirs.data(), static_cast<std::streamsize>(chunk.size()));
    same = in.gcount() == static_cast<std::streamsize>(chunk.size()) &&
           std::memcmp(theirs.data(), chunk.data(), chunk.size()) == 0;
    return same;
  });
  if (!same) return false;
  if (!compared) return std::unexpected(compared.error());
  return true;
}

}  // namespace zpk::archive
