// Fuzz target: an archive held in a file. The input becomes the file's bytes; the core
// reads the header and directory, probes every entry and reads and streams every entry
// out, and every result is checked against the bytes (lengths, order, exact data; entries
// outside the file fail with the error their range calls for, never with short data).
//
// The file is an anonymous memory file, so no disk is touched between runs.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "checks/ArchiveInvariants.h"

namespace {

class MemoryFile {
 public:
  MemoryFile() : fd_(memfd_create("zpk-fuzz-archive", 0)) {
    if (fd_ < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~MemoryFile() { close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  void Fill(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
  }
  const std::string& path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFile file;
  file.Fill(data, size);
  static std::vector<std::byte> bytes;
  bytes.assign(reinterpret_cast<const std::byte*>(data), reinterpret_cast<const std::byte*>(data) + size);
  const auto report = zpk::tools::CheckArchiveInvariants(file.path(), {.knownBytes = &bytes});
  if (!report.problems.empty()) {
    std::fprintf(stderr, "archive rule broken:\n%s", zpk::tools::Describe(report).c_str());
    std::abort();
  }
  return 0;
}
