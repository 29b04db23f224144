#include "cli/ArchiveBuild.h"

#include <unistd.h>

#include <array>
#include <climits>
#include <fstream>
#include <system_error>

#include "archive/Cp1252.h"
#include "archive/Records.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;
constexpr std::size_t kChunk = std::size_t{1} << 20;

void PutInt32(std::string& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutText(std::string& out, std::string_view text) {
  out += text;
  out.append(archive::kTextFieldSize - text.size(), '\0');
}

// Removes the temporary file unless the build got to rename it.
struct TemporaryFile {
  fs::path path;
  bool kept = false;
  ~TemporaryFile() {
    std::error_code ec;
    if (!kept) fs::remove(path, ec);
  }
};

}  // namespace

std::expected<void, std::string> BuildArchive(const fs::path& out, const std::vector<BuildEntry>& entries,
                                              const BuildOptions& options) {
  if (options.id.size() > archive::kTextFieldSize) {
    return std::unexpected("the ID is " + std::to_string(options.id.size()) + " bytes, the field holds 256");
  }
  if (entries.size() > static_cast<std::size_t>(INT32_MAX)) return std::unexpected("too many entries");
  std::error_code ec;
  if (fs::exists(fs::symlink_status(out, ec)) && !options.replaceExisting) {
    return std::unexpected("'" + out.string() + "' exists (--overwrite replaces it)");
  }

  // Plan every position first, so that a file the format can't hold stops the build early.
  std::vector<std::int32_t> sizes;
  sizes.reserve(entries.size());
  std::uint64_t pos = archive::kHeaderSize + archive::kEntrySize * std::uint64_t{entries.size()};
  const std::uint64_t dataStart = pos;
  const bool outExists = fs::exists(out, ec);
  for (const auto& entry : entries) {
    if (entry.name.size() > kMaxNameBytes) {
      return std::unexpected("name '" + archive::Cp1252ToUtf8(entry.name) + "' is " + std::to_string(entry.name.size()) +
                             " bytes, the format holds at most 255");
    }
    if (entry.name.find('\0') != std::string::npos) {
      return std::unexpected("name '" + archive::Cp1252ToUtf8(entry.name) + "' holds a NUL byte");
    }
    if (outExists && fs::equivalent(entry.file, out, ec)) {
      return std::unexpected("'" + out.string() + "' is one of the inputs");
    }
    const auto status = fs::status(entry.file, ec);
    if (ec || !fs::is_regular_file(status)) {
      return std::unexpected("'" + entry.file.string() + "' is not a readable file" + (ec ? ": " + ec.message() : ""));
    }
    const auto size = fs::file_size(entry.file, ec);
    if (ec) return std::unexpected("can't read the size of '" + entry.file.string() + "': " + ec.message());
    if (pos + size > static_cast<std::uint64_t>(INT32_MAX)) {
      return std::unexpected("'" + entry.file.string() + "' would end past 2 GiB, beyond the format's 32-bit positions");
    }
    sizes.push_back(static_cast<std::int32_t>(size));
    pos += size;
  }
  const std::uint64_t total = pos - dataStart;

  std::string head;
  head.reserve(static_cast<std::size_t>(dataStart));
  PutText(head, options.id);
  PutInt32(head, static_cast<std::int32_t>(entries.size()));
  pos = dataStart;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PutText(head, entries[i].name);
    PutInt32(head, static_cast<std::int32_t>(pos));
    PutInt32(head, sizes[i]);
    PutInt32(head, entries[i].field3);
    PutInt32(head, entries[i].field4);
    PutInt32(head, entries[i].field5);
    pos += static_cast<std::uint64_t>(sizes[i]);
  }

  TemporaryFile temporary{fs::path(out) += ".zpk-tmp-" + std::to_string(::getpid())};
  std::ofstream file(temporary.path, std::ios::binary | std::ios::trunc);
  if (!file) return std::unexpected("can't create '" + temporary.path.string() + "'");
  file.write(head.data(), static_cast<std::streamsize>(head.size()));

  std::vector<char> buffer(kChunk);
  std::uint64_t done = 0;
  for (std::size_t i = 0; i < entries.size() && file; ++i) {
    std::ifstream in(entries[i].file, std::ios::binary);
    if (!in) return std::unexpected("can't open '" + entries[i].file.string() + "'");
    auto left = static_cast<std::uint64_t>(sizes[i]);
    while (left > 0) {
      const auto n = static_cast<std::streamsize>(std::min<std::uint64_t>(left, kChunk));
      if (!in.read(buffer.data(), n)) {
        return std::unexpected("'" + entries[i].file.string() + "' got shorter while it was read");
      }
      file.write(buffer.data(), n);
      left -= static_cast<std::uint64_t>(n);
      done += static_cast<std::uint64_t>(n);
      if (options.progress) options.progress(done, total);
    }
    if (in.peek() != std::ifstream::traits_type::eof()) {
      return std::unexpected("'" + entries[i].file.string() + "' got longer while it was read");
    }
  }
  file.flush();
  if (!file) return std::unexpected("can't write '" + temporary.path.string() + "'");
  file.close();
  fs::rename(temporary.path, out, ec);
  if (ec) return std::unexpected("can't put the archive in place at '" + out.string() + "': " + ec.message());
  temporary.kept = true;
  return {};
}

}  // namespace zpk::cli
