// Reads the directory of a generated 1,000,000-entry archive and compares with `tar -tf`
// of a tar archive holding the same member names, in the same run.
//
//   bench_catalogue [WORK_FOLDER] [ENTRIES]
//
// The archives are generated once into WORK_FOLDER (default: /tmp/zpk-bench). The read is
// measured in a child process of its own, so that its peak memory is not the generator's.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/Catalogue.h"
#include "writer/ArchiveWriter.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string MemberName(long i) {
  char name[96];
  std::snprintf(name, sizeof name, "gfx/units/group_%04ld/unit_%07ld.bmp", i / 1000, i);
  return name;
}

void WriteZpk(const fs::path& path, long count) {
  zpk::tools::ArchiveWriter writer("BENCH");
  for (long i = 0; i < count; ++i) {
    zpk::tools::WriterEntry e;
    e.name = MemberName(i);
    e.patternSize = 0;
    writer.Add(std::move(e));
  }
  writer.WriteFile(path);
}

// A ustar archive of empty members with the same names.
void WriteTar(const fs::path& path, long count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::array<char, 512> block;
  for (long i = 0; i < count; ++i) {
    block.fill(0);
    const auto name = MemberName(i);
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
  block.fill(0);
  out.write(block.data(), 512);
  out.write(block.data(), 512);
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int ReadOnce(const char* path) {
  const long before = PeakKiB();
  const auto start = Clock::now();
  auto catalogue = zpk::archive::ReadCatalogue(path);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (!catalogue) {
    std::fprintf(stderr, "read failed: %s\n", catalogue->header.ID.c_str());
    return 1;
  }
  std::printf("zpk ReadCatalogue: %zu entries in %.1f ms, table %.1f MiB, peak RSS %.1f MiB (%.1f MiB at start)\n",
              catalogue->entries.size(), ms, catalogue->entries.MemoryBytes() / 1048576.0,
              PeakKiB() / 1024.0, before / 1024.0);
  return 0;
}

double TimeCommand(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--read") == 0) return ReadOnce(argv[2]);

  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  const long count = argc > 2 ? std::atol(argv[2]) : 1000000;
  fs::create_directories(work);
  const auto zpk = work / ("directory-" + std::to_string(count) + ".zpk");
  const auto tar = work / ("directory-" + std::to_string(count) + ".tar");
  if (!fs::exists(zpk)) WriteZpk(zpk, count);
  if (!fs::exists(tar)) WriteTar(tar, count);
  std::printf("archives: %s (%.1f MiB), %s (%.1f MiB)\n", zpk.c_str(), fs::file_size(zpk) / 1048576.0,
              tar.c_str(), fs::file_size(tar) / 1048576.0);

  // Warm the page cache for both, then measure three runs each.
  TimeCommand("cat '" + zpk.string() + "' '" + tar.string() + "' > /dev/null");
  for (int run = 0; run < 3; ++run) {
    std::fflush(stdout);
    const double ms = TimeCommand("'" + std::string(argv[0]) + "' --read '" + zpk.string() + "'");
    std::printf("  (whole process %.1f ms)\n", ms);
    const double tarMs = TimeCommand("tar -tf '" + tar.string() + "' > /dev/null");
    std::printf("tar -tf: %.1f ms\n", tarMs);
  }
  return 0;
}
