// Writes ZPK archives, well-formed or deliberately damaged, for tests, benchmarks and the
// demo installation. The program itself never writes an archive.
//
// By default the file is laid out as the game's archives are: header, directory, then the
// data of each entry in directory order. Every field can be overridden to build hostile
// archives (counts beyond the file, ranges past the end, names without NUL...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zpk::tools {

struct WriterEntry {
  // Raw name bytes (Windows-1252). Stored NUL-padded; a name of 256 bytes has no NUL.
  // Longer names are cut to 256 bytes.
  std::string name;
  std::vector<std::byte> data;
  // When >= 0, the data is this many bytes of a fixed pattern instead of `data`, generated
  // while writing so that huge archives need no memory.
  std::int64_t patternSize = -1;
  // Overrides of the directory fields; by default Pos and Len describe the data written.
  std::optional<std::int32_t> pos;
  std::optional<std::int32_t> len;
  std::int32_t field3 = 0;
  std::int32_t field4 = 0;
  std::int32_t field5 = 0;
  // When set, the 256-byte name field exactly as given (padded with NUL if shorter).
  std::optional<std::string> rawNameField;
};

// An entry holding this text.
WriterEntry TextEntry(std::string name, std::string_view text);
// An entry whose directory names this range, whatever lies there.
WriterEntry RangedEntry(std::string name, std::int32_t pos, std::int32_t len);
// An entry of size bytes of the fixed pattern.
WriterEntry PatternEntry(std::string name, std::int64_t size);

class ArchiveWriter {
 public:
  explicit ArchiveWriter(std::string id = "ZPK") : id_(std::move(id)) {}

  ArchiveWriter& Add(WriterEntry entry);
  ArchiveWriter& Add(std::string name, std::vector<std::byte> data);
  ArchiveWriter& Add(std::string name, std::string_view text);
  // The header's count; by default the number of entries added.
  ArchiveWriter& SetCount(std::int32_t count);
  // The ID field exactly as given (256 bytes, NUL-padded).
  ArchiveWriter& SetId(std::string id);

  std::size_t size() const { return entries_.size(); }

  // Data offset each entry gets unless overridden, in directory order.
  std::vector<std::uint64_t> DataOffsets() const;

  bool Write(std::ostream& out) const;
  bool WriteFile(const std::filesystem::path& path) const;
  std::vector<std::byte> Bytes() const;

 private:
  std::string id_;
  std::optional<std::int32_t> count_;
  std::vector<WriterEntry> entries_;
};

// Byte i of the pattern used for patternSize data.
std::byte PatternByte(std::uint64_t i);

std::vector<std::byte> ToBytes(std::string_view text);

}  // namespace zpk::tools
