#ifdef _WIN32

#include "platform/Win32RegistryValue.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace zpk::platform {

namespace {

// An open registry key, closed when it goes away.
class RegKey {
 public:
  RegKey() = default;
  ~RegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::expected<RegValueBytes, RegValueFailure> ReadInView(HKEY root, const std::string& keyPath,
                                                         const std::string& valueName,
                                                         REGSAM view) {
  RegKey key;
  LONG result = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | view, key.out());
  if (result != ERROR_SUCCESS) return std::unexpected(RegValueFailure{true, result});

  // Ask for the size first; a value may change between the two calls, so retry a few times.
  RegValueBytes value;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    DWORD type = 0;
    result = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) break;
    value.bytes.assign(size, 0);
    result = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                              value.bytes.empty() ? nullptr : value.bytes.data(), &size);
    value.type = type;
    if (result == ERROR_SUCCESS) {
      value.bytes.resize(size);
      return value;
    }
    if (result != ERROR_MORE_DATA) break;
  }
  return std::unexpected(RegValueFailure{false, result});
}

}  // namespace

std::expected<RegValueBytes, RegValueFailure> ReadRegistryValue(bool localMachine,
                                                                const std::string& keyPath,
                                                                const std::string& valueName) {
  const HKEY root = localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  auto view32 = ReadInView(root, keyPath, valueName, KEY_WOW64_32KEY);
  if (view32) return view32;
  return ReadInView(root, keyPath, valueName, KEY_WOW64_64KEY);
}

}  // namespace zpk::platform

#endif  // _WIN32
