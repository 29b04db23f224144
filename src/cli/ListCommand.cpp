// zpk list: the directory in its own order, as an aligned table or as JSON. Written
// through one large buffer: a million rows must not cost a million writes.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "archive/Kind.h"
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

// Kind names are at most five letters; an entry outside the file shows "-".
constexpr std::size_t kKindWidth = 5;

std::optional<archive::Kind> KindAt(OpenedArchive& opened, std::size_t k) {
  const auto kind = archive::ReadKind(opened.file, *opened.catalogue.entries.Slot(static_cast<std::int64_t>(k)));
  if (!kind) return std::nullopt;
  return *kind;
}

bool Wanted(const std::optional<archive::Kind>& kind, const std::optional<archive::Kind>& filter) {
  return !filter || kind == filter;
}

void ListText(OpenedArchive& opened, const std::optional<archive::Kind>& filter, Output& out) {
  const auto& entries = opened.catalogue.entries;
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
  out << "Len  Kind   Name\n";
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const auto kind = KindAt(opened, k);
    if (!Wanted(kind, filter)) continue;
    out.Padded(static_cast<std::int64_t>(k), indexWidth);
    out << "  ";
    out.Padded(entries.PosAt(k), posWidth);
    out << "  ";
    out.Padded(entries.LenAt(k), lenWidth);
    out << "  ";
    const std::string_view kindName = kind ? archive::KindName(*kind) : "-";
    out.Padded(kindName, kKindWidth + 2);
    WriteName(entries.NameAt(k), out);
    out << '\n';
  }
}

void ListJson(const std::string& archivePath, OpenedArchive& opened,
              const std::optional<archive::Kind>& filter, Output& out) {
  const auto& catalogue = opened.catalogue;
  // Written piece by piece: one JSON value per entry keeps memory flat for big directories.
  const auto& entries = catalogue.entries;
  out << "{\"archive\":" << nlohmann::json(archivePath).dump()
      << ",\"id\":" << nlohmann::json(IdUtf8(catalogue.header.ID)).dump()
      << ",\"entry_count\":" << std::int64_t{catalogue.header.EntryCount} << ",\"entries\":[";
  bool first = true;
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const auto kind = KindAt(opened, k);
    if (!Wanted(kind, filter)) continue;
    if (!first) out << ',';
    first = false;
    const auto slot = *entries.Slot(static_cast<std::int64_t>(k));
    out << "{\"index\":" << static_cast<std::int64_t>(k)
        << ",\"name\":" << nlohmann::json(DisplayNameUtf8(slot.Name)).dump()
        << ",\"pos\":" << std::int64_t{slot.Pos} << ",\"len\":" << std::int64_t{slot.Len}
        << ",\"field3\":" << std::int64_t{slot.Field3} << ",\"field4\":" << std::int64_t{slot.Field4}
        << ",\"field5\":" << std::int64_t{slot.Field5} << ",\"kind\":"
        << (kind ? nlohmann::json(archive::KindName(*kind)).dump() : std::string("null")) << '}';
  }
  out << "]}\n";
}

}  // namespace

int RunList(const ListArgs& args) {
  auto opened = OpenArchive(args.archive, true);
  if (!opened) return kExitFatal;
  WarnTruncatedDirectory(opened->catalogue);
  Output out(1);
  if (args.json) {
    ListJson(args.archive, *opened, args.kind, out);
  } else {
    ListText(*opened, args.kind, out);
  }
  if (!out.Flush()) return kExitSomeFailed;
  return opened->catalogue.directoryTruncated ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
