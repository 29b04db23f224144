// zpk info: what the window shows about an archive, plus the problems that make the
// entry count or the entries' ranges untrustworthy.
#include <sys/stat.h>

#include <ctime>

#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "cli/ProblemsJson.h"

namespace zpk::cli {

namespace {

// Last modification in local time, ISO 8601 with the UTC offset ("2026-03-01T14:05:09+01:00").
std::string ModificationTime(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  std::tm local{};
  if (!::localtime_r(&info.st_mtime, &local)) return {};
  char text[40];
  const auto n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  if (n < 5) return {};
  // strftime writes the offset as +0100; ISO 8601's extended form is +01:00.
  return std::string(text, n - 2) + ':' + std::string(text + n - 2, 2);
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
