// Writing a new archive from files, laid out as the game writes its archives: the header,
// the directory, then each entry's data in directory order without gaps.
//
// Everything the format can't hold is refused before a byte is written: a name over 255
// bytes, a file or a total beyond the 32-bit signed positions. The archive is written under
// a temporary name beside its target and renamed into place only when complete.
#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zpk::cli {

struct BuildEntry {
  std::string name;  // raw Windows-1252 bytes
  std::filesystem::path file;
  std::int32_t field3 = 0, field4 = 0, field5 = 0;
};

inline constexpr std::size_t kMaxNameBytes = 255;  // one byte of the field is left for NUL

struct BuildOptions {
  std::string id;  // raw Windows-1252 bytes, at most 256
  bool replaceExisting = false;
  std::function<void(std::uint64_t bytesDone, std::uint64_t total)> progress;
};

// Writes the archive at out. On failure nothing is left at out that was not there before.
std::expected<void, std::string> BuildArchive(const std::filesystem::path& out,
                                              const std::vector<BuildEntry>& entries,
                                              const BuildOptions& options);

}  // namespace zpk::cli
