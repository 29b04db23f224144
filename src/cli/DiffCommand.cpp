// zpk diff: what changed between two archives, or between the archives of two folders.
// Entries are matched by their display name ("/" and "\" the same) and, for names that
// repeat, by their order of appearance. Equal lengths are compared by a hash of the bytes
// read through the range-checked copy-out; an entry that left under one name and came
// back under another with the same bytes is a rename.
#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <system_error>

#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "cli/Commands.h"
#include "cli/FileSystem.h"
#include "cli/Output.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct Side {
  archive::ArchiveFile file;
  archive::Catalogue catalogue;
};

std::optional<Side> Load(const fs::path& path) {
  auto file = archive::ArchiveFile::Open(path);
  if (!file) {
    ReportError("'" + path.string() + "': " + archive::Describe(file.error()));
    return std::nullopt;
  }
  auto catalogue = archive::ReadCatalogue(*file);
  if (!catalogue || catalogue->headerTruncated) {
    ReportError("'" + path.string() + "' is not an archive" +
                (catalogue ? ": shorter than the 260-byte header" : ": " + archive::Describe(catalogue.error())));
    return std::nullopt;
  }
  return Side{std::move(*file), std::move(*catalogue)};
}

// 64-bit FNV-1a with the length folded in; nothing when the bytes can't be read.
std::optional<std::uint64_t> Hash(Side& side, std::size_t k, bool& trouble) {
  std::uint64_t h = 14695981039346656037ull;
  const auto entry = *side.catalogue.entries.Slot(static_cast<std::int64_t>(k));
  const auto copied = archive::CopyResource(side.file, entry, [&](std::span<const std::byte> chunk) {
    for (const auto b : chunk) h = (h ^ std::to_integer<std::uint64_t>(b)) * 1099511628211ull;
    return true;
  });
  if (!copied) {
    ReportError(EntryLabel(k, DisplayNameUtf8(entry.Name)) + " in '" + side.file.Path().string() +
                "': " + archive::Describe(copied.error()));
    trouble = true;
    return std::nullopt;
  }
  return h ^ static_cast<std::uint64_t>(entry.Len);
}

// "name\0occurrence" for every slot, so that repeated names pair up in order.
std::map<std::string, std::size_t> Keys(const archive::EntryTable& entries) {
  std::map<std::string, std::size_t> keys;
  std::map<std::string, int> seen;
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const auto name = archive::ResourcePath(entries.NameAt(k), '/');
    keys.emplace(name + '\0' + std::to_string(seen[name]++), k);
  }
  return keys;
}

struct ArchiveDiff {
  Json json;
  std::size_t differences = 0;
};

ArchiveDiff DiffArchives(Side& a, Side& b, bool& trouble) {
  const auto& ea = a.catalogue.entries;
  const auto& eb = b.catalogue.entries;
  const auto keysA = Keys(ea), keysB = Keys(eb);
  Json added = Json::array(), removed = Json::array(), changed = Json::array(), renamed = Json::array();
  std::size_t same = 0;
  std::vector<std::size_t> gone, arrived;
  for (const auto& [key, k] : keysA) {
    const auto it = keysB.find(key);
    if (it == keysB.end()) {
      gone.push_back(k);
      continue;
    }
    const auto kb = it->second;
    const auto name = DisplayNameUtf8(ea.NameAt(k));
    if (ea.LenAt(k) != eb.LenAt(kb)) {
      changed.push_back({{"name", name}, {"index_a", k}, {"index_b", kb}, {"len_a", ea.LenAt(k)}, {"len_b", eb.LenAt(kb)}});
    } else if (const auto ha = Hash(a, k, trouble), hb = Hash(b, kb, trouble); ha && hb && *ha != *hb) {
      changed.push_back({{"name", name}, {"index_a", k}, {"index_b", kb}, {"len_a", ea.LenAt(k)}, {"len_b", eb.LenAt(kb)}});
    } else {
      ++same;
    }
  }
  for (const auto& [key, k] : keysB) {
    if (!keysA.contains(key)) arrived.push_back(k);
  }
  // Renames: a removed and an added entry holding the same bytes, each paired once.
  std::multimap<std::uint64_t, std::size_t> arrivedByHash;
  for (const auto k : arrived) {
    if (const auto h = Hash(b, k, trouble)) arrivedByHash.emplace(*h, k);
  }
  std::vector<bool> pairedB(eb.size() + 1, false);
  for (const auto k : gone) {
    const auto h = Hash(a, k, trouble);
    auto it = h ? arrivedByHash.find(*h) : arrivedByHash.end();
    if (it != arrivedByHash.end()) {
      renamed.push_back({{"from", DisplayNameUtf8(ea.NameAt(k))}, {"to", DisplayNameUtf8(eb.NameAt(it->second))},
                         {"index_a", k}, {"index_b", it->second}});
      pairedB[it->second] = true;
      arrivedByHash.erase(it);
    } else {
      removed.push_back({{"name", DisplayNameUtf8(ea.NameAt(k))}, {"index", k}});
    }
  }
  std::sort(arrived.begin(), arrived.end());
  for (const auto k : arrived) {
    if (!pairedB[k]) added.push_back({{"name", DisplayNameUtf8(eb.NameAt(k))}, {"index", k}});
  }
  ArchiveDiff diff;
  const bool idChanged = a.catalogue.header.ID != b.catalogue.header.ID;
  diff.differences = added.size() + removed.size() + changed.size() + renamed.size() + (idChanged ? 1 : 0);
  diff.json["id_changed"] = idChanged;
  diff.json["added"] = std::move(added);
  diff.json["removed"] = std::move(removed);
  diff.json["changed"] = std::move(changed);
  diff.json["renamed"] = std::move(renamed);
  diff.json["same"] = same;
  return diff;
}

void PrintText(const Json& d, const std::string& prefix, bool stat, Output& out) {
  if (stat) {
    out << prefix << std::to_string(d["added"].size()) << " added, " << std::to_string(d["removed"].size())
        << " removed, " << std::to_string(d["changed"].size()) << " changed, " << std::to_string(d["renamed"].size())
        << " renamed, " << std::to_string(d["same"].get<std::size_t>()) << " the same"
        << (d["id_changed"].get<bool>() ? ", ID changed" : "") << '\n';
    return;
  }
  if (d["id_changed"].get<bool>()) out << prefix << "ID changed\n";
  for (const auto& e : d["removed"]) out << prefix << "D  " << EscapeControls(e["name"].get<std::string>()) << '\n';
  for (const auto& e : d["added"]) out << prefix << "A  " << EscapeControls(e["name"].get<std::string>()) << '\n';
  for (const auto& e : d["changed"]) {
    out << prefix << "M  " << EscapeControls(e["name"].get<std::string>());
    if (e["len_a"] != e["len_b"]) {
      out << " (" << e["len_a"].get<std::int64_t>() << " -> " << e["len_b"].get<std::int64_t>() << " bytes)";
    }
    out << '\n';
  }
  for (const auto& e : d["renamed"]) {
    out << prefix << "R  " << EscapeControls(e["from"].get<std::string>()) << " -> "
        << EscapeControls(e["to"].get<std::string>()) << '\n';
  }
}

std::vector<std::string> ArchiveNames(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    auto ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".zpk" && it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

int RunDiff(const DiffArgs& args) {
  std::error_code ec;
  const bool folders = fs::is_directory(args.a, ec) && fs::is_directory(args.b, ec);
  if (!folders && (fs::is_directory(args.a, ec) || fs::is_directory(args.b, ec))) {
    ReportError("diff compares two archives or two folders, not one of each");
    return kExitFatal;
  }
  bool trouble = false;
  std::size_t differences = 0;
  Json result;
  result["a"] = args.a.string();
  result["b"] = args.b.string();
  Output out(1);
  if (!folders) {
    auto a = Load(args.a), b = Load(args.b);
    if (!a || !b) return kExitFatal;
    auto diff = DiffArchives(*a, *b, trouble);
    differences = diff.differences;
    for (auto& [key, value] : diff.json.items()) result[key] = value;
    if (!args.json) PrintText(diff.json, "", args.stat, out);
  } else {
    const auto namesA = ArchiveNames(args.a), namesB = ArchiveNames(args.b);
    result["removed_archives"] = Json::array();
    result["added_archives"] = Json::array();
    result["archives"] = Json::array();
    for (const auto& name : namesA) {
      if (!std::binary_search(namesB.begin(), namesB.end(), name)) {
        result["removed_archives"].push_back(name);
        if (!args.json) out << "D  " << name << '\n';
        ++differences;
        continue;
      }
      auto a = Load(args.a / PathFromUtf8(name)), b = Load(args.b / PathFromUtf8(name));
      if (!a || !b) {
        trouble = true;
        continue;
      }
      auto diff = DiffArchives(*a, *b, trouble);
      differences += diff.differences;
      if (!args.json && (diff.differences || args.stat)) PrintText(diff.json, name + ": ", args.stat, out);
      diff.json["archive"] = name;
      result["archives"].push_back(std::move(diff.json));
    }
    for (const auto& name : namesB) {
      if (!std::binary_search(namesA.begin(), namesA.end(), name)) {
        result["added_archives"].push_back(name);
        if (!args.json) out << "A  " << name << '\n';
        ++differences;
      }
    }
  }
  if (args.json) out << result.dump() << '\n';
  if (!out.Flush()) return kExitFatal;
  if (trouble) return kExitFatal;
  return differences ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
