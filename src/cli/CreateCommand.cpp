// zpk create: a new archive from a folder (names are the relative paths with "\" as the
// separator, as the game writes them, sorted by their bytes) or from a manifest (its
// order, names, fields and ID exactly).
#include <algorithm>
#include <memory>
#include <system_error>

#include "archive/Cp1252.h"
#include "cli/ArchiveBuild.h"
#include "cli/Commands.h"
#include "cli/Manifest.h"
#include "cli/Output.h"
#include "cli/ProgressBar.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;

// The entries for every regular file below folder. Links are neither followed nor taken:
// an archive is a copy of files, and a link's target may lie anywhere.
std::expected<std::vector<BuildEntry>, std::string> FolderEntries(const fs::path& folder, bool& skipped) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return std::unexpected("'" + folder.string() + "' is not a folder");
  std::vector<BuildEntry> entries;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto status = it->symlink_status(ec);
    if (ec) break;
    if (fs::is_directory(status)) continue;
    const auto relative = it->path().lexically_relative(folder);
    if (!fs::is_regular_file(status)) {
      ReportError("'" + relative.string() + "' is not a regular file: left out");
      skipped = true;
      continue;
    }
    std::string utf8;
    for (const auto& level : relative) utf8 += (utf8.empty() ? "" : "\\") + level.string();
    auto name = archive::Utf8ToCp1252(utf8);
    if (!name) return std::unexpected("name '" + utf8 + "' has a character that Windows-1252 can't hold");
    entries.push_back({std::move(*name), it->path()});
  }
  if (ec) return std::unexpected("can't read the folder '" + folder.string() + "': " + ec.message());
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

}  // namespace

int RunCreate(const CreateArgs& args) {
  if (args.folder.empty() == args.manifest.empty()) {
    ReportError("create needs a FOLDER or --manifest FILE, not both\nRun 'zpk create --help' for usage.");
    return kExitFatal;
  }
  std::vector<BuildEntry> entries;
  BuildOptions options;
  bool skipped = false;
  if (!args.manifest.empty()) {
    auto manifest = ReadManifest(args.manifest);
    if (!manifest) {
      ReportError(manifest.error());
      return kExitFatal;
    }
    options.id = std::move(manifest->id);
    for (auto& e : manifest->entries) entries.push_back({std::move(e.name), std::move(e.file), e.field3, e.field4, e.field5});
  } else {
    auto found = FolderEntries(args.folder, skipped);
    if (!found) {
      ReportError(found.error());
      return kExitFatal;
    }
    entries = std::move(*found);
  }
  if (args.id) {
    auto id = archive::Utf8ToCp1252(*args.id);
    if (!id) {
      ReportError("the ID has a character that Windows-1252 can't hold");
      return kExitFatal;
    }
    options.id = std::move(*id);
  }
  options.replaceExisting = args.overwrite;
  // The total is known once the build has planned every file.
  std::unique_ptr<ProgressBar> shown;
  options.progress = [&](std::uint64_t done, std::uint64_t total) {
    if (!shown && !args.quiet) shown = std::make_unique<ProgressBar>(total, true);
    if (shown) shown->Update(done);
  };
  auto built = BuildArchive(args.out, entries, options);
  if (shown) shown->Finish();
  if (!built) {
    ReportError(built.error());
    return kExitFatal;
  }
  return skipped ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
