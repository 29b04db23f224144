// The prefix search on many large prefixes: 50 Wine prefixes of the launchers a player may
// have, each with a 20 MB system.reg, only the last naming the game, so that every registry
// file is read to its end. Goal: the whole search in under 0.5 s, the files read in blocks
// (peak memory stays far below one file's size).
//
//   bench_locate [WORK_FOLDER]      (default /tmp/zpk-locate-bench; made once, then reused)
#include <fstream>
#include <iostream>

#include "BenchSupport.h"
#include "platform/GameFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPrefixes = 50;
constexpr std::size_t kRegistryBytes = 20u * 1024 * 1024;

// Keys and values in the shapes Wine writes, many megabytes of them.
std::string RegistryText(bool withGame) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
  for (int key = 0; text.size() < kRegistryBytes; ++key) {
    text += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(100000 + key) +
            "-0000-0000-C000-000000000046}\\\\InprocServer32] 1700000000\n#time=1d9a0b0c0d0e0f0\n";
    text += "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n";
    text += "\"Count\"=dword:0000001f\n\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,\\\n"
            "  0d,0e,0f,10,11,12,13,14,15,16,17,18\n\n";
  }
  if (withGame) {
    text += "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
            "{3B8D41C2-7A5E-4F09-9C61-D2E4A7F0B358}] 1700000000\n"
            "\"InstallLocation\"=\"C:\\\\Games\\\\Tidewater\"\n";
  }
  return text;
}

fs::path PrefixPlace(const fs::path& home, int i) {
  switch (i % 5) {
    case 0: return home / ".local/share/Steam/steamapps/compatdata" / std::to_string(1000 + i) / "pfx";
    case 1: return home / ".local/share/bottles/bottles" / ("bottle" + std::to_string(i));
    case 2: return home / "Games/Heroic/Prefixes" / ("game" + std::to_string(i));
    case 3: return home / ".PlayOnLinux/wineprefix" / ("p" + std::to_string(i));
    default: return home / "Games" / ("lutris" + std::to_string(i));
  }
}

void MakeHome(const fs::path& home) {
  if (fs::exists(home / "complete")) return;
  std::cout << "writing " << kPrefixes << " prefixes of " << kRegistryBytes / (1024 * 1024)
            << " MB into " << home << "...\n";
  const std::string plain = RegistryText(false);
  for (int i = 0; i < kPrefixes; ++i) {
    const fs::path prefix = PrefixPlace(home, i);
    fs::create_directories(prefix / "drive_c/Games/Tidewater");
    // The game is in the prefix searched last (PortProton comes after every other launcher).
    std::ofstream(prefix / "system.reg", std::ios::binary) << plain;
  }
  const fs::path last = home / ".local/share/PortWINE/PortProton/data/prefixes/DEFAULT";
  fs::create_directories(last / "drive_c/Games/Tidewater");
  std::ofstream(last / "system.reg", std::ios::binary) << RegistryText(true);
  std::ofstream(home / "complete") << "done\n";
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-locate-bench");
  const fs::path home = work / "home";
  MakeHome(home);
  const zpk::platform::PrefixSearchStart start{home, std::nullopt};
  std::cout << "prefixes: " << zpk::platform::FindWinePrefixes(start).size() << '\n';
  double best = 1e9;
  for (int run = 1; run <= 3; ++run) {
    const auto begin = zpk::bench::Clock::now();
    const auto found = zpk::platform::LocateGameFolders(start);
    const double ms = zpk::bench::MsSince(begin);
    best = std::min(best, ms);
    std::cout << "run " << run << ": " << ms << " ms, " << found.size() << " folder(s)"
              << (found.empty() ? "" : " in " + found.front().launcher) << '\n';
  }
  std::cout << "best " << best << " ms (goal < 500 ms), peak memory " << zpk::bench::PeakKiB()
            << " KiB\n";
  return 0;
}
