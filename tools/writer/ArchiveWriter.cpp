#include "writer/ArchiveWriter.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace zpk::tools {

namespace {
constexpr std::size_t kText = 256;
constexpr std::uint64_t kHeader = 260;
constexpr std::uint64_t kEntry = 276;

void PutInt32(std::ostream& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
  out.write(bytes, 4);
}

void PutText(std::ostream& out, std::string_view text) {
  std::array<char, kText> field{};
  std::copy_n(text.begin(), std::min(text.size(), kText), field.begin());
  out.write(field.data(), kText);
}

std::uint64_t DataSize(const WriterEntry& e) {
  return e.patternSize >= 0 ? static_cast<std::uint64_t>(e.patternSize) : e.data.size();
}
}  // namespace

std::byte PatternByte(std::uint64_t i) {
  return static_cast<std::byte>((i * 131 + (i >> 8) * 7 + 17) & 0xFF);
}

std::vector<std::byte> ToBytes(std::string_view text) {
  std::vector<std::byte> bytes(text.size());
  std::transform(text.begin(), text.end(), bytes.begin(),
                 [](char c) { return static_cast<std::byte>(c); });
  return bytes;
}

ArchiveWriter& ArchiveWriter::Add(WriterEntry entry) {
  entries_.push_back(std::move(entry));
  return *this;
}

ArchiveWriter& ArchiveWriter::Add(std::string name, std::vector<std::byte> data) {
  WriterEntry entry;
  entry.name = std::move(name);
  entry.data = std::move(data);
  return Add(std::move(entry));
}

ArchiveWriter& ArchiveWriter::Add(std::string name, std::string_view text) {
  return Add(std::move(name), ToBytes(text));
}

ArchiveWriter& ArchiveWriter::SetCount(std::int32_t count) {
  count_ = count;
  return *this;
}

ArchiveWriter& ArchiveWriter::SetId(std::string id) {
  id_ = std::move(id);
  return *this;
}

std::vector<std::uint64_t> ArchiveWriter::DataOffsets() const {
  std::vector<std::uint64_t> offsets;
  offsets.reserve(entries_.size());
  std::uint64_t next = kHeader + kEntry * entries_.size();
  for (const auto& e : entries_) {
    offsets.push_back(next);
    next += DataSize(e);
  }
  return offsets;
}

bool ArchiveWriter::Write(std::ostream& out) const {
  PutText(out, id_);
  PutInt32(out, count_.value_or(static_cast<std::int32_t>(entries_.size())));
  const auto offsets = DataOffsets();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& e = entries_[i];
    PutText(out, e.rawNameField.value_or(e.name));
    PutInt32(out, e.pos.value_or(static_cast<std::int32_t>(offsets[i])));
    PutInt32(out, e.len.value_or(static_cast<std::int32_t>(DataSize(e))));
    PutInt32(out, e.field3);
    PutInt32(out, e.field4);
    PutInt32(out, e.field5);
  }
  std::vector<char> chunk;
  for (const auto& e : entries_) {
    if (e.patternSize < 0) {
      out.write(reinterpret_cast<const char*>(e.data.data()),
                static_cast<std::streamsize>(e.data.size()));
      continue;
    }
    const auto total = static_cast<std::uint64_t>(e.patternSize);
    for (std::uint64_t done = 0; done < total;) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(total - done, 1 << 20));
      chunk.resize(n);
      for (std::size_t j = 0; j < n; ++j) chunk[j] = static_cast<char>(PatternByte(done + j));
      out.write(chunk.data(), static_cast<std::streamsize>(n));
      done += n;
    }
  }
  return static_cast<bool>(out);
}

bool ArchiveWriter::WriteFile(const std::filesystem::path& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (!Write(out)) return false;
  out.close();
  return !out.fail();
}

std::vector<std::byte> ArchiveWriter::Bytes() const {
  std::ostringstream out(std::ios::binary);
  Write(out);
  return ToBytes(out.str());
}

WriterEntry TextEntry(std::string name, std::string_view text) {
  WriterEntry entry;
  entry.name = std::move(name);
  entry.data = ToBytes(text);
  return entry;
}

WriterEntry RangedEntry(std::string name, std::int32_t pos, std::int32_t len) {
  WriterEntry entry;
  entry.name = std::move(name);
  entry.pos = pos;
  entry.len = len;
  return entry;
}

WriterEntry PatternEntry(std::string name, std::int64_t size) {
  WriterEntry entry;
  entry.name = std::move(name);
  entry.patternSize = size;
  return entry;
}

}  // namespace zpk::tools
