#include "archive/EntryTable.h"

namespace zpk::archive {

std::optional<ArchiveEntry> EntryTable::Slot(std::int64_t k) const {
  if (k == 0) return ArchiveEntry{};
  if (k < 0 || static_cast<std::uint64_t>(k) > rows_.size()) return std::nullopt;
  const Row& row = rows_[static_cast<std::size_t>(k - 1)];
  return ArchiveEntry{std::string(NameAt(static_cast<std::size_t>(k))),
                      row.pos, row.len, row.field3, row.field4, row.field5};
}

std::string_view EntryTable::NameAt(std::size_t k) const {
  const Row& row = rows_[k - 1];
  return std::string_view(names_).substr(row.nameOffset, row.nameLength);
}

void EntryTable::Reserve(std::size_t entries, std::size_t nameBytes) {
  rows_.reserve(entries);
  names_.reserve(nameBytes);
}

void EntryTable::Append(const ArchiveEntry& entry) {
  Append(entry.Name, entry.Pos, entry.Len, entry.Field3, entry.Field4, entry.Field5);
}

void EntryTable::Append(std::string_view name, std::int32_t pos, std::int32_t len,
                        std::int32_t field3, std::int32_t field4, std::int32_t field5) {
  name = CutAtNull(name);
  rows_.push_back(Row{names_.size(), static_cast<std::uint32_t>(name.size()), pos, len,
                      field3, field4, field5});
  names_.append(name);
}

void EntryTable::Clear() {
  // Assigning {} would keep the capacity (it is an assignment from an empty list); swapping
  // with new containers gives the memory of a big directory back.
  std::vector<Row>().swap(rows_);
  std::string().swap(names_);
}

void EntryTable::ShrinkToFit() {
  if (names_.capacity() - names_.size() > names_.capacity() / 4) names_.shrink_to_fit();
}

std::size_t EntryTable::MemoryBytes() const {
  return rows_.capacity() * sizeof(Row) + names_.capacity();
}

}  // namespace zpk::archive
