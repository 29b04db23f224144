// The manifest that `extract --manifest` writes and `create --manifest` reads: everything
// about an archive that its extracted files do not hold, so that the two give back the
// same archive byte for byte.
//
//   {"zpk_manifest": 1,
//    "id": "the ID field, trailing NUL bytes dropped",
//    "entries": [{"name": "  the name as stored  ", "file": "relative/path",
//                 "field3": 0, "field4": 0, "field5": 0}, ...]}
//
// Texts are UTF-8 decodings of the archive's Windows-1252 bytes (a mapping that can be
// reversed for every byte); "file" is relative to the manifest's own folder, "/"-separated.
// Entries are in directory order; names keep their spaces and may repeat.
#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <string>
#include <vector>

namespace zpk::cli {

struct ManifestEntry {
  std::string name;  // raw Windows-1252 bytes, as stored (cut at NUL)
  std::filesystem::path file;  // absolute once read; relative to the manifest when written
  std::int32_t field3 = 0, field4 = 0, field5 = 0;
};

struct Manifest {
  std::string id;  // raw Windows-1252 bytes, trailing NULs dropped
  std::vector<ManifestEntry> entries;
};

// Writes the manifest at path under a temporary name, then renames it into place. Each
// entry's file must lie below the manifest's folder or be given relative to it.
std::expected<void, std::string> WriteManifest(const std::filesystem::path& path,
                                               const Manifest& manifest);

// Reads and checks a manifest; files come back resolved against the manifest's folder.
std::expected<Manifest, std::string> ReadManifest(const std::filesystem::path& path);

}  // namespace zpk::cli
