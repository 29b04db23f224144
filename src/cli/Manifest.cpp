#include "cli/Manifest.h"

#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <system_error>

#include "archive/Cp1252.h"
#include "cli/FileSystem.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;
constexpr int kVersion = 1;

std::expected<std::string, std::string> ToCp1252(const nlohmann::json& value, const std::string& what) {
  if (!value.is_string()) return std::unexpected(what + " is not a text");
  auto raw = archive::Utf8ToCp1252(value.get<std::string>());
  if (!raw) return std::unexpected(what + " has a character that Windows-1252 can't hold");
  return *raw;
}

std::expected<std::int32_t, std::string> Field(const nlohmann::json& entry, const char* key,
                                               const std::string& what) {
  if (!entry.contains(key)) return 0;
  const auto& value = entry[key];
  if (!value.is_number_integer() || value.get<std::int64_t>() < INT32_MIN ||
      value.get<std::int64_t>() > INT32_MAX) {
    return std::unexpected(what + ": \"" + key + "\" is not a 32-bit integer");
  }
  return static_cast<std::int32_t>(value.get<std::int64_t>());
}

}  // namespace

std::expected<void, std::string> WriteManifest(const fs::path& path, const Manifest& manifest) {
  std::error_code ec;
  const auto folder = fs::absolute(path, ec).parent_path();
  nlohmann::ordered_json json;
  json["zpk_manifest"] = kVersion;
  json["id"] = archive::Cp1252ToUtf8(manifest.id);
  json["entries"] = nlohmann::ordered_json::array();
  for (const auto& entry : manifest.entries) {
    const auto file = entry.file.is_absolute() ? entry.file.lexically_relative(folder) : entry.file;
    if (file.empty() || *file.begin() == "..") {
      return std::unexpected("'" + entry.file.string() + "' is not below the manifest's folder '" +
                             folder.string() + "'");
    }
    nlohmann::ordered_json item;
    item["name"] = archive::Cp1252ToUtf8(entry.name);
    item["file"] = file.generic_string();
    item["field3"] = entry.field3;
    item["field4"] = entry.field4;
    item["field5"] = entry.field5;
    json["entries"].push_back(std::move(item));
  }

  auto temporary = path;
  temporary += ".zpk-tmp-" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << json.dump(1) << '\n';
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temporary, ec);
      return std::unexpected("can't write '" + temporary.string() + "'");
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return std::unexpected("can't put the manifest in place at '" + path.string() + "': " + ec.message());
  }
  return {};
}

std::expected<Manifest, std::string> ReadManifest(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::unexpected("can't open '" + path.string() + "'");
  const auto json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::unexpected("'" + path.string() + "' is not JSON");
  if (json.value("zpk_manifest", 0) != kVersion) {
    return std::unexpected("'" + path.string() + "' is not a zpk manifest (no \"zpk_manifest\": 1)");
  }
  if (!json.contains("entries") || !json["entries"].is_array()) {
    return std::unexpected("'" + path.string() + "' has no \"entries\" list");
  }
  Manifest manifest;
  if (json.contains("id")) {
    auto id = ToCp1252(json["id"], "the ID");
    if (!id) return std::unexpected(id.error());
    manifest.id = std::move(*id);
  }
  std::error_code ec;
  const auto folder = fs::absolute(path, ec).parent_path();
  for (std::size_t i = 0; i < json["entries"].size(); ++i) {
    const auto& item = json["entries"][i];
    const auto what = "entry " + std::to_string(i + 1);
    if (!item.is_object() || !item.contains("name") || !item.contains("file") || !item["file"].is_string()) {
      return std::unexpected(what + " needs a \"name\" and a \"file\"");
    }
    ManifestEntry entry;
    auto name = ToCp1252(item["name"], what + "'s name");
    if (!name) return std::unexpected(name.error());
    entry.name = std::move(*name);
    entry.file = folder / PathFromUtf8(item["file"].get<std::string>());
    for (auto [key, field] : {std::pair{"field3", &entry.field3}, {"field4", &entry.field4}, {"field5", &entry.field5}}) {
      auto value = Field(item, key, what);
      if (!value) return std::unexpected(value.error());
      *field = *value;
    }
    manifest.entries.push_back(std::move(entry));
  }
  return manifest;
}

}  // namespace zpk::cli
