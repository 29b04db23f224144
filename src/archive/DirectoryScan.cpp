#include "archive/DirectoryScan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "archive/Catalogue.h"

namespace zpk::archive {

namespace {

constexpr std::size_t kEntriesPerBlock = 950;  // about 256 KiB of records per read

// Number k (0..4) of the record at record: as ReadInt32LE, without a span per number.
std::int32_t FieldOf(const std::byte* record, std::size_t k) {
  const auto* p = reinterpret_cast<const unsigned char*>(record + kTextFieldSize + 4 * k);
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                   std::uint32_t{p[3]} << 24);
}

// Calls visit(bytes, first, n) for each block of n whole records read in directory order,
// first being the 0-based slot of its first record; visit returns false to stop early.
template <typename Visit>
std::expected<void, Error> ForEachBlock(ArchiveFile& file, const DirectoryLayout& layout, Visit&& visit) {
  const auto held = layout.held;
  std::vector<std::byte> block(static_cast<std::size_t>(std::min<std::uint64_t>(held, kEntriesPerBlock)) * kEntrySize);
  for (std::uint64_t done = 0; done < held;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(held - done, kEntriesPerBlock));
    const std::span<std::byte> bytes(block.data(), n * kEntrySize);
    if (auto ok = file.ReadAt(kHeaderSize + done * kEntrySize, bytes); !ok) return std::unexpected(ok.error());
    if (!visit(bytes.data(), done, n)) return {};
    done += n;
  }
  return {};
}

}  // namespace

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
  std::vector<EntryView> views(static_cast<std::size_t>(std::min<std::uint64_t>(layout.held, kEntriesPerBlock)));
  return ForEachBlock(file, layout, [&](const std::byte* bytes, std::uint64_t first, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      const std::byte* record = bytes + i * kEntrySize;
      const auto* name = reinterpret_cast<const char*>(record);
      const auto* nul = static_cast<const char*>(std::memchr(name, 0, kTextFieldSize));
      views[i] = EntryView{static_cast<std::size_t>(first + i + 1),
                           std::string_view(name, nul ? static_cast<std::size_t>(nul - name) : kTextFieldSize),
                           FieldOf(record, 0), FieldOf(record, 1), FieldOf(record, 2), FieldOf(record, 3),
                           FieldOf(record, 4)};
    }
    return visit(std::span<const EntryView>(views.data(), n));
  });
}

std::expected<NumberBounds, Error> ReadNumberBounds(ArchiveFile& file, const DirectoryLayout& layout) {
  NumberBounds bounds;
  auto read = ForEachBlock(file, layout, [&](const std::byte* bytes, std::uint64_t, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      const std::byte* record = bytes + i * kEntrySize;
      const std::int32_t pos = FieldOf(record, 0), len = FieldOf(record, 1);
      bounds.minPos = std::min(bounds.minPos, pos);
      bounds.maxPos = std::max(bounds.maxPos, pos);
      bounds.minLen = std::min(bounds.minLen, len);
      bounds.maxLen = std::max(bounds.maxLen, len);
    }
    return true;
  });
  if (!read) return std::unexpected(read.error());
  return bounds;
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
