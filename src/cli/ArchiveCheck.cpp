#include "cli/ArchiveCheck.h"

#include <algorithm>
#include <unordered_map>

#include "archive/CopyOut.h"
#include "archive/Records.h"
#include "cli/Output.h"
#include "cli/SafeName.h"

namespace zpk::cli {

namespace {

struct Range {
  std::uint64_t begin, end;
  std::size_t index;
};

std::string Label(const archive::EntryTable& entries, std::size_t k) {
  return EntryLabel(k, DisplayNameUtf8(entries.NameAt(k)));
}

// Entries whose data starts inside an earlier entry's data (by position).
void FindOverlaps(std::vector<Range> ranges, const archive::EntryTable& entries,
                  std::vector<Problem>& problems) {
  std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.index < b.index;
  });
  std::vector<Problem> found;
  const Range* reaching = nullptr;  // the range seen so far that reaches furthest
  for (const auto& range : ranges) {
    if (reaching && range.begin < reaching->end) {
      const auto first = std::min(range.index, reaching->index);
      const auto second = std::max(range.index, reaching->index);
      found.push_back({ProblemKind::Overlap, second,
                       Label(entries, second) + " overlaps the data of " + Label(entries, first)});
    }
    if (!reaching || range.end > reaching->end) reaching = &range;
  }
  std::sort(found.begin(), found.end(),
            [](const Problem& a, const Problem& b) { return a.index < b.index; });
  problems.insert(problems.end(), found.begin(), found.end());
}

std::uint64_t CoveredBytes(std::vector<Range> ranges, std::uint64_t dataStart) {
  std::sort(ranges.begin(), ranges.end(),
            [](const Range& a, const Range& b) { return a.begin < b.begin; });
  std::uint64_t covered = 0, reached = dataStart;
  for (const auto& range : ranges) {
    const auto begin = std::max(range.begin, reached);
    if (range.end > begin) {
      covered += range.end - begin;
      reached = range.end;
    }
  }
  return covered;
}

}  // namespace

const char* ProblemKindName(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::ShortHeader: return "short-header";
    case ProblemKind::NegativeCount: return "negative-count";
    case ProblemKind::TruncatedDirectory: return "truncated-directory";
    case ProblemKind::OutsideFile: return "outside-file";
    case ProblemKind::OverlapsDirectory: return "overlaps-directory";
    case ProblemKind::Overlap: return "overlap";
    case ProblemKind::DuplicateName: return "duplicate-name";
    case ProblemKind::UnsafeName: return "unsafe-name";
  }
  return "unknown";
}

CheckReport CheckArchive(const archive::Catalogue& catalogue, bool onlyFileProblems) {
  CheckReport report;
  auto& problems = report.problems;
  const auto& entries = catalogue.entries;
  const auto fileSize = catalogue.fileSize;

  if (catalogue.headerTruncated) {
    problems.push_back({ProblemKind::ShortHeader, 0,
                        "the file has " + std::to_string(fileSize) +
                            " bytes, fewer than the " + std::to_string(archive::kHeaderSize) +
                            " bytes of a header"});
    return report;
  }
  if (catalogue.header.EntryCount < 0) {
    problems.push_back({ProblemKind::NegativeCount, 0,
                        "the entry count " + std::to_string(catalogue.header.EntryCount) +
                            " is negative"});
  }
  if (catalogue.directoryTruncated) {
    problems.push_back({ProblemKind::TruncatedDirectory, 0,
                        "the header counts " + std::to_string(catalogue.header.EntryCount) +
                            " entries, but the file holds only " +
                            std::to_string(entries.size())});
  }

  const std::uint64_t directoryEnd = archive::kHeaderSize + entries.size() * archive::kEntrySize;
  std::vector<Range> ranges;
  ranges.reserve(entries.size());
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const archive::ArchiveEntry entry{std::string(), entries.PosAt(k), entries.LenAt(k)};
    if (auto inside = archive::CheckRange(entry, fileSize); !inside) {
      problems.push_back({ProblemKind::OutsideFile, k,
                          Label(entries, k) + ": " + inside.error().message});
      continue;
    }
    if (entry.Len == 0 || onlyFileProblems) continue;
    const Range range{static_cast<std::uint64_t>(entry.Pos),
                      static_cast<std::uint64_t>(entry.Pos) + static_cast<std::uint64_t>(entry.Len),
                      k};
    if (range.begin < directoryEnd) {
      problems.push_back({ProblemKind::OverlapsDirectory, k,
                          Label(entries, k) + ": its data at byte " + std::to_string(range.begin) +
                              " lies on the header or directory (bytes 0 to " +
                              std::to_string(directoryEnd) + ")"});
    }
    ranges.push_back(range);
  }
  if (onlyFileProblems) return report;

  FindOverlaps(ranges, entries, problems);

  std::unordered_map<std::string, std::size_t> firstWithName;
  firstWithName.reserve(entries.size());
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    std::string name = archive::DisplayName(entries.NameAt(k));
    std::replace(name.begin(), name.end(), '\\', '/');
    const auto [first, inserted] = firstWithName.emplace(std::move(name), k);
    if (!inserted) {
      problems.push_back({ProblemKind::DuplicateName, k,
                          Label(entries, k) + " has the same name as #" +
                              std::to_string(first->second)});
    }
    if (auto safe = SafeRelativePath(DisplayNameUtf8(entries.NameAt(k))); !safe) {
      problems.push_back({ProblemKind::UnsafeName, k, Label(entries, k) + ": " + safe.error()});
    }
  }

  report.dataBytes = fileSize > directoryEnd ? fileSize - directoryEnd : 0;
  report.coveredBytes = CoveredBytes(std::move(ranges), directoryEnd);
  return report;
}

}  // namespace zpk::cli
