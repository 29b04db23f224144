// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes away.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

namespace zpk::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::vector<std::byte> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::byte>& bytes);

// Every regular file below folder, as paths relative to it, sorted.
std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder);

}  // namespace zpk::test
