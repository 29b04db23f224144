// zpk list: the directory in its own order, as an aligned table or as JSON. Written
// through one large buffer: a million rows must not cost a million writes.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "util/PathUtils.h"

namespace zpk::cli {

namespace {

// The display name as a listing shows it. Names of printable ASCII, nearly all of them,
// are written straight from the table without any conversion.
void WriteName(std::string_view rawName, Output& out) {
  const auto trimmed = util::TrimSpaces(rawName);
  const bool plain = std::all_of(trimmed.begin(), trimmed.end(),
                                 [](char c) { return c >= 0x20 && c < 0x7F; });
  if (plain) {
    out << trimmed;
  } else {
    out << EscapeControls(DisplayNameUtf8(rawName));
  }
}

void ListText(const archive::EntryTable& entries, Output& out) {
  std::size_t posWidth = 3, lenWidth = 3;
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    posWidth = std::max(posWidth, DecimalWidth(entries.PosAt(k)));
    lenWidth = std::max(lenWidth, DecimalWidth(entries.LenAt(k)));
  }
  const auto indexWidth = std::max<std::size_t>(5, DecimalWidth(static_cast<std::int64_t>(entries.size())));
  out.Padded("Index", indexWidth);
  out << "  ";
  for (auto w = std::size_t{3}; w < posWidth; ++w) out << ' ';
  out << "Pos  ";
  for (auto w = std::size_t{3}; w < lenWidth; ++w) out << ' ';
  out << "Len  Name\n";
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    out.Padded(static_cast<std::int64_t>(k), indexWidth);
    out << "  ";
    out.Padded(entries.PosAt(k), posWidth);
    out << "  ";
    out.Padded(entries.LenAt(k), lenWidth);
    out << "  ";
    WriteName(entries.NameAt(k), out);
    out << '\n';
  }
}

void ListJson(const std::string& archivePath, const archive::Catalogue& catalogue, Output& out) {
  // Written piece by piece: one JSON value per entry keeps memory flat for big directories.
  const auto& entries = catalogue.entries;
  out << "{\"archive\":" << nlohmann::json(archivePath).dump()
      << ",\"id\":" << nlohmann::json(IdUtf8(catalogue.header.ID)).dump()
      << ",\"entry_count\":" << std::int64_t{catalogue.header.EntryCount} << ",\"entries\":[";
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    if (k > 1) out << ',';
    const auto slot = *entries.Slot(static_cast<std::int64_t>(k));
    out << "{\"index\":" << static_cast<std::int64_t>(k)
        << ",\"name\":" << nlohmann::json(DisplayNameUtf8(slot.Name)).dump()
        << ",\"pos\":" << std::int64_t{slot.Pos} << ",\"len\":" << std::int64_t{slot.Len}
        << ",\"field3\":" << std::int64_t{slot.Field3} << ",\"field4\":" << std::int64_t{slot.Field4}
        << ",\"field5\":" << std::int64_t{slot.Field5} << '}';
  }
  out << "]}\n";
}

}  // namespace

int RunList(const ArchiveArgs& args) {
  auto opened = OpenArchive(args.archive, true);
  if (!opened) return kExitFatal;
  WarnTruncatedDirectory(opened->catalogue);
  Output out(1);
  if (args.json) {
    ListJson(args.archive, opened->catalogue, out);
  } else {
    ListText(opened->catalogue.entries, out);
  }
  if (!out.Flush()) return kExitSomeFailed;
  return opened->catalogue.directoryTruncated ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
