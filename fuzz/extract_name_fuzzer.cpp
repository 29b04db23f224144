// Fuzz target: the name sanitiser of `zpk extract`. Any entry name, read as the stored
// Windows-1252 bytes (as the tool reads it) and as raw UTF-8, either is refused or gives a
// path that is relative, joined with "/", has no empty, "." or ".." level and no control
// character, keeps every level within the file system's limit, and comes back unchanged
// from a second pass; and that its Windows form holds no name Windows refuses.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "archive/Cp1252.h"
#include "cli/SafeName.h"

namespace {

void Fail(const char* rule, const std::string& path) {
  std::fprintf(stderr, "sanitised path breaks a rule (%s): '%s'\n", rule, path.c_str());
  std::abort();
}

void CheckSanitised(std::string_view name) {
  const auto result = zpk::cli::SafeRelativePath(name);
  if (!result) {
    if (result.error().empty()) Fail("refusal without a reason", std::string(name));
    return;
  }
  const std::string& path = *result;
  if (path.empty()) Fail("empty", path);
  if (path.front() == '/' || path.find('\\') != std::string::npos) Fail("not relative", path);
  if (path.find(':') != std::string::npos) Fail("drive or stream colon", path);
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view level(path.data() + start, end - start);
    if (level.empty() || level == "." || level == "..") Fail("empty, . or .. level", path);
    if (level.size() > zpk::cli::kMaxNameBytes) Fail("level too long", path);
    start = end + 1;
  }
  for (std::size_t i = 0; i < path.size(); ++i) {
    std::size_t length = 0;
    if (zpk::cli::IsControlAt(path, i, length)) Fail("control character", path);
  }
  const auto again = zpk::cli::SafeRelativePath(path);
  if (!again || *again != path) Fail("second pass changed it", path);

  // What Windows gets: still a safe path, with no character Windows refuses, no level that
  // ends in a dot or space, and final.
  const auto mapped = zpk::cli::WindowsHoldablePath(path);
  if (!mapped) return;
  if (mapped->find_first_of("<>\"|?*") != std::string::npos) Fail("Windows character", *mapped);
  if (mapped->back() == '.' || mapped->back() == ' ' || mapped->find("./") != std::string::npos ||
      mapped->find(" /") != std::string::npos) {
    Fail("level ends in a dot or space", *mapped);
  }
  const auto safeAgain = zpk::cli::SafeRelativePath(*mapped);
  if (!safeAgain || *safeAgain != *mapped) Fail("mapped path not safe", *mapped);
  const auto mappedAgain = zpk::cli::WindowsHoldablePath(*mapped);
  if (!mappedAgain || *mappedAgain != *mapped) Fail("second mapping changed it", *mapped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckSanitised(zpk::archive::Cp1252ToUtf8(bytes));
  CheckSanitised(bytes);
  return 0;
}
