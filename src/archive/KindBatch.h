// The kinds of a block of directory records, read with few large reads instead of one
// small read per entry.
//
// Archives keep their data behind the directory in directory order, so the first bytes of
// neighbouring entries lie close together: a run of entries whose first bytes fall within
// one window of the file is served by a single read of that window. Entries out of order,
// or far apart, are read on their own. The result is the same as ReadKind's for each entry.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/DirectoryScan.h"
#include "archive/Kind.h"

namespace zpk::archive {

class KindBatch {
 public:
  explicit KindBatch(ArchiveFile& file) : file_(file) {}

  // kinds[i] is the kind of block[i], or nothing when ReadKind would fail for it (its range
  // lies outside the file, or it can't be read).
  void Read(std::span<const EntryView> block, std::vector<std::optional<Kind>>& kinds);

 private:
  struct Head {
    std::uint64_t start = 0, end = 0;  // the bytes DetectKind looks at
    bool valid = false;                // the entry's range lies inside the file
  };
  static Head HeadOf(const EntryView& e, std::uint64_t fileSize);

  ArchiveFile& file_;
  std::vector<Head> heads_;  // of the block being read
  std::vector<std::byte> window_;
  std::uint64_t windowStart_ = 0;
  std::uint64_t windowEnd_ = 0;  // windowStart_ + the bytes held
};

}  // namespace zpk::archive
