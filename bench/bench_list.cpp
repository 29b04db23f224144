// `zpk list` and the core's ReadCatalogue beside a bare block reader of the same directory,
// in the same run, as ratios.
//
//   bench_list [WORK_FOLDER] [ENTRIES...]      (default /tmp/zpk-bench, 1000000 10000000)
//
// The bare reader is what a careful C program does: read the directory in 1 MiB blocks
// and print each name through one output buffer. Archives are generated once into
// WORK_FOLDER (names as in bench_catalogue, 16 data bytes per entry behind the directory,
// so that list's KIND column reads real data). Every measurement is a child process of its
// own, with its output sent to /dev/null; its peak memory is taken from wait4. The machine
// is shared, so each figure is the fastest of three runs.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "archive/Catalogue.h"

namespace fs = std::filesystem;
using namespace zpk::bench;

namespace {

constexpr std::size_t kRecord = 276, kHeader = 260, kPerBlock = 3800;

// The reference: names of the directory to standard output. Prints its own read time.
int BareRead(const char* path) {
  const auto start = Clock::now();
  const int fd = ::open(path, O_RDONLY);
  if (fd < 0) return 1;
  unsigned char header[kHeader];
  if (::pread(fd, header, kHeader, 0) != static_cast<ssize_t>(kHeader)) return 1;
  std::int32_t count;
  std::memcpy(&count, header + 256, 4);
  static char out[1 << 20];
  std::setvbuf(stdout, out, _IOFBF, sizeof out);
  std::vector<char> block(kPerBlock * kRecord);
  for (std::int64_t done = 0; done < count;) {
    const auto n = std::min<std::int64_t>(count - done, kPerBlock);
    const auto bytes = static_cast<std::size_t>(n) * kRecord;
    if (::pread(fd, block.data(), bytes, static_cast<off_t>(kHeader + done * kRecord)) !=
        static_cast<ssize_t>(bytes))
      return 1;
    for (std::int64_t i = 0; i < n; ++i) {
      const char* name = block.data() + i * kRecord;
      const void* nul = std::memchr(name, 0, 256);
      std::fwrite(name, 1, nul ? static_cast<const char*>(nul) - name : 256, stdout);
      std::putc('\n', stdout);
    }
    done += n;
  }
  std::fflush(stdout);
  ::close(fd);
  std::fprintf(stderr, "%.3f\n", MsSince(start));
  return 0;
}

// ReadCatalogue alone; prints its time and the table's bytes per entry.
int CatalogueRead(const char* path) {
  const auto start = Clock::now();
  auto catalogue = zpk::archive::ReadCatalogue(path);
  const double ms = MsSince(start);
  if (!catalogue) return 1;
  std::fprintf(stderr, "%.3f %.2f\n", ms,
               static_cast<double>(catalogue->entries.MemoryBytes()) / std::max<std::size_t>(1, catalogue->entries.size()));
  return 0;
}

struct Run {
  double wallMs = 0;
  double peakMiB = 0;
  std::string report;  // what the child wrote to stderr
};

Run Measure(const std::vector<std::string>& args) {
  char errPath[] = "/tmp/zpk-bench-err.XXXXXX";
  const int errFd = ::mkstemp(errPath);
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(errFd, 2);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  Run run{MsSince(start), usage.ru_maxrss / 1024.0, {}};
  char text[256] = {};
  const auto n = ::pread(errFd, text, sizeof text - 1, 0);
  if (n > 0) run.report.assign(text, static_cast<std::size_t>(n));
  ::close(errFd);
  ::unlink(errPath);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "failed: %s\n", args[0].c_str());
  return run;
}

// The fastest of three runs (the page cache is warm after the first).
Run Best(const std::vector<std::string>& args) {
  Run best = Measure(args);
  for (int i = 0; i < 2; ++i) {
    auto run = Measure(args);
    if (run.wallMs < best.wallMs) best = run;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--bare") == 0) return BareRead(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--catalogue") == 0) return CatalogueRead(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
    return WriteManyResources(argv[2], "BENCH", std::atol(argv[3]), 16, UnitName) ? 0 : 1;
  }

  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  std::vector<long> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::atol(argv[i]));
  if (counts.empty()) counts = {1000000, 10000000};
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();

  for (const long count : counts) {
    const auto archive = work / ("list-" + std::to_string(count) + ".zpk");
    // Written by a child: a child's peak memory counts what it had before exec, so this
    // process must stay small.
    if (!fs::exists(archive)) Measure({self, "--write", archive.string(), std::to_string(count)});
    std::printf("== %ld entries, %s (%.1f MiB)\n", count, archive.c_str(), fs::file_size(archive) / 1048576.0);
    TimeCommand("cat '" + archive.string() + "' > /dev/null");

    const auto bare = Best({self, "--bare", archive.string()});
    const auto list = Best({ZPK_EXE, "list", archive.string()});
    std::printf("bare reader:     %8.1f ms  peak %6.1f MiB\n", bare.wallMs, bare.peakMiB);
    std::printf("zpk list:        %8.1f ms  peak %6.1f MiB   %.2fx the bare reader (goal <= 2x, < 16 MiB)\n",
                list.wallMs, list.peakMiB, list.wallMs / bare.wallMs);
    if (count <= 1000000) {
      const auto catalogue = Best({self, "--catalogue", archive.string()});
      const double bareMs = std::atof(bare.report.c_str());
      double ms = 0, perEntry = 0;
      std::sscanf(catalogue.report.c_str(), "%lf %lf", &ms, &perEntry);
      std::printf("ReadCatalogue:   %8.1f ms  peak %6.1f MiB   %.2fx the bare reader's read (%.1f ms; goal <= 3x), "
                  "%.1f bytes/entry (goal <= 40)\n",
                  ms, catalogue.peakMiB, ms / bareMs, bareMs, perEntry);
    }
    std::fflush(stdout);
  }
  return 0;
}
