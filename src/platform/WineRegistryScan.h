// Finding one text value in a Wine registry file (system.reg) without reading the file
// into memory: the file is read in blocks; outside the keys asked for, the blocks are only
// searched for the next key header, and only the lines of the keys asked for are decoded. The format is described in WineRegistryFile.h;
// this reader is for callers without Qt (the zpk tool, the prefix search) and understands
// as much of it as a REG_SZ value needs: key headers with their escapes, quoted names and
// the data forms "text", str(1):"text" and hex(1):... (UTF-16, possibly over several lines).
//
// A file without Wine's first line, an unreadable one or one larger than kLargestRegistryFile
// holds nothing. Lines longer than kLongestRegistryLine are dropped unread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zpk::platform {

inline constexpr std::uintmax_t kLargestRegistryFile = 256u * 1024 * 1024;
inline constexpr std::size_t kLongestRegistryLine = 1024 * 1024;

enum class RegistryTextResult {
  Found,      // the value is there and is text of type REG_SZ
  NotText,    // the value is there with another type (or data that can't be read)
  Missing,    // none of the keys has the value, or the file holds no registry
};

struct RegistryText {
  RegistryTextResult result = RegistryTextResult::Missing;
  std::string text;  // UTF-8, for Found
};

// The value of the first of keyPaths (in their order, not the file's) that has it. Key
// paths are written with single backslashes; names compare without regard to ASCII case.
RegistryText FindRegistryText(const std::filesystem::path& file,
                              std::span<const std::string_view> keyPaths,
                              std::string_view valueName);

inline constexpr std::size_t kRegistryBlockBytes = 256 * 1024;

// How FindRegistryTextIn reads: as FindRegistryText reads a file (in blocks of blockBytes,
// jumping from key header to key header, telling most headers apart by their first bytes),
// or line by line with every header decoded, the plain reading that the other must always
// agree with.
struct ScanMethod {
  bool lineByLine = false;
  std::size_t blockBytes = kRegistryBlockBytes;
};

// The same over text already in memory (for the fuzzer and the tests).
RegistryText FindRegistryTextIn(std::string_view text, std::span<const std::string_view> keyPaths,
                                std::string_view valueName, ScanMethod method = {});

}  // namespace zpk::platform
