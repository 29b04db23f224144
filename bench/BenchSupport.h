// What the benchmarks share: generated archives of many resources, ustar headers for the
// tar runs they compare with, and the clock and peak-memory readings.
#pragma once

#include <sys/resource.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>

#include "writer/ArchiveWriter.h"

namespace zpk::bench {

using Clock = std::chrono::steady_clock;

// Peak resident memory of this process so far, in KiB.
inline long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs a shell command and returns its wall time; a failure is reported, not fatal.
inline double TimeCommand(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return MsSince(start);
}

// "gfx/units/group_0001/unit_0001234.bmp": a thousand names a folder.
inline std::string UnitName(long i) {
  char name[96];
  std::snprintf(name, sizeof name, "gfx/units/group_%04ld/unit_%07ld.bmp", i / 1000, i);
  return name;
}

// An archive of `count` resources named by `name`, each `size` pattern bytes long.
template <typename NameOf>
bool WriteManyResources(const std::filesystem::path& path, const std::string& id, long count,
                        std::int64_t size, NameOf name) {
  tools::ArchiveWriter writer(id);
  for (long i = 0; i < count; ++i) {
    tools::WriterEntry entry;
    entry.name = name(i);
    entry.patternSize = size;
    writer.Add(std::move(entry));
  }
  return writer.WriteFile(path);
}

// The 512-byte ustar header of an empty regular file.
inline void WriteTarHeader(std::ostream& out, const std::string& name) {
  std::array<char, 512> block{};
  std::memcpy(block.data(), name.data(), name.size());
  std::memcpy(block.data() + 100, "0000644", 7);
  std::memcpy(block.data() + 108, "0001750", 7);
  std::memcpy(block.data() + 116, "0001750", 7);
  std::memcpy(block.data() + 124, "00000000000", 11);
  std::memcpy(block.data() + 136, "14712345670", 11);
  block[156] = '0';
  std::memcpy(block.data() + 257, "ustar", 6);
  std::memcpy(block.data() + 263, "00", 2);
  std::memset(block.data() + 148, ' ', 8);
  unsigned sum = 0;
  for (char c : block) sum += static_cast<unsigned char>(c);
  std::snprintf(block.data() + 148, 8, "%06o", sum);
  out.write(block.data(), 512);
}

// The two zero blocks that end a tar archive.
inline void WriteTarEnd(std::ostream& out) {
  const std::array<char, 1024> end{};
  out.write(end.data(), end.size());
}

}  // namespace zpk::bench
