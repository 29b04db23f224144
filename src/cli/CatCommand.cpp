// zpk cat: one entry's stored bytes, unchanged, to standard output.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "archive/CopyOut.h"
#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"

namespace zpk::cli {

int RunCat(const std::string& archivePath, const std::string& wanted) {
  auto opened = OpenArchive(archivePath, true);
  if (!opened) return kExitFatal;
  const auto& entries = opened->catalogue.entries;
  const auto selection = SelectEntries(entries, {wanted});
  if (selection.indices.empty()) return kExitSomeFailed;
  // A name held by several entries means the first of them, as a lookup in the window would.
  const auto k = selection.indices.front();
  const auto entry = *entries.Slot(static_cast<std::int64_t>(k));

  int writeError = 0;
  const auto copied = archive::CopyResource(
      opened->file, entry, [&](std::span<const std::byte> chunk) {
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
      });
  if (!copied) {
    const auto reason = writeError ? std::string("can't write to standard output: ") +
                                         std::strerror(writeError)
                                   : archive::Describe(copied.error());
    ReportError(EntryLabel(k, DisplayNameUtf8(entry.Name)) + ": " + reason);
    return kExitSomeFailed;
  }
  return kExitOk;
}

}  // namespace zpk::cli
