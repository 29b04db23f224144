// The Lutris part of the prefix search, on yaml-cpp (which reports bad YAML by throwing:
// every exception stays in here). Lutris is a launcher for Linux only; the Windows build
// has neither it nor yaml-cpp, and no Lutris file names a prefix there.
#include "platform/WinePrefixSearch.h"

#ifndef _WIN32
#include <yaml-cpp/yaml.h>
#endif

namespace zpk::platform {

namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

std::optional<fs::path> PrefixValue(const YAML::Node& map, const fs::path& home) {
  // A key that is not there gives a node that throws when asked its type.
  if (!map.IsDefined() || !map.IsMap()) return std::nullopt;
  const YAML::Node prefix = map["prefix"];
  if (!prefix.IsDefined() || !prefix.IsScalar()) return std::nullopt;
  const std::string text = prefix.Scalar();
  if (text == "~") return home;
  if (text.starts_with("~/")) return home / text.substr(2);
  if (text.empty() || text.front() != '/') return std::nullopt;
  return fs::path(text);
}

}  // namespace

std::vector<fs::path> LutrisPrefixes(const std::string& yamlText, const fs::path& home) {
  std::vector<fs::path> prefixes;
  try {
    const YAML::Node document = YAML::Load(yamlText);
    if (!document.IsMap()) return prefixes;
    if (auto prefix = PrefixValue(document["game"], home)) prefixes.push_back(std::move(*prefix));
    if (auto prefix = PrefixValue(document, home)) prefixes.push_back(std::move(*prefix));
  } catch (const std::exception&) {
    // Not YAML, or not the shape of a game file: it names no prefix.
  }
  return prefixes;
}
#else
std::vector<fs::path> LutrisPrefixes(const std::string&, const fs::path&) { return {}; }
#endif

}  // namespace zpk::platform
