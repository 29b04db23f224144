// zpk find over 100 archives holding 1,000,000 entries in all: the archives are generated
// once into WORK (default /tmp/zpk-bench-find), then `zpk find` runs RUNS times (default 3)
// in a fresh process each; the best wall time counts.
//
//   bench_find [WORK] [ARCHIVES] [ENTRIES_PER_ARCHIVE]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path work = argc > 1 ? argv[1] : "/tmp/zpk-bench-find";
  const long archives = argc > 2 ? std::atol(argv[2]) : 100;
  const long perArchive = argc > 3 ? std::atol(argv[3]) : 10000;
  const int runs = std::getenv("RUNS") ? std::atoi(std::getenv("RUNS")) : 3;
  fs::create_directories(work);
  for (long a = 0; a < archives; ++a) {
    char file[32];
    std::snprintf(file, sizeof file, "res%03ld.zpk", a);
    if (fs::exists(work / file)) continue;
    if (!zpk::bench::WriteManyResources(work / file, "BENCH", perArchive, 0,
                                        [&](long i) { return zpk::bench::UnitName(a * perArchive + i); })) {
      std::fprintf(stderr, "can't write %s\n", (work / file).c_str());
      return 2;
    }
  }
  // A pattern that has to be tried on every name and matches one of them.
  const std::string wanted = zpk::bench::UnitName(archives * perArchive / 2);
  const std::string command = std::string(ZPK_EXE) + " find '*" + wanted.substr(wanted.rfind('/') + 1) +
                              "' " + work.string() + " >/dev/null";
  zpk::bench::TimeCommand(command);  // warm the page cache
  double best = 1e9;
  for (int r = 0; r < runs; ++r) best = std::min(best, zpk::bench::TimeCommand(command));
  std::printf("zpk find, %ld archives, %ld entries: best of %d runs %.1f ms (goal: under 1000 ms)\n",
              archives, archives * perArchive, runs, best);
  return 0;
}
