// The commands of the zpk tool. Each runs to its end and returns the process exit status:
// 0 all done, 1 done with some entries skipped or failed (or problems found by check),
// 2 usage error or the archive can't be read at all.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive/Kind.h"

namespace zpk::cli {

enum ExitStatus : int { kExitOk = 0, kExitSomeFailed = 1, kExitFatal = 2 };

struct ArchiveArgs {
  std::string archive;  // as the user gave it; JSON output repeats it
  bool json = false;
};

struct ListArgs : ArchiveArgs {
  std::optional<archive::Kind> kind;  // only entries of this kind
};

struct SelectArgs : ArchiveArgs {
  std::vector<std::string> entries;  // display names or "#N"; empty means all
};

struct ExtractArgs {
  std::string archive;
  std::vector<std::string> entries;
  std::filesystem::path dir = ".";
  bool overwrite = false;
  bool verbose = false;
  bool quiet = false;
  std::filesystem::path manifest;  // when set, a manifest of what was written goes here
  bool inflate = false;            // entries of kind zlib are written unpacked
};

struct FindArgs {
  std::vector<std::string> positional;  // [PATTERN] FOLDER
  std::optional<archive::Kind> kind;
  bool ignoreCase = false;
  bool json = false;
  bool game = false;  // the folder is the game's folder; positional holds at most PATTERN
};

struct DiffArgs {
  std::filesystem::path a, b;  // two archives or two folders of archives
  bool stat = false;
  bool json = false;
};

struct CreateArgs {
  std::filesystem::path out;
  std::filesystem::path folder;    // either a folder...
  std::filesystem::path manifest;  // ...or a manifest names the files
  std::optional<std::string> id;   // UTF-8; replaces the manifest's ID
  bool overwrite = false;
  bool quiet = false;
};

int RunInfo(const ArchiveArgs& args);
int RunList(const ListArgs& args);
int RunProbe(const SelectArgs& args);
// With inflate, an entry of kind zlib is written unpacked.
int RunCat(const std::string& archive, const std::string& entry, bool inflate);
int RunCheck(const ArchiveArgs& args);
int RunExtract(const ExtractArgs& args);
int RunCreate(const CreateArgs& args);
int RunFind(const FindArgs& args);
int RunDiff(const DiffArgs& args);

// Exit 0 when the game's folder was found in a Wine prefix, 1 when not.
int RunLocate(bool json);

// --game: archive, a path below the game's folder, becomes the path in the first folder
// that locate finds (a bare file name matched without regard to case). False, reported,
// when no folder is found.
bool UseGameFolder(std::string& archive);

// The first game folder that locate finds; nothing, reported, when there is none.
std::optional<std::filesystem::path> GameFolder();

}  // namespace zpk::cli
