#include "cli/ExtractTarget.h"

#include "cli/FileSystem.h"

namespace zpk::cli {

std::string NumberedPath(std::string_view relativePath, int n) {
  const auto slash = relativePath.rfind('/');
  const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  auto dot = relativePath.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) dot = relativePath.size();
  std::string result(relativePath.substr(0, dot));
  result += " (" + std::to_string(n) + ")";
  result += relativePath.substr(dot);
  return result;
}

std::string OutputNames::Claim(const std::string& relativePath, bool& renamed) {
  renamed = false;
  if (used_.insert(NameKey(relativePath)).second) return relativePath;
  renamed = true;
  for (int n = 2;; ++n) {
    auto candidate = NumberedPath(relativePath, n);
    if (used_.insert(NameKey(candidate)).second) return candidate;
  }
}

std::expected<void, std::string> MakeFoldersBelow(const std::filesystem::path& root,
                                                  std::string_view relativeFolder) {
  std::size_t start = 0;
  while (start < relativeFolder.size()) {
    auto end = relativeFolder.find('/', start);
    if (end == std::string_view::npos) end = relativeFolder.size();
    const auto path = Below(root, relativeFolder.substr(0, end));
    start = end + 1;

    auto kind = LookAt(path);
    if (kind && *kind == NodeKind::Missing) {
      auto made = MakeFolder(path);
      if (!made) return std::unexpected("can't create folder '" + ShownPath(path) + "': " + made.error());
      if (*made) continue;
      // Made by someone else meanwhile: look again at what it is.
      kind = LookAt(path);
    }
    if (!kind) return std::unexpected("can't look at '" + ShownPath(path) + "': " + kind.error());
    if (*kind == NodeKind::Link) {
      return std::unexpected("'" + ShownPath(path) + "' is a symbolic link, which is never followed");
    }
    if (*kind != NodeKind::Folder) {
      return std::unexpected("'" + ShownPath(path) + "' exists and is not a folder");
    }
  }
  return {};
}

}  // namespace zpk::cli
