#include "archive/DirectoryScan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "archive/Catalogue.h"

namespace zpk::archive {

namespace {
constexpr std::size_t kEntriesPerBlock = 3800;  // about 1 MiB of records per read
}

std::expected<DirectoryLayout, Error> ReadDirectoryLayout(ArchiveFile& file) {
  DirectoryLayout layout;
  if (file.Size() < kHeaderSize) {
    layout.headerTruncated = true;
    return layout;
  }
  std::array<std::byte, kHeaderSize> headerBytes;
  if (auto ok = file.ReadAt(0, headerBytes); !ok) return std::unexpected(ok.error());
  layout.header = DecodeHeader(headerBytes);
  if (layout.header.EntryCount <= 0) return layout;
  const auto wanted = static_cast<std::uint64_t>(layout.header.EntryCount);
  layout.held = std::min(wanted, EntriesThatFit(file.Size()));
  layout.directoryTruncated = layout.held < wanted;
  return layout;
}

std::expected<void, Error> ScanDirectoryBlocks(ArchiveFile& file, const DirectoryLayout& layout,
                                               const BlockVisitor& visit) {
  const auto held = layout.held;
  const auto perBlock = static_cast<std::size_t>(std::min<std::uint64_t>(held, kEntriesPerBlock));
  std::vector<std::byte> block(perBlock * kEntrySize);
  std::vector<EntryView> views(perBlock);
  for (std::uint64_t done = 0; done < held;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(held - done, kEntriesPerBlock));
    const std::span<std::byte> bytes(block.data(), n * kEntrySize);
    if (auto ok = file.ReadAt(kHeaderSize + done * kEntrySize, bytes); !ok) return std::unexpected(ok.error());
    for (std::size_t i = 0; i < n; ++i) {
      const auto* record = reinterpret_cast<const char*>(bytes.data() + i * kEntrySize);
      const auto* nul = static_cast<const char*>(std::memchr(record, 0, kTextFieldSize));
      const auto field = [&](std::size_t k) {
        return ReadInt32LE(bytes.subspan(i * kEntrySize + kTextFieldSize + 4 * k, 4));
      };
      views[i] = EntryView{static_cast<std::size_t>(done + i + 1),
                           std::string_view(record, nul ? static_cast<std::size_t>(nul - record) : kTextFieldSize),
                           field(0), field(1), field(2), field(3), field(4)};
    }
    if (!visit(std::span<const EntryView>(views.data(), n))) return {};
    done += n;
  }
  return {};
}

std::expected<ScanSummary, Error> ScanDirectory(ArchiveFile& file,
                                                const std::function<bool(const EntryView&)>& visit) {
  const auto layout = ReadDirectoryLayout(file);
  if (!layout) return std::unexpected(layout.error());
  ScanSummary summary{layout->header, 0, layout->headerTruncated, layout->directoryTruncated};
  auto scanned = ScanDirectoryBlocks(file, *layout, [&](std::span<const EntryView> block) {
    for (const auto& view : block) {
      ++summary.entriesRead;
      if (!visit(view)) return false;
    }
    return true;
  });
  if (!scanned) return std::unexpected(scanned.error());
  return summary;
}

}  // namespace zpk::archive
