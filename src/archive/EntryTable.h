// The entry table: the directory of the archive chosen last, in directory order.
//
// Slot k (from 1) holds the k-th directory entry; slot 0 exists and is always empty, so
// that list position p of the resource list belongs to slot p + 1. The table is rebuilt
// by every catalogue load and read by everything else.
//
// A million entries must cost a few tens of megabytes, not the 276 bytes per record of
// the file. The five numbers of a row take 20 bytes. Names are front-coded: the names of
// an archive share long folder prefixes, so each is stored as the length it shares with
// the name before it and the bytes that differ. Every 16th name is stored whole, so
// reading a name decodes at most 16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/Records.h"

namespace zpk::archive {

class EntryTable {
 public:
  // Number of entries held: slots 1..size().
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }

  // A copy of slot k: an empty entry for slot 0, nothing for a slot the table lacks.
  std::optional<ArchiveEntry> Slot(std::int64_t k) const;

  // Name of slot k (1..size()), cut at its first NUL, raw Windows-1252 bytes.
  std::string NameAt(std::size_t k) const;
  std::int32_t PosAt(std::size_t k) const { return rows_[k - 1].pos; }
  std::int32_t LenAt(std::size_t k) const { return rows_[k - 1].len; }

  // Room for entries rows and nameBytes of coded names (see NameBytes).
  void Reserve(std::size_t entries, std::size_t nameBytes);
  void Append(const ArchiveEntry& entry);
  void Append(std::string_view name, std::int32_t pos, std::int32_t len, std::int32_t field3,
              std::int32_t field4, std::int32_t field5);
  void Clear();
  // Gives back spare name storage when more than a quarter of it is unused.
  void ShrinkToFit();
  // Bytes of coded names held so far.
  std::size_t NameBytes() const { return names_.size(); }

  // Bytes held on the heap, for the benchmarks (besides the one name kept to code the next).
  std::size_t MemoryBytes() const;

 private:
  struct Row {
    std::int32_t pos, len, field3, field4, field5;
  };
  static_assert(sizeof(Row) == 20);
  static constexpr std::size_t kRestartEvery = 16;

  std::vector<Row> rows_;
  // Per name: the bytes shared with the name before (one byte, at most 255; 0 at a
  // restart), the count of bytes that follow (7 bits a byte, low bits first, the top bit
  // set on all but the last), those bytes.
  std::string names_;
  std::vector<std::uint64_t> restarts_;  // offset in names_ of every 16th name
  std::string last_;                     // the name appended last, to code the next one
};

}  // namespace zpk::archive
