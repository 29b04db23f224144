// A 1 KiB archive whose header claims 2^31-1 entries: reading it must take the time and
// memory of the two entries the file really holds, not of the count.
//
//   bench_huge_count [WORK_FOLDER]      (default: /tmp/zpk-bench)
//
// Prints the median, the 99th percentile and the slowest of 1,000 reads, and the growth of
// the process's peak memory across them; the goal is under 10 ms (99th percentile, so that
// one preempted read on a busy machine does not decide) and under 1 MiB.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "archive/Catalogue.h"
#include "writer/ArchiveWriter.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  fs::create_directories(work);
  const auto path = work / "huge-count-1k.zpk";
  zpk::tools::ArchiveWriter writer("HUGE COUNT");
  writer.Add("a.txt", "a").Add("b.txt", "b").SetCount(INT_MAX);
  auto bytes = writer.Bytes();
  bytes.resize(1024, std::byte{0xEE});  // 2 entries and filler: 1 KiB in all
  {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) return 1;
    std::fclose(out);
  }

  constexpr int kReads = 1000;
  std::vector<double> ms;
  ms.reserve(kReads);
  const long before = PeakKiB();
  std::size_t entries = 0;
  bool truncated = false;
  for (int i = 0; i < kReads; ++i) {
    const auto start = Clock::now();
    auto catalogue = zpk::archive::ReadCatalogue(path);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!catalogue) {
      std::fprintf(stderr, "read failed: %s\n", zpk::archive::Describe(catalogue.error()).c_str());
      return 1;
    }
    entries = catalogue->entries.size();
    truncated = catalogue->directoryTruncated;
  }
  const long grown = PeakKiB() - before;
  std::sort(ms.begin(), ms.end());
  std::printf("huge count: %zu bytes claiming %d entries -> %zu entries read%s\n", bytes.size(),
              INT_MAX, entries, truncated ? " (directory marked truncated)" : "");
  const double p99 = ms[ms.size() * 99 / 100];
  std::printf("huge count: read in %.3f ms median, %.3f ms at the 99th percentile, %.3f ms "
              "slowest of %d (goal < 10 ms); peak memory grew by %ld KiB (goal < 1024 KiB)\n",
              ms[ms.size() / 2], p99, ms.back(), kReads, grown);
  return p99 < 10.0 && grown < 1024 && entries == 2 ? 0 : 1;
}
