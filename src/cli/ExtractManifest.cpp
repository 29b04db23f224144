#include "cli/ExtractManifest.h"

#include <system_error>

#include "cli/ArchiveBuild.h"
#include "cli/Output.h"

namespace zpk::cli {

namespace fs = std::filesystem;

std::optional<std::string> ManifestPlaceProblem(const fs::path& manifest, const fs::path& folder,
                                                const fs::path& archive) {
  std::error_code ec;
  const auto place = fs::weakly_canonical(fs::absolute(manifest, ec), ec);
  if (fs::is_directory(place, ec)) return "the manifest '" + manifest.string() + "' is a folder";
  if (fs::exists(archive, ec) && fs::equivalent(place, archive, ec)) {
    return "the manifest can't be written over the archive";
  }
  const auto below = fs::weakly_canonical(fs::absolute(folder, ec), ec).lexically_relative(place.parent_path());
  if (below.empty() || *below.begin() == "..") {
    return "the manifest must lie in the extraction folder or above it, so that it can name the files";
  }
  return std::nullopt;
}

std::optional<std::string> WhyNotRebuildable(const OpenedArchive& archive) {
  const auto& catalogue = archive.catalogue;
  if (catalogue.directoryTruncated) return "the directory is shorter than the header's count";
  const auto& entries = catalogue.entries;
  std::uint64_t pos = archive::kHeaderSize + archive::kEntrySize * std::uint64_t{entries.size()};
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const auto label = EntryLabel(k, DisplayNameUtf8(entries.NameAt(k)));
    if (entries.NameAt(k).size() > kMaxNameBytes) return label + " has a name of 256 bytes without an end";
    if (entries.LenAt(k) < 0 || static_cast<std::uint64_t>(entries.PosAt(k)) != pos) {
      return label + "'s data does not follow the previous entry's";
    }
    pos += static_cast<std::uint64_t>(entries.LenAt(k));
  }
  if (pos != archive.file.Size()) return "the file holds bytes after the last entry's data";
  return std::nullopt;
}

}  // namespace zpk::cli
