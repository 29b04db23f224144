#include "archive/Probe.h"

namespace zpk::archive {

std::expected<std::array<std::byte, 2>, Error> ReadProbeBytes(ArchiveFile& file,
                                                              const ArchiveEntry& entry) {
  if (entry.Pos < 0) {
    return std::unexpected(Error{ErrorCode::NegativePos,
                                 "position " + std::to_string(entry.Pos) + " is negative",
                                 entry.Pos});
  }
  std::array<std::byte, 2> bytes{};
  if (auto ok = file.ReadAt(static_cast<std::uint64_t>(entry.Pos), bytes); !ok) {
    return std::unexpected(ok.error());
  }
  return bytes;
}

Verdict VerdictOf(std::array<std::byte, 2> firstBytes) {
  return firstBytes[0] == std::byte{0x78} && firstBytes[1] == std::byte{0x01}
             ? Verdict::Encrypted
             : Verdict::ProbablyOk;
}

std::string_view VerdictText(Verdict verdict) {
  return verdict == Verdict::Encrypted ? "Encrypted!" : "Probably Ok";
}

std::expected<Verdict, Error> ProbeEntry(ArchiveFile& file, const ArchiveEntry& entry) {
  auto bytes = ReadProbeBytes(file, entry);
  if (!bytes) return std::unexpected(bytes.error());
  return VerdictOf(*bytes);
}

}  // namespace zpk::archive
