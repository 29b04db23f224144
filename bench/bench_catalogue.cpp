// Reads the directory of a generated 1,000,000-entry archive and compares with `tar -tf`
// of a tar archive holding the same member names, in the same run.
//
//   bench_catalogue [WORK_FOLDER] [ENTRIES]
//
// The archives are generated once into WORK_FOLDER (default: /tmp/zpk-bench). The read is
// measured in a child process of its own, so that its peak memory is not the generator's.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "archive/Catalogue.h"

namespace fs = std::filesystem;
using namespace zpk::bench;

namespace {

// A ustar archive of empty members with the same names.
void WriteTar(const fs::path& path, long count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (long i = 0; i < count; ++i) WriteTarHeader(out, UnitName(i));
  WriteTarEnd(out);
}

int ReadOnce(const char* path) {
  const long before = PeakKiB();
  const auto start = Clock::now();
  auto catalogue = zpk::archive::ReadCatalogue(path);
  const double ms = MsSince(start);
  if (!catalogue) {
    std::fprintf(stderr, "read failed: %s\n", catalogue.error().message.c_str());
    return 1;
  }
  std::printf("zpk ReadCatalogue: %zu entries in %.1f ms, table %.1f MiB, peak RSS %.1f MiB (%.1f MiB at start)\n",
              catalogue->entries.size(), ms, catalogue->entries.MemoryBytes() / 1048576.0,
              PeakKiB() / 1024.0, before / 1024.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--read") == 0) return ReadOnce(argv[2]);

  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  const long count = argc > 2 ? std::atol(argv[2]) : 1000000;
  fs::create_directories(work);
  const auto zpk = work / ("directory-" + std::to_string(count) + ".zpk");
  const auto tar = work / ("directory-" + std::to_string(count) + ".tar");
  if (!fs::exists(zpk)) WriteManyResources(zpk, "BENCH", count, 0, UnitName);
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
