// The entry table: the directory of the archive chosen last, in directory order.
//
// Slot k (from 1) holds the k-th directory entry; slot 0 exists and is always empty, so
// that list position p of the resource list belongs to slot p + 1. The table is rebuilt
// by every catalogue load and read by everything else.
//
// Names live in one shared buffer and each row is 32 bytes, so a directory of a million
// entries costs tens of megabytes rather than the 256 padded bytes per name of the file.
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
  std::string_view NameAt(std::size_t k) const;
  std::int32_t PosAt(std::size_t k) const { return rows_[k - 1].pos; }
  std::int32_t LenAt(std::size_t k) const { return rows_[k - 1].len; }

  void Reserve(std::size_t entries, std::size_t nameBytes);
  void Append(const ArchiveEntry& entry);
  void Append(std::string_view name, std::int32_t pos, std::int32_t len, std::int32_t field3,
              std::int32_t field4, std::int32_t field5);
  void Clear();
  // Gives back spare name storage when more than a quarter of it is unused.
  void ShrinkToFit();
  std::size_t NameBytes() const { return names_.size(); }

  // Bytes held on the heap, for the benchmarks.
  std::size_t MemoryBytes() const;

 private:
  struct Row {
    std::uint64_t nameOffset;
    std::uint32_t nameLength;
    std::int32_t pos, len, field3, field4, field5;
  };
  static_assert(sizeof(Row) == 32);

  std::vector<Row> rows_;
  std::string names_;
};

}  // namespace zpk::archive
