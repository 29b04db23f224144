#include "archive/Catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zpk::archive {

namespace {
// Entries per read: about 1 MiB, so a big directory costs a few hundred reads, not one
// read per 276-byte record.
constexpr std::size_t kEntriesPerBlock = 3800;
}  // namespace

std::uint64_t EntriesThatFit(std::uint64_t fileSize) {
  if (fileSize < kHeaderSize) return 0;
  return (fileSize - kHeaderSize) / kEntrySize;
}

std::expected<Catalogue, Error> ReadCatalogue(ArchiveFile& file) {
  CatalogueSoFar read = ReadCatalogueSoFar(file);
  if (read.error) return std::unexpected(std::move(*read.error));
  return std::move(read.catalogue);
}

CatalogueSoFar ReadCatalogueSoFar(ArchiveFile& file) {
  CatalogueSoFar result;
  Catalogue& catalogue = result.catalogue;
  catalogue.fileSize = file.Size();
  if (file.Size() < kHeaderSize) {
    catalogue.headerTruncated = true;
    return result;
  }

  std::array<std::byte, kHeaderSize> headerBytes;
  if (auto ok = file.ReadAt(0, headerBytes); !ok) {
    result.error = ok.error();
    return result;
  }
  catalogue.header = DecodeHeader(headerBytes);

  const std::int32_t count = catalogue.header.EntryCount;
  if (count <= 0) return result;
  const std::uint64_t fit = EntriesThatFit(file.Size());
  const auto wanted = static_cast<std::uint64_t>(count);
  const std::uint64_t held = std::min(wanted, fit);
  catalogue.directoryTruncated = held < wanted;

  // Only what the file really holds is reserved. Name storage is sized from the first
  // block's names, so a big directory is not copied over and over while it grows.
  catalogue.entries.Reserve(static_cast<std::size_t>(held), 0);
  std::vector<std::byte> block(std::min<std::uint64_t>(held, kEntriesPerBlock) * kEntrySize);
  for (std::uint64_t done = 0; done < held;) {
    const std::uint64_t n = std::min<std::uint64_t>(held - done, kEntriesPerBlock);
    const std::span<std::byte> bytes(block.data(), static_cast<std::size_t>(n) * kEntrySize);
    std::size_t whole = static_cast<std::size_t>(n);
    if (auto ok = file.ReadAt(kHeaderSize + done * kEntrySize, bytes); !ok) {
      // The block again, one entry at a time, to keep the entries in front of the failure.
      whole = 0;
      while (whole < n && file.ReadAt(kHeaderSize + (done + whole) * kEntrySize,
                                      bytes.subspan(whole * kEntrySize, kEntrySize))) {
        ++whole;
      }
      result.error = ok.error();
    }
    for (std::size_t i = 0; i < whole; ++i) {
      const auto record = bytes.subspan(i * kEntrySize).first<kEntrySize>();
      const auto name = record.first<kTextFieldSize>();
      const auto field = [&](std::size_t index) {
        return ReadInt32LE(record.subspan(kTextFieldSize + 4 * index, 4));
      };
      catalogue.entries.Append(
          std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), field(0),
          field(1), field(2), field(3), field(4));
    }
    if (result.error) break;
    done += n;
    if (done == n && done < held) {
      const auto average = catalogue.entries.NameBytes() / done + 1;
      catalogue.entries.Reserve(static_cast<std::size_t>(held),
                                static_cast<std::size_t>(average * held * 9 / 8));
    }
  }
  catalogue.entries.ShrinkToFit();
  return result;
}

std::expected<Catalogue, Error> ReadCatalogue(const std::filesystem::path& path) {
  auto file = ArchiveFile::Open(path);
  if (!file) return std::unexpected(file.error());
  return ReadCatalogue(*file);
}

}  // namespace zpk::archive
