// The structural check of an archive: every reason to distrust it, with the entry it
// concerns, and how much of the data area the entries cover.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/Catalogue.h"

namespace zpk::cli {

enum class ProblemKind {
  ShortHeader,         // the file is shorter than a header
  NegativeCount,       // the header's count is negative
  TruncatedDirectory,  // the count is beyond what the file holds
  OutsideFile,         // an entry's range is negative or reaches past the end
  OverlapsDirectory,   // an entry's data lies on the header or the directory
  Overlap,             // two entries' data overlap
  DuplicateName,       // two entries have the same name
  UnsafeName,          // the name can't be extracted safely
};

// "short-header", "negative-count", ... as used in the JSON output.
const char* ProblemKindName(ProblemKind kind);

struct Problem {
  ProblemKind kind;
  std::size_t index = 0;  // entry slot (from 1); 0 when it concerns the whole file
  std::string message;    // UTF-8, control characters escaped
};

struct CheckReport {
  std::vector<Problem> problems;
  std::uint64_t dataBytes = 0;     // bytes of the file behind the directory
  std::uint64_t coveredBytes = 0;  // of those, bytes that at least one entry covers
};

// With onlyFileProblems, just the header, count and range problems (for "info").
CheckReport CheckArchive(const archive::Catalogue& catalogue, bool onlyFileProblems = false);

}  // namespace zpk::cli
