// zpk locate, and --game: the game's folders in the Wine prefixes of this machine.
#include <nlohmann/json.hpp>
#include <system_error>

#include "cli/Commands.h"
#include "cli/FileSystem.h"
#include "cli/Output.h"
#include "platform/AsciiText.h"
#include "platform/GameFolders.h"

namespace zpk::cli {

namespace fs = std::filesystem;

int RunLocate(bool json) {
  const auto found = platform::LocateGameFolders();
  Output out(1);
  if (json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& game : found) {
      list.push_back({{"folder", game.folder.string()},
                      {"prefix", game.prefix.string()},
                      {"launcher", game.launcher}});
    }
    nlohmann::ordered_json document;
    document["folders"] = std::move(list);
    out << document.dump() << '\n';
  } else {
    // Tab-separated, so that `cut -f1` gives the folders.
    for (const auto& game : found) {
      out << EscapeControls(game.folder.string()) << '\t' << game.launcher << '\t'
          << EscapeControls(game.prefix.string()) << '\n';
    }
  }
  if (!out.Flush()) return kExitSomeFailed;
  return found.empty() ? kExitSomeFailed : kExitOk;
}

std::optional<fs::path> GameFolder() {
  auto found = platform::LocateGameFolders();
  if (found.empty()) {
    ReportError("the game's folder was not found in any Wine prefix (see 'zpk locate')");
    return std::nullopt;
  }
  return std::move(found.front().folder);
}

bool UseGameFolder(std::string& archive) {
  const auto located = GameFolder();
  if (!located) return false;
  const fs::path& folder = *located;
  fs::path path = folder / PathFromUtf8(archive);
  std::error_code error;
  // The game was made on Windows, where DATA.ZPK and data.zpk are the same file.
  if (!fs::exists(path, error) && PathFromUtf8(archive).filename() == PathFromUtf8(archive)) {
    for (fs::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (platform::EqualIgnoringAsciiCase(it->path().filename().string(), archive)) {
        path = it->path();
        break;
      }
    }
  }
  archive = path.string();
  return true;
}

}  // namespace zpk::cli
