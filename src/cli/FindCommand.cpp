// zpk find: which archives of a folder hold entries whose name matches a pattern (or that
// are of a kind), printed as ARCHIVE:INDEX:NAME like grep. The directories are scanned
// record by record without building entry tables, so a game's worth of archives takes a
// fraction of a second; only --kind reads the entries' first bytes.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <system_error>

#include "archive/Cp1252.h"
#include "archive/DirectoryScan.h"
#include "archive/Kind.h"
#include "cli/Commands.h"
#include "cli/FileSystem.h"
#include "cli/Glob.h"
#include "cli/Output.h"
#include "util/PathUtils.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;

// The folder's "*.zpk" files (the extension in any case, as on Windows), sorted by name.
std::expected<std::vector<fs::path>, std::string> ArchivesIn(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return std::unexpected("'" + folder.string() + "' is not a folder");
  std::vector<fs::path> archives;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    auto ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".zpk" && it->is_regular_file(ec)) archives.push_back(it->path());
  }
  if (ec) return std::unexpected("can't read the folder '" + folder.string() + "': " + ec.message());
  std::sort(archives.begin(), archives.end());
  return archives;
}

}  // namespace

int RunFind(const FindArgs& args) {
  auto positional = args.positional;
  if (args.game) {
    if (positional.size() > 1) {
      ReportError("--game takes the place of FOLDER\nRun 'zpk find --help' for usage.");
      return kExitFatal;
    }
    const auto folder = GameFolder();
    if (!folder) return kExitFatal;
    positional.push_back(folder->string());
  }
  // With --kind the pattern may be left out: "zpk find --kind png FOLDER".
  const bool patternGiven = positional.size() == 2;
  if (positional.empty() || (!patternGiven && !args.kind)) {
    ReportError("find needs a PATTERN and a FOLDER\nRun 'zpk find --help' for usage.");
    return kExitFatal;
  }
  const auto pattern = archive::Utf8ToCp1252(patternGiven ? positional[0] : "*");
  if (!pattern) {
    ReportError("the pattern has a character that Windows-1252 can't hold");
    return kExitFatal;
  }
  const Glob glob(*pattern, args.ignoreCase);
  const fs::path folder = PathFromUtf8(positional.back());
  const auto archives = ArchivesIn(folder);
  if (!archives) {
    ReportError(archives.error());
    return kExitFatal;
  }

  Output out(1);
  bool problems = false, found = false, first = true;
  if (args.json) out << "{\"folder\":" << nlohmann::json(folder.string()).dump() << ",\"matches\":[";
  for (const auto& path : *archives) {
    auto file = archive::ArchiveFile::Open(path);
    if (!file) {
      ReportError("'" + path.string() + "': " + archive::Describe(file.error()));
      problems = true;
      continue;
    }
    const auto shown = path.string();
    const auto scanned = archive::ScanDirectory(*file, [&](const archive::EntryView& e) {
      if (!glob.Matches(util::TrimSpaces(e.name))) return true;
      std::optional<archive::Kind> kind;
      if (args.kind) {
        const auto read = archive::ReadKind(*file, {std::string(e.name), e.Pos, e.Len, e.Field3, e.Field4, e.Field5});
        if (!read || *read != *args.kind) return true;
        kind = *read;
      }
      found = true;
      const auto name = DisplayNameUtf8(e.name);
      if (args.json) {
        out << (first ? "" : ",") << "{\"archive\":" << nlohmann::json(shown).dump()
            << ",\"index\":" << static_cast<std::int64_t>(e.index) << ",\"name\":" << nlohmann::json(name).dump()
            << ",\"pos\":" << std::int64_t{e.Pos} << ",\"len\":" << std::int64_t{e.Len};
        if (kind) out << ",\"kind\":" << nlohmann::json(archive::KindName(*kind)).dump();
        out << '}';
        first = false;
      } else {
        out << shown << ':' << static_cast<std::int64_t>(e.index) << ':' << EscapeControls(name) << '\n';
      }
      return true;
    });
    if (!scanned) {
      ReportError("'" + shown + "': " + archive::Describe(scanned.error()));
      problems = true;
    } else if (scanned->headerTruncated) {
      ReportError("'" + shown + "' is not an archive: shorter than the 260-byte header");
      problems = true;
    } else if (scanned->directoryTruncated) {
      ReportError("warning: '" + shown + "': the header counts " + std::to_string(scanned->header.EntryCount) +
                  " entries, but the file holds only " + std::to_string(scanned->entriesRead));
      problems = true;
    }
  }
  if (args.json) out << "]}\n";
  if (!out.Flush()) return kExitSomeFailed;
  return found && !problems ? kExitOk : kExitSomeFailed;
}

}  // namespace zpk::cli
