#include "cli/App.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <new>

#include "cli/Commands.h"
#include "cli/FileSystem.h"
#include "cli/Output.h"

namespace zpk::cli {

namespace {

constexpr const char* kEntryHelp =
    "entries to use: a name as listed (\"/\" and \"\\\" count as the same) or #N for the "
    "N-th entry; all when none is given. Put -- before names that begin with '-'";

constexpr const char* kInflateHelp =
    "write entries of kind zlib unpacked (a corrupt or truncated stream fails that entry); "
    "other entries are written unchanged";

void AddArchive(CLI::App& command, std::string& archive) {
  command.add_option("ARCHIVE", archive, "the .zpk archive to read (it is never changed)")
      ->required();
}

void AddJson(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "write JSON instead of text");
}

void AddKindFilter(CLI::App& command, std::optional<archive::Kind>& kind) {
  command
      .add_option_function<std::string>(
          "--kind", [&kind](const std::string& name) { kind = archive::KindFromName(name); },
          "only entries of this kind, told from their first bytes: " +
              std::string(archive::AllKindNames()))
      ->check([](const std::string& name) {
        return archive::KindFromName(name) ? std::string() : "unknown kind '" + name + "'";
      });
}

// A path option: its text is UTF-8 on every system (main.cpp sees to it on Windows), which
// std::filesystem::path would read in the ANSI code page there.
CLI::Option* AddPath(CLI::App& command, const std::string& name, std::filesystem::path& path,
                     const std::string& help) {
  return command.add_option_function<std::string>(
      name, [&path](const std::string& text) { path = PathFromUtf8(text); }, help);
}

void AddGame(CLI::App& command, bool& game) {
  command.add_flag("--game", game,
                   "ARCHIVE is below the game's folder, as 'zpk locate' finds it first");
}

}  // namespace

int Main(int argc, char** argv) {
  CLI::App app{"Looks into Tidewater resource archives (*.zpk) and extracts their entries.\n"
               "Exit status: 0 all done, 1 some entries skipped or failed, 2 usage error or "
               "unreadable archive.",
               "zpk"};
  app.set_version_flag("--version", "zpk " ZPK_VERSION);
  // On Windows CLI11 would also take "/name" for an option, and so a path written with
  // forward slashes ("/games/data.zpk", as Wine users do) for an unknown option. Set before
  // the subcommands are added, which copy it.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);
  app.fallthrough(false);

  ArchiveArgs info, check;
  ListArgs list;
  SelectArgs probe;
  std::string catArchive, catEntry;
  bool catInflate = false;
  ExtractArgs extract;
  bool infoGame = false, listGame = false, extractGame = false, locateJson = false;

  auto* infoCmd = app.add_subcommand("info", "identification, entry counts, size, date and problems");
  AddJson(*infoCmd, info.json);
  AddGame(*infoCmd, infoGame);
  AddArchive(*infoCmd, info.archive);

  auto* listCmd = app.add_subcommand("list", "the entries in directory order, with each one's kind");
  AddJson(*listCmd, list.json);
  AddKindFilter(*listCmd, list.kind);
  AddGame(*listCmd, listGame);
  AddArchive(*listCmd, list.archive);

  auto* probeCmd = app.add_subcommand("probe", "whether entries look encrypted (\"Encrypted!\" or \"Probably Ok\")");
  AddJson(*probeCmd, probe.json);
  AddArchive(*probeCmd, probe.archive);
  probeCmd->add_option("ENTRY", probe.entries, kEntryHelp);

  auto* catCmd = app.add_subcommand("cat", "an entry's stored bytes, unchanged, to standard output");
  catCmd->add_flag("--inflate", catInflate, kInflateHelp);
  AddArchive(*catCmd, catArchive);
  catCmd->add_option("ENTRY", catEntry, "the entry: a name as listed or #N")->required();

  auto* checkCmd = app.add_subcommand("check", "why an archive is suspect; exit 1 when problems are found");
  AddJson(*checkCmd, check.json);
  AddArchive(*checkCmd, check.archive);

  auto* extractCmd = app.add_subcommand("extract", "write entries to files below a folder");
  AddPath(*extractCmd, "-C,--directory", extract.dir, "folder to write below (default: the current folder)");
  extractCmd->add_flag("--overwrite", extract.overwrite, "replace files that exist");
  auto* verbose = extractCmd->add_flag("-v,--verbose", extract.verbose, "print each path written");
  extractCmd->add_flag("-q,--quiet", extract.quiet, "print errors only")->excludes(verbose);
  AddGame(*extractCmd, extractGame);
  AddArchive(*extractCmd, extract.archive);
  auto* manifest = AddPath(
      *extractCmd, "--manifest", extract.manifest,
      "also write FILE: order, names, fields and ID of what was extracted, for "
      "'zpk create --manifest' (FILE must lie in the folder or above it)");
  extractCmd->add_flag("--inflate", extract.inflate, kInflateHelp)->excludes(manifest);
  extractCmd->add_option("ENTRY", extract.entries, kEntryHelp);

  FindArgs find;
  auto* findCmd = app.add_subcommand(
      "find", "entries matching a pattern in every *.zpk archive of a folder, as ARCHIVE:INDEX:NAME; "
              "exit 1 when nothing matches or an archive can't be read");
  AddJson(*findCmd, find.json);
  findCmd->add_flag("-i,--ignore-case", find.ignoreCase, "letters match in either case");
  AddKindFilter(*findCmd, find.kind);
  findCmd->add_flag("--game", find.game, "search the game's folder, as 'zpk locate' finds it first, "
                                         "instead of FOLDER");
  findCmd->add_option("PATTERN FOLDER", find.positional,
                      "PATTERN: * any run of characters (folders included), ? one character, [a-z] "
                      "a set, [!a-z] its complement; \"/\" and \"\\\" are the same. It may be "
                      "left out with --kind. FOLDER: the folder whose archives are searched")
      ->expected(0, 2);

  DiffArgs diff;
  auto* diffCmd = app.add_subcommand(
      "diff", "entries added (A), removed (D), changed (M) or renamed with the same bytes (R) between "
              "two archives or the archives of two folders; exit 0 same, 1 different, 2 trouble");
  AddJson(*diffCmd, diff.json);
  diffCmd->add_flag("--stat", diff.stat, "only the counts of each kind of change");
  AddPath(*diffCmd, "A", diff.a, "the archive (or folder) before")->required();
  AddPath(*diffCmd, "B", diff.b, "the archive (or folder) after")->required();

  CreateArgs create;
  std::string createId;
  auto* createCmd = app.add_subcommand(
      "create", "a new archive from a folder (names are the sorted relative paths with \\ "
                "between levels) or from a manifest written by 'extract --manifest'");
  createCmd->add_option("--id", createId, "the header's ID text (at most 256 bytes of Windows-1252)");
  AddPath(*createCmd, "--manifest", create.manifest, "take order, names, fields, ID and files from FILE");
  createCmd->add_flag("--overwrite", create.overwrite, "replace OUT if it exists");
  createCmd->add_flag("-q,--quiet", create.quiet, "print errors only (no progress bar)");
  AddPath(*createCmd, "OUT", create.out, "the archive to write (under a temporary name, then renamed)")
      ->required();
  AddPath(*createCmd, "FOLDER", create.folder, "the folder whose files go into the archive");

  auto* locateCmd = app.add_subcommand(
      "locate", "the game's folders in the Wine prefixes (folder, launcher, prefix per line); "
                "exit 1 when none is found");
  AddJson(*locateCmd, locateJson);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    ReportError(std::string(e.what()) + "\nRun 'zpk --help' or 'zpk COMMAND --help' for usage.");
    return kExitFatal;
  }

  try {
    if ((infoGame && !UseGameFolder(info.archive)) || (listGame && !UseGameFolder(list.archive)) ||
        (extractGame && !UseGameFolder(extract.archive))) {
      return kExitFatal;
    }
    if (*locateCmd) return RunLocate(locateJson);
    if (*infoCmd) return RunInfo(info);
    if (*listCmd) return RunList(list);
    if (*probeCmd) return RunProbe(probe);
    if (*catCmd) return RunCat(catArchive, catEntry, catInflate);
    if (*checkCmd) return RunCheck(check);
    if (*findCmd) return RunFind(find);
    if (*diffCmd) return RunDiff(diff);
    if (*createCmd) {
      if (createCmd->count("--id")) create.id = createId;
      return RunCreate(create);
    }
    if (*extractCmd) return RunExtract(extract);
  } catch (const std::bad_alloc&) {
    ReportError("out of memory");
    return kExitFatal;
  } catch (const std::exception& e) {
    ReportError(std::string("internal error: ") + e.what());
    return kExitFatal;
  }
  return kExitFatal;
}

}  // namespace zpk::cli
