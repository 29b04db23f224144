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

std::expected<ScanSummary, Error> ScanDirectory(ArchiveFile& file,
                                                const std::function<bool(const EntryView&)>& visit) {
  ScanSummary summary;
  if (file.Size() < kHeaderSize) {
    summary.headerTruncated = true;
    return summary;
  }
  std::array<std::byte, kHeaderSize> headerBytes;
  if (auto ok = file.ReadAt(0, headerBytes); !ok) return std::unexpected(ok.error());
  summary.header = DecodeHeader(headerBytes);
  if (summary.header.EntryCount <= 0) return summary;
  const auto wanted = static_cast<std::uint64_t>(summary.header.EntryCount);
  const std::uint64_t held = std::min(wanted, EntriesThatFit(file.Size()));
  summary.directoryTruncated = held < wanted;

  std::vector<std::byte> block(static_cast<std::size_t>(std::min<std::uint64_t>(held, kEntriesPerBlock)) * kEntrySize);
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
      const EntryView view{static_cast<std::size_t>(done + i + 1),
                           std::string_view(record, nul ? static_cast<std::size_t>(nul - record) : kTextFieldSize),
                           field(0), field(1), field(2), field(3), field(4)};
      ++summary.entriesRead;
      if (!visit(view)) return summary;
    }
    done += n;
  }
  return summary;
}

}  // namespace zpk::archive
