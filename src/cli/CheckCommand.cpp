// zpk check: every structural reason to distrust an archive, and the data it covers.

#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "cli/ProblemsJson.h"

namespace zpk::cli {

namespace {

std::string Percent(std::uint64_t part, std::uint64_t whole) {
  if (whole == 0) return "100.0";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

}  // namespace

int RunCheck(const ArchiveArgs& args) {
  auto opened = OpenArchive(args.archive, false);
  if (!opened) return kExitFatal;
  const auto& catalogue = opened->catalogue;
  const auto report = CheckArchive(catalogue);

  Output out(1);
  if (args.json) {
    nlohmann::ordered_json json;
    json["archive"] = args.archive;
    json["clean"] = report.problems.empty();
    json["file_size"] = catalogue.fileSize;
    json["entry_count"] = catalogue.header.EntryCount;
    json["entries_held"] = catalogue.entries.size();
    json["data_bytes"] = report.dataBytes;
    json["covered_bytes"] = report.coveredBytes;
    json["problems"] = ProblemsJson(report.problems);
    out << json.dump() << '\n';
  } else {
    for (const auto& problem : report.problems) {
      out << ProblemKindName(problem.kind) << ": " << problem.message << '\n';
    }
    out << EscapeControls(args.archive) << ": "
        << static_cast<std::int64_t>(catalogue.entries.size()) << " entries, "
        << static_cast<std::int64_t>(report.problems.size()) << " problems; entries cover "
        << static_cast<std::int64_t>(report.coveredBytes) << " of "
        << static_cast<std::int64_t>(report.dataBytes) << " data bytes ("
        << Percent(report.coveredBytes, report.dataBytes) << "%)\n";
  }
  if (!out.Flush()) return kExitSomeFailed;
  return report.problems.empty() ? kExitOk : kExitSomeFailed;
}

}  // namespace zpk::cli
