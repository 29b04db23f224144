// Generates the inputs of bench/run_cli_bench.sh:
//
//   bench_cli_data extract FOLDER [FILES] [TOTAL_MIB]
//       FOLDER/extract.zpk holding FILES resources (default 20,000, about 1 GB in all) and
//       FOLDER/files/ holding the same files, byte for byte, for `tar -cf` and `cp -r`
//   bench_cli_data list FOLDER [ENTRIES]
//       FOLDER/list.zpk with ENTRIES (default 1,000,000) empty resources and FOLDER/list.tar,
//       a ustar archive of empty members with the same names
//
// Files already there are left as they are, so repeated runs measure, not generate.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace fs = std::filesystem;
using namespace zpk::bench;

namespace {

std::string ResourceName(long i) {
  char name[96];
  std::snprintf(name, sizeof name, "gfx/set_%03ld/res_%06ld.bin", i % 200, i);
  return name;
}

// Sizes from 1 KiB up to about twice the mean, so that small and large files mix.
std::int64_t ResourceSize(long i, std::int64_t mean) {
  const std::int64_t step = (2 * mean - 1024) / 97;
  return 1024 + (i * 37 % 97) * step;
}

int MakeExtractData(const fs::path& folder, long count, std::int64_t totalMiB) {
  const auto zpk = folder / "extract.zpk";
  const auto files = folder / "files";
  if (fs::exists(zpk) && fs::exists(files)) return 0;
  const std::int64_t mean = totalMiB * 1048576 / count;
  zpk::tools::ArchiveWriter writer("BENCH EXTRACT");
  std::vector<char> data;
  for (long i = 0; i < count; ++i) {
    zpk::tools::WriterEntry entry;
    entry.name = ResourceName(i);
    entry.patternSize = ResourceSize(i, mean);
    writer.Add(std::move(entry));

    const auto path = files / ResourceName(i);
    fs::create_directories(path.parent_path());
    data.resize(static_cast<std::size_t>(ResourceSize(i, mean)));
    for (std::size_t j = 0; j < data.size(); ++j) data[j] = static_cast<char>(zpk::tools::PatternByte(j));
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
  }
  return writer.WriteFile(zpk) ? 0 : 1;
}

int MakeListData(const fs::path& folder, long count) {
  const auto zpk = folder / "list.zpk";
  const auto tar = folder / "list.tar";
  if (!fs::exists(zpk) && !WriteManyResources(zpk, "BENCH LIST", count, 0, ResourceName)) return 1;
  if (!fs::exists(tar)) {
    std::ofstream out(tar, std::ios::binary);
    for (long i = 0; i < count; ++i) WriteTarHeader(out, ResourceName(i));
    WriteTarEnd(out);
    if (!out) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_cli_data extract FOLDER [FILES] [TOTAL_MIB]\n"
                         "       bench_cli_data list FOLDER [ENTRIES]\n");
    return 2;
  }
  const std::string what = argv[1];
  const fs::path folder = argv[2];
  fs::create_directories(folder);
  if (what == "extract") {
    return MakeExtractData(folder, argc > 3 ? std::atol(argv[3]) : 20000,
                           argc > 4 ? std::atol(argv[4]) : 1000);
  }
  if (what == "list") return MakeListData(folder, argc > 3 ? std::atol(argv[3]) : 1000000);
  std::fprintf(stderr, "unknown data set '%s'\n", what.c_str());
  return 2;
}
