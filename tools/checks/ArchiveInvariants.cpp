#include "checks/ArchiveInvariants.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <span>
#include <string_view>

#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "archive/Probe.h"

namespace zpk::tools {

namespace {

using archive::ArchiveEntry;
using archive::ErrorCode;
namespace fs = std::filesystem;

constexpr std::size_t kHeader = 260;
constexpr std::size_t kEntry = 276;
constexpr std::size_t kText = 256;

std::vector<std::byte> ReadAll(const fs::path& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return {};
  std::vector<std::byte> bytes(static_cast<std::size_t>(size));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// The file's bytes, read independently of the core, are the reference for every check.
struct Reference {
  std::vector<std::byte> bytes;

  std::int32_t Int32At(std::size_t offset) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
  }
  std::string_view TextAt(std::size_t offset) const {
    return {reinterpret_cast<const char*>(bytes.data() + offset), kText};
  }
  // What an entry's range calls for: nothing when the bytes lie inside the file.
  std::optional<ErrorCode> RangeError(std::int64_t pos, std::int64_t len) const {
    if (pos < 0) return ErrorCode::NegativePos;
    if (len < 0) return ErrorCode::NegativeLen;
    if (static_cast<std::uint64_t>(pos + len) > bytes.size()) return ErrorCode::OutOfRange;
    return std::nullopt;
  }
  std::span<const std::byte> Range(std::int32_t pos, std::int32_t len) const {
    return std::span<const std::byte>(bytes).subspan(static_cast<std::size_t>(pos),
                                                     static_cast<std::size_t>(len));
  }
};

const char* CodeName(ErrorCode code) {
  switch (code) {
    case ErrorCode::CantOpen: return "CantOpen";
    case ErrorCode::CantRead: return "CantRead";
    case ErrorCode::NegativePos: return "NegativePos";
    case ErrorCode::NegativeLen: return "NegativeLen";
    case ErrorCode::OutOfRange: return "OutOfRange";
    case ErrorCode::CantWrite: return "CantWrite";
    case ErrorCode::TargetExists: return "TargetExists";
    case ErrorCode::Cancelled: return "Cancelled";
    case ErrorCode::BadStream: return "BadStream";
  }
  return "?";
}

class Checker {
 public:
  Checker(const fs::path& archive, const InvariantOptions& options)
      : archive_(archive), options_(options) {}

  InvariantReport Run() {
    ref_.bytes = options_.knownBytes ? *options_.knownBytes : ReadAll(archive_);
    auto file = archive::ArchiveFile::Open(archive_);
    if (!file) return Fail("open failed: " + archive::Describe(file.error())), Done();
    if (file->Size() != ref_.bytes.size()) Fail("Size() differs from the file's length");
    auto catalogue = archive::ReadCatalogue(*file);
    if (!catalogue) return Fail("catalogue failed: " + archive::Describe(catalogue.error())), Done();
    CheckCatalogue(*catalogue);
    for (std::size_t k = 1; k <= catalogue->entries.size() && !Full(); ++k) {
      const auto entry = catalogue->entries.Slot(static_cast<std::int64_t>(k));
      if (!entry) {
        Fail("slot " + std::to_string(k) + " missing");
        continue;
      }
      CheckEntry(*file, k, *entry);
    }
    if (!options_.copyFolder.empty()) CheckCopyFolderHolds("after every copy: ", 0);
    if (!options_.knownBytes && ReadAll(archive_) != ref_.bytes) {
      Fail("the archive changed while it was read");
    }
    return Done();
  }

 private:
  bool Full() const { return report_.problems.size() >= options_.maxProblems; }
  void Fail(std::string problem) {
    if (!Full()) report_.problems.push_back(std::move(problem));
  }
  InvariantReport Done() { return std::move(report_); }

  void CheckCatalogue(const archive::Catalogue& catalogue) {
    const std::size_t size = ref_.bytes.size();
    if (catalogue.fileSize != size) Fail("fileSize differs from the file's length");
    if (size < kHeader) {
      if (!catalogue.headerTruncated) Fail("short file not marked headerTruncated");
      if (!catalogue.entries.empty() || catalogue.header.EntryCount != 0) {
        Fail("short file gave a header or entries");
      }
      return;
    }
    if (catalogue.headerTruncated) Fail("whole header marked truncated");
    if (catalogue.header.ID != ref_.TextAt(0)) Fail("ID differs from the stored field");
    const std::int32_t count = ref_.Int32At(kText);
    if (catalogue.header.EntryCount != count) Fail("EntryCount differs from the stored field");
    const std::uint64_t whole = (size - kHeader) / kEntry;
    const std::uint64_t expected = count <= 0 ? 0 : std::min<std::uint64_t>(count, whole);
    if (catalogue.entries.size() != expected) {
      Fail("read " + std::to_string(catalogue.entries.size()) + " entries, the file holds " +
           std::to_string(expected));
    }
    if (catalogue.directoryTruncated != (count > 0 && expected < static_cast<std::uint64_t>(count))) {
      Fail("directoryTruncated is wrong");
    }
    report_.entries = catalogue.entries.size();
  }

  void CheckEntry(archive::ArchiveFile& file, std::size_t k, const ArchiveEntry& entry) {
    const std::string at = "entry " + std::to_string(k) + ": ";
    const std::size_t offset = kHeader + (k - 1) * kEntry;
    if (offset + kEntry > ref_.bytes.size()) return Fail(at + "lies beyond the file");
    const auto field = ref_.TextAt(offset);
    if (entry.Name != field.substr(0, field.find('\0'))) Fail(at + "name differs from the field");
    if (entry.Pos != ref_.Int32At(offset + kText) || entry.Len != ref_.Int32At(offset + kText + 4) ||
        entry.Field3 != ref_.Int32At(offset + kText + 8) ||
        entry.Field4 != ref_.Int32At(offset + kText + 12) ||
        entry.Field5 != ref_.Int32At(offset + kText + 16)) {
      Fail(at + "a number differs from the stored field");
    }
    CheckProbe(file, at, entry);
    const auto rangeError = ref_.RangeError(entry.Pos, entry.Len);
    if (!rangeError) ++report_.inRange;
    CheckRead(file, at, entry, rangeError);
    CheckStream(file, at, entry, rangeError);
    if (!options_.copyFolder.empty() && (rangeError || fileCopies_ < options_.inRangeFileCopies)) {
      if (!rangeError) ++fileCopies_;
      CheckCopyToFile(file, at, entry, rangeError);
    }
  }

  void CheckProbe(archive::ArchiveFile& file, const std::string& at, const ArchiveEntry& entry) {
    const auto expected = ref_.RangeError(entry.Pos, 2);
    const auto got = archive::ReadProbeBytes(file, entry);
    if (expected) {
      if (got) return Fail(at + "probe outside the file succeeded");
      if (got.error().code != *expected) {
        Fail(at + "probe failed with " + CodeName(got.error().code) + ", not " + CodeName(*expected));
      }
      return;
    }
    if (!got) return Fail(at + "probe inside the file failed: " + archive::Describe(got.error()));
    const auto stored = ref_.Range(entry.Pos, 2);
    if (!std::equal(got->begin(), got->end(), stored.begin())) Fail(at + "probe bytes differ");
  }

  void CheckRead(archive::ArchiveFile& file, const std::string& at, const ArchiveEntry& entry,
                 std::optional<ErrorCode> rangeError) {
    const auto got = archive::ReadResource(file, entry);
    if (rangeError) {
      if (got) return Fail(at + "read of an out-of-range entry returned " +
                           std::to_string(got->size()) + " bytes");
      if (got.error().code != *rangeError) {
        Fail(at + "read failed with " + CodeName(got.error().code) + ", not " + CodeName(*rangeError));
      }
      return;
    }
    if (!got) return Fail(at + "read of an in-range entry failed: " + archive::Describe(got.error()));
    const auto stored = ref_.Range(entry.Pos, entry.Len);
    if (!std::equal(got->begin(), got->end(), stored.begin(), stored.end())) {
      Fail(at + "read returned " + std::to_string(got->size()) + " bytes that differ from the " +
           std::to_string(stored.size()) + " stored");
    }
  }

  void CheckStream(archive::ArchiveFile& file, const std::string& at, const ArchiveEntry& entry,
                   std::optional<ErrorCode> rangeError) {
    std::vector<std::byte> received;
    std::uint64_t lastProgress = 0;
    bool progressInOrder = true;
    const auto result = archive::CopyResource(
        file, entry,
        [&](std::span<const std::byte> chunk) {
          received.insert(received.end(), chunk.begin(), chunk.end());
          return true;
        },
        [&](std::uint64_t done) {
          progressInOrder = progressInOrder && done > lastProgress && done == received.size();
          lastProgress = done;
          return true;
        });
    if (rangeError) {
      if (result) return Fail(at + "copy of an out-of-range entry succeeded");
      if (!received.empty()) Fail(at + "copy of an out-of-range entry passed data on");
      return;
    }
    if (!result) return Fail(at + "copy of an in-range entry failed: " + archive::Describe(result.error()));
    const auto stored = ref_.Range(entry.Pos, entry.Len);
    if (!std::equal(received.begin(), received.end(), stored.begin(), stored.end())) {
      Fail(at + "copied bytes differ from the stored ones");
    }
    if (!progressInOrder) Fail(at + "progress did not follow the data");
  }

  void CheckCopyToFile(archive::ArchiveFile& file, const std::string& at, const ArchiveEntry& entry,
                       std::optional<ErrorCode> rangeError) {
    const fs::path target = options_.copyFolder / "copy.bin";
    const auto result = archive::CopyResourceToFile(file, entry, target);
    if (rangeError) {
      // Whatever a failed copy left behind, target or temporary file, is caught by the look
      // at the folder at the end.
      if (result) Fail(at + "file copy of an out-of-range entry succeeded");
      return;
    }
    if (!result) {
      Fail(at + "file copy of an in-range entry failed: " + archive::Describe(result.error()));
    } else {
      ++report_.filesWritten;
      const auto stored = ref_.Range(entry.Pos, entry.Len);
      if (ReadAll(target) != std::vector<std::byte>(stored.begin(), stored.end())) {
        Fail(at + "copied file differs from the stored bytes");
      }
      CheckCopyFolderHolds(at, 1);  // and empties it
    }
  }

  // The copy folder holds exactly `expected` files (the target, or nothing at all).
  void CheckCopyFolderHolds(const std::string& at, std::size_t expected) {
    std::vector<fs::path> left;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(options_.copyFolder, ec)) left.push_back(item.path());
    if (left.size() != expected) {
      Fail(at + "the copy folder holds " + std::to_string(left.size()) + " files, not " +
           std::to_string(expected) + (left.empty() ? "" : ": " + left.front().filename().string()));
    }
    for (const auto& item : left) fs::remove(item, ec);
  }

  fs::path archive_;
  const InvariantOptions& options_;
  Reference ref_;
  InvariantReport report_;
  std::size_t fileCopies_ = 0;
};

}  // namespace

InvariantReport CheckArchiveInvariants(const fs::path& archive, const InvariantOptions& options) {
  return Checker(archive, options).Run();
}

std::string Describe(const InvariantReport& report) {
  std::string text;
  for (const auto& problem : report.problems) text += problem + "\n";
  return text;
}

}  // namespace zpk::tools
