#include "platform/WinePrefixSearch.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <system_error>

#include "platform/VdfFile.h"

namespace zpk::platform {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> EnvironmentFolder(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return fs::path(value);
}

// The folders inside folder (links to folders count), in no particular order; nothing when
// it can't be read or holds more than kMostFolderEntries entries.
std::vector<fs::path> SubFolders(const fs::path& folder) {
  std::vector<fs::path> result;
  std::error_code error;
  std::size_t seen = 0;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (++seen > kMostFolderEntries) return {};
    std::error_code typeError;
    if (it->is_directory(typeError)) result.push_back(it->path());
  }
  return result;
}

// The files inside folder whose names end in extension; the same limits as SubFolders.
std::vector<fs::path> FilesEndingIn(const fs::path& folder, std::string_view extension) {
  std::vector<fs::path> result;
  std::error_code error;
  std::size_t seen = 0;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (++seen > kMostFolderEntries) return {};
    std::error_code typeError;
    if (it->path().filename().string().ends_with(extension) && it->is_regular_file(typeError)) {
      result.push_back(it->path());
    }
  }
  return result;
}

// The whole file when it is a regular file of at most limit bytes.
std::optional<std::string> ReadSmallFile(const fs::path& path, std::uintmax_t limit) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size > limit) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// Collects the prefixes of one launcher at a time and keeps the order rules.
class PrefixList {
 public:
  // Candidates of one launcher: those holding system.reg, newest system.reg first.
  void AddLauncher(const std::string& launcher, const std::vector<fs::path>& candidates) {
    struct Found {
      fs::path prefix;
      fs::file_time_type changed;
    };
    std::vector<Found> found;
    for (const fs::path& candidate : candidates) {
      std::error_code error;
      const fs::path registry = candidate / "system.reg";
      if (!fs::is_regular_file(registry, error)) continue;
      const auto changed = fs::last_write_time(registry, error);
      if (error) continue;
      const fs::path real = fs::canonical(candidate, error);
      if (error || !seen_.insert(real).second) continue;
      found.push_back({candidate, changed});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.changed > b.changed; });
    for (Found& f : found) places_.push_back({std::move(f.prefix), launcher});
  }

  std::vector<WinePrefixPlace> Take() { return std::move(places_); }

 private:
  std::set<fs::path> seen_;
  std::vector<WinePrefixPlace> places_;
};

std::vector<fs::path> SteamPrefixes(const fs::path& home) {
  std::vector<fs::path> libraries;
  std::set<fs::path> seenLibraries;
  const auto addLibrary = [&](const fs::path& library) {
    std::error_code error;
    const fs::path real = fs::canonical(library, error);
    if (!error && fs::is_directory(real, error) && seenLibraries.insert(real).second) {
      libraries.push_back(library);
    }
  };
  const fs::path roots[] = {home / ".steam" / "steam", home / ".local" / "share" / "Steam",
                            home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" /
                                "share" / "Steam"};
  for (const fs::path& root : roots) {
    addLibrary(root);
    const auto vdf = ReadSmallFile(root / "steamapps" / "libraryfolders.vdf", kLargestVdfFile);
    if (!vdf) continue;
    for (const fs::path& library : SteamLibraryPaths(*vdf)) addLibrary(library);
  }
  std::vector<fs::path> prefixes;
  for (const fs::path& library : libraries) {
    for (const fs::path& app : SubFolders(library / "steamapps" / "compatdata")) {
      prefixes.push_back(app / "pfx");
    }
  }
  return prefixes;
}

std::vector<fs::path> LutrisCandidates(const fs::path& home) {
  std::vector<fs::path> prefixes;
  for (const fs::path& games : {home / ".config" / "lutris" / "games",
                                home / ".local" / "share" / "lutris" / "games"}) {
    for (const fs::path& file : FilesEndingIn(games, ".yml")) {
      const auto text = ReadSmallFile(file, kLargestLutrisFile);
      if (!text) continue;
      for (fs::path& prefix : LutrisPrefixes(*text, home)) prefixes.push_back(std::move(prefix));
    }
  }
  for (fs::path& folder : SubFolders(home / "Games")) prefixes.push_back(std::move(folder));
  return prefixes;
}

std::vector<fs::path> Concat(std::vector<fs::path> a, const std::vector<fs::path>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

PrefixSearchStart PrefixSearchStartFromEnvironment() {
  return {EnvironmentFolder("HOME"), EnvironmentFolder("WINEPREFIX")};
}

std::vector<fs::path> SteamLibraryPaths(const std::string& vdfText) {
  std::vector<fs::path> paths;
  for (const VdfPair& top : ParseVdf(vdfText)) {
    for (const VdfPair& library : top.children) {
      if (library.isBlock) {
        const VdfPair* path = library.Find("path");
        if (path && !path->isBlock && !path->text.empty()) paths.emplace_back(path->text);
      } else if (!library.key.empty() &&
                 std::all_of(library.key.begin(), library.key.end(),
                             [](char c) { return c >= '0' && c <= '9'; }) &&
                 !library.text.empty()) {
        paths.emplace_back(library.text);
      }
    }
  }
  std::erase_if(paths, [](const fs::path& p) { return !p.is_absolute(); });
  return paths;
}

std::vector<WinePrefixPlace> FindWinePrefixes(const PrefixSearchStart& start) {
  PrefixList list;
  if (start.winePrefix) list.AddLauncher("WINEPREFIX", {*start.winePrefix});
  if (!start.home) return list.Take();
  const fs::path& home = *start.home;
  list.AddLauncher("Wine", {home / ".wine"});
  list.AddLauncher("Steam", SteamPrefixes(home));
  list.AddLauncher("Lutris", LutrisCandidates(home));
  list.AddLauncher("Bottles",
                   Concat(SubFolders(home / ".local" / "share" / "bottles" / "bottles"),
                          SubFolders(home / ".var" / "app" / "com.usebottles.bottles" / "data" /
                                     "bottles" / "bottles")));
  const fs::path heroic = home / "Games" / "Heroic" / "Prefixes";
  list.AddLauncher("Heroic", Concat(SubFolders(heroic), SubFolders(heroic / "default")));
  list.AddLauncher("PlayOnLinux", SubFolders(home / ".PlayOnLinux" / "wineprefix"));
  list.AddLauncher("PortProton", SubFolders(home / ".local" / "share" / "PortWINE" /
                                            "PortProton" / "data" / "prefixes"));
  return list.Take();
}

}  // namespace zpk::platform
