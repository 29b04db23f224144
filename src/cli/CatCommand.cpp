// zpk cat: one entry's stored bytes, unchanged or (--inflate) unpacked, to standard output.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "archive/CopyOut.h"
#include "archive/Inflate.h"
#include "archive/Kind.h"
#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"

namespace zpk::cli {

int RunCat(const std::string& archivePath, const std::string& wanted, bool inflate) {
  auto opened = OpenArchive(archivePath, true);
  if (!opened) return kExitFatal;
  const auto& entries = opened->catalogue.entries;
  const auto selection = SelectEntries(entries, {wanted});
  if (selection.indices.empty()) return kExitSomeFailed;
  // A name held by several entries means the first of them, as a lookup in the window would.
  const auto k = selection.indices.front();
  const auto entry = *entries.Slot(static_cast<std::int64_t>(k));

  const auto fail = [&](const std::string& reason) {
    ReportError(EntryLabel(k, DisplayNameUtf8(entry.Name)) + ": " + reason);
    return kExitSomeFailed;
  };
  bool unpack = false;
  if (inflate) {
    const auto kind = archive::ReadKind(opened->file, entry);
    if (!kind) return fail(archive::Describe(kind.error()));
    unpack = *kind == archive::Kind::Zlib;
  }
  int writeError = 0;
  const archive::SinkFn toStdout = [&](std::span<const std::byte> chunk) {
    auto data = reinterpret_cast<const char*>(chunk.data());
    auto left = chunk.size();
    while (left > 0) {
      const auto n = ::write(STDOUT_FILENO, data, left);
      if (n < 0) {
        if (errno == EINTR) continue;
        writeError = errno;
        return false;
      }
      data += n;
      left -= static_cast<std::size_t>(n);
    }
    return true;
  };
  const auto copied = unpack ? archive::InflateResource(opened->file, entry, toStdout)
                             : archive::CopyResource(opened->file, entry, toStdout);
  if (!copied) {
    return fail(writeError ? std::string("can't write to standard output: ") + std::strerror(writeError)
                           : archive::Describe(copied.error()));
  }
  return kExitOk;
}

}  // namespace zpk::cli
