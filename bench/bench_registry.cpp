// Times the installation-folder lookups of start-up on a Wine prefix with a large registry:
// a generated system.reg of about 8 MB (40,000 keys, as a prefix with many programs has),
// with the game's uninstall entry at its end, read through the prefix's registry as the
// window reads it.
//
//   bench_registry [WORK_FOLDER] [KEYS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/WineRegistry.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
  const fs::path prefix = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench-prefix");
  const long keys = argc > 2 ? std::atol(argv[2]) : 40000;
  fs::create_directories(prefix);
  {
    std::ofstream reg(prefix / "system.reg", std::ios::binary);
    reg << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    for (long i = 0; i < keys; ++i) {
      char header[160];
      std::snprintf(header, sizeof header,
                    "[Software\\\\Classes\\\\CLSID\\\\{%08lX-0000-0000-C000-000000000046}\\\\"
                    "InprocServer32] 1700000000\n",
                    i);
      reg << header << "#time=1d9a0b0c0d0e0f0\n@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n"
          << "\"ThreadingModel\"=\"Both\"\n\"Flags\"=hex:01,02,03,04,05,06,07,08,\\\n"
          << "  09,0a,0b,0c\n\n";
    }
    reg << "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
           "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}] 1700000000\n"
           "\"InstallLocation\"=\"C:\\\\Games\\\\Tidewater\"\n";
  }
  const auto size = fs::file_size(prefix / "system.reg");

  const zpk::platform::WineRegistry registry(prefix);
  const QString key = QStringLiteral(
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
      "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}");
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    const auto data = registry.Query(zpk::platform::RegRoot::LocalMachine, key, "InstallLocation");
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!data || data->text != "C:\\Games\\Tidewater") {
      std::fprintf(stderr, "the uninstall entry was not found\n");
      return 1;
    }
    best = ms < best ? ms : best;
  }
  std::printf("system.reg: %.1f MB, %ld keys; uninstall entry found in %.1f ms (best of 5)\n",
              static_cast<double>(size) / 1e6, keys, best);
  return 0;
}
