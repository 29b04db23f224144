// zpk probe: the two-byte verdict for each chosen entry, as the window shows it, beside
// the entry's kind told from its first bytes.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "archive/Kind.h"
#include "archive/Probe.h"
#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"

namespace zpk::cli {

int RunProbe(const SelectArgs& args) {
  auto opened = OpenArchive(args.archive, true);
  if (!opened) return kExitFatal;
  const auto& entries = opened->catalogue.entries;
  WarnTruncatedDirectory(opened->catalogue);
  const auto selection = SelectEntries(entries, args.entries);
  bool failed = selection.unmatched > 0 || opened->catalogue.directoryTruncated;

  Output out(1);
  const auto indexWidth = DecimalWidth(static_cast<std::int64_t>(entries.size()));
  if (args.json) out << "{\"archive\":" << nlohmann::json(args.archive).dump() << ",\"entries\":[";
  bool first = true;
  for (const auto k : selection.indices) {
    const auto entry = *entries.Slot(static_cast<std::int64_t>(k));
    const auto verdict = archive::ProbeEntry(opened->file, entry);
    if (!verdict) failed = true;
    const auto kind = archive::ReadKind(opened->file, entry);
    const std::string_view kindName = kind ? archive::KindName(*kind) : "-";
    const auto name = DisplayNameUtf8(entry.Name);
    if (args.json) {
      nlohmann::ordered_json item;
      item["index"] = k;
      item["name"] = name;
      item["verdict"] = verdict ? std::string(archive::VerdictText(*verdict)) : "unreadable";
      item["kind"] = kind ? nlohmann::ordered_json(kindName) : nlohmann::ordered_json();
      if (!verdict) item["reason"] = archive::Describe(verdict.error());
      out << (first ? "" : ",") << item.dump();
      first = false;
    } else {
      out.Padded(static_cast<std::int64_t>(k), indexWidth);
      out << "  ";
      out.Padded(kindName, 5);
      out << "  " << EscapeControls(name) << ": ";
      if (verdict) {
        out << archive::VerdictText(*verdict) << '\n';
      } else {
        out << "unreadable: " << archive::Describe(verdict.error()) << '\n';
      }
    }
  }
  if (args.json) out << "]}\n";
  if (!out.Flush()) return kExitSomeFailed;
  return failed ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
