// zpk info: what the window shows about an archive, plus the problems that make the
// entry count or the entries' ranges untrustworthy.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "cli/Commands.h"
#include "cli/FileSystem.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "cli/ProblemsJson.h"

namespace zpk::cli {

namespace {

// Last modification in local time, ISO 8601 with the UTC offset ("2026-03-01T14:05:09+01:00").
std::string ModificationTime(const std::string& path) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(PathFromUtf8(path), ec);
  if (ec) return {};
  const std::time_t when = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(
          std::chrono::file_clock::to_sys(written)));
  std::tm local{};
#ifdef _WIN32
  // The C runtime's strftime writes %z as a zone name; the offset is worked out instead.
  if (::localtime_s(&local, &when) != 0) return {};
  std::tm asUtc = local;
  const long offset = static_cast<long>(::_mkgmtime(&asUtc) - when) / 60;
  char zone[8];
  std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+',
                std::labs(offset) / 60, std::labs(offset) % 60);
  char text[40];
  const auto n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  if (n == 0) return {};
  return std::string(text, n) + zone;
#else
  if (!::localtime_r(&when, &local)) return {};
  char text[40];
  const auto n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  if (n < 5) return {};
  // strftime writes the offset as +0100; ISO 8601's extended form is +01:00.
  return std::string(text, n - 2) + ':' + std::string(text + n - 2, 2);
#endif
}

}  // namespace

int RunInfo(const ArchiveArgs& args) {
  auto opened = OpenArchive(args.archive, false);
  if (!opened) return kExitFatal;
  const auto& catalogue = opened->catalogue;
  const auto report = CheckArchive(catalogue, true);
  const auto id = IdUtf8(catalogue.header.ID);
  const auto modified = ModificationTime(args.archive);

  Output out(1);
  if (args.json) {
    nlohmann::ordered_json json;
    json["archive"] = args.archive;
    json["id"] = id;
    json["entry_count"] = catalogue.header.EntryCount;
    json["entries_held"] = catalogue.entries.size();
    json["file_size"] = catalogue.fileSize;
    json["modified"] = modified;
    json["problems"] = ProblemsJson(report.problems);
    out << json.dump() << '\n';
  } else {
    out << "Archive:       " << EscapeControls(args.archive) << '\n';
    out << "ID:            " << EscapeControls(id) << '\n';
    out << "Entry count:   " << std::int64_t{catalogue.header.EntryCount} << '\n';
    out << "Entries held:  " << static_cast<std::int64_t>(catalogue.entries.size()) << '\n';
    out << "File size:     " << static_cast<std::int64_t>(catalogue.fileSize) << " bytes\n";
    out << "Modified:      " << modified << '\n';
    if (report.problems.empty()) {
      out << "Problems:      none\n";
    } else {
      out << "Problems:      " << static_cast<std::int64_t>(report.problems.size()) << '\n';
      for (const auto& problem : report.problems) out << "  " << problem.message << '\n';
    }
  }
  return out.Flush() ? kExitOk : kExitSomeFailed;
}

}  // namespace zpk::cli
