#include "archive/EntryTable.h"

#include <algorithm>

#include "util/MemoryAdvice.h"

namespace zpk::archive {

std::optional<ArchiveEntry> EntryTable::Slot(std::int64_t k) const {
  if (k == 0) return ArchiveEntry{};
  if (k < 0 || static_cast<std::uint64_t>(k) > rows_.size()) return std::nullopt;
  const Row& row = rows_[static_cast<std::size_t>(k - 1)];
  return ArchiveEntry{NameAt(static_cast<std::size_t>(k)), row.pos, row.len, row.field3, row.field4, row.field5};
}

std::string EntryTable::NameAt(std::size_t k) const {
  const std::size_t index = k - 1;
  std::size_t at = static_cast<std::size_t>(restarts_[index / kRestartEvery]);
  std::string name;
  for (std::size_t i = index - index % kRestartEvery;; ++i) {
    const std::size_t shared = static_cast<unsigned char>(names_[at++]);
    std::size_t rest = 0;
    for (int shift = 0;; shift += 7) {
      const auto byte = static_cast<unsigned char>(names_[at++]);
      rest |= static_cast<std::size_t>(byte & 0x7F) << shift;
      if (byte < 0x80) break;
    }
    name.resize(shared);
    name.append(names_, at, rest);
    at += rest;
    if (i == index) return name;
  }
}

void EntryTable::Reserve(std::size_t entries, std::size_t nameBytes) {
  rows_.reserve(entries);
  restarts_.reserve(entries / kRestartEvery + 1);
  names_.reserve(nameBytes);
  // The table of a big directory is written straight through once, so it is worth huge pages.
  util::AdviseHugePages(rows_.data(), rows_.capacity() * sizeof(Row));
  util::AdviseHugePages(names_.data(), names_.capacity());
}

void EntryTable::Append(const ArchiveEntry& entry) {
  Append(entry.Name, entry.Pos, entry.Len, entry.Field3, entry.Field4, entry.Field5);
}

void EntryTable::Append(std::string_view name, std::int32_t pos, std::int32_t len,
                        std::int32_t field3, std::int32_t field4, std::int32_t field5) {
  name = CutAtNull(name);
  std::size_t shared = 0;
  if (rows_.size() % kRestartEvery == 0) {
    restarts_.push_back(names_.size());
  } else {
    const auto limit = std::min({name.size(), last_.size(), std::size_t{255}});
    while (shared < limit && name[shared] == last_[shared]) ++shared;
  }
  names_ += static_cast<char>(shared);
  for (std::size_t rest = name.size() - shared;; rest >>= 7) {
    if (rest < 0x80) {
      names_ += static_cast<char>(rest);
      break;
    }
    names_ += static_cast<char>(0x80 | (rest & 0x7F));
  }
  names_.append(name.substr(shared));
  last_.assign(name);
  rows_.push_back(Row{pos, len, field3, field4, field5});
}

void EntryTable::Clear() {
  // Assigning {} would keep the capacity (it is an assignment from an empty list); swapping
  // with new containers gives the memory of a big directory back.
  std::vector<Row>().swap(rows_);
  std::string().swap(names_);
  std::vector<std::uint64_t>().swap(restarts_);
  std::string().swap(last_);
}

void EntryTable::ShrinkToFit() {
  if (names_.capacity() - names_.size() > names_.capacity() / 4) names_.shrink_to_fit();
}

std::size_t EntryTable::MemoryBytes() const {
  return rows_.capacity() * sizeof(Row) + names_.capacity() + restarts_.capacity() * sizeof(std::uint64_t);
}

}  // namespace zpk::archive
