#include "cli/OpenArchive.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "archive/Records.h"
#include "cli/FileSystem.h"
#include "cli/Output.h"

namespace zpk::cli {

namespace {

std::string SameSeparators(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

bool IsIndexForm(std::string_view text) {
  return text.size() >= 2 && text.front() == '#' &&
         text.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

// The slot that "#N" names; 0 (no slot) when the number does not fit.
std::size_t IndexArgument(std::string_view text) {
  std::size_t value = 0;
  const auto digits = text.substr(1);
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return result.ec == std::errc{} ? value : 0;
}

void ReportShorterThanHeader(const std::string& path, std::uint64_t size) {
  ReportError("'" + path + "' is not an archive: " + std::to_string(size) + " bytes, shorter than the " +
              std::to_string(archive::kHeaderSize) + "-byte header");
}

}  // namespace

std::optional<OpenedArchive> OpenArchive(const std::string& path, bool needHeader) {
  auto file = archive::ArchiveFile::Open(PathFromUtf8(path));
  if (!file) {
    ReportError(archive::Describe(file.error()));
    return std::nullopt;
  }
  auto catalogue = archive::ReadCatalogue(*file);
  if (!catalogue) {
    ReportError("'" + path + "': " + archive::Describe(catalogue.error()));
    return std::nullopt;
  }
  if (needHeader && catalogue->headerTruncated) {
    ReportShorterThanHeader(path, catalogue->fileSize);
    return std::nullopt;
  }
  return OpenedArchive{std::move(*file), std::move(*catalogue)};
}

std::optional<OpenedDirectory> OpenDirectory(const std::string& path) {
  auto file = archive::ArchiveFile::Open(PathFromUtf8(path));
  if (!file) {
    ReportError(archive::Describe(file.error()));
    return std::nullopt;
  }
  auto layout = archive::ReadDirectoryLayout(*file);
  if (!layout) {
    ReportError("'" + path + "': " + archive::Describe(layout.error()));
    return std::nullopt;
  }
  if (layout->headerTruncated) {
    ReportShorterThanHeader(path, file->Size());
    return std::nullopt;
  }
  return OpenedDirectory{std::move(*file), std::move(*layout)};
}

void WarnTruncatedDirectory(const archive::Catalogue& catalogue) {
  if (catalogue.directoryTruncated) WarnTruncatedDirectory(catalogue.header.EntryCount, catalogue.entries.size());
}

void WarnTruncatedDirectory(std::int32_t headerCount, std::uint64_t held) {
  ReportError("warning: the header counts " + std::to_string(headerCount) +
              " entries, but the file holds only " + std::to_string(held));
}

Selection SelectEntries(const archive::EntryTable& entries,
                        const std::vector<std::string>& wanted) {
  Selection selection;
  if (wanted.empty()) {
    selection.indices.resize(entries.size());
    for (std::size_t k = 1; k <= entries.size(); ++k) selection.indices[k - 1] = k;
    return selection;
  }

  // Names are looked up in one pass over the directory, however many are asked for.
  std::unordered_map<std::string, bool> byName;
  for (const auto& text : wanted) {
    if (IsIndexForm(text)) {
      const auto index = IndexArgument(text);
      if (index >= 1 && index <= entries.size()) {
        selection.indices.push_back(index);
      } else {
        ReportError("no entry " + text + ": the archive has " + std::to_string(entries.size()) +
                    " entries");
        ++selection.unmatched;
      }
      continue;
    }
    byName.emplace(SameSeparators(text), false);
  }
  if (!byName.empty()) {
    for (std::size_t k = 1; k <= entries.size(); ++k) {
      auto found = byName.find(SameSeparators(DisplayNameUtf8(entries.NameAt(k))));
      if (found == byName.end()) continue;
      found->second = true;
      selection.indices.push_back(k);
    }
    for (const auto& text : wanted) {
      auto found = byName.find(SameSeparators(text));
      if (found == byName.end() || found->second) continue;
      found->second = true;  // report each missing name once
      ReportError("no entry named '" + EscapeControls(text) + "'");
      ++selection.unmatched;
    }
  }
  std::sort(selection.indices.begin(), selection.indices.end());
  selection.indices.erase(std::unique(selection.indices.begin(), selection.indices.end()),
                          selection.indices.end());
  return selection;
}

}  // namespace zpk::cli
