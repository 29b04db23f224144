#ifdef _WIN32

#include "platform/Win32Registry.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <QByteArray>
#include <vector>

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

HKEY RootKey(RegRoot root) {
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::expected<RegData, RegFailure> QueryInView(RegRoot root, const QByteArray& keyPath,
                                               const QByteArray& valueName, REGSAM view) {
  RegKey key;
  LONG result = RegOpenKeyExA(RootKey(root), keyPath.constData(), 0, KEY_READ | view, key.out());
  if (result != ERROR_SUCCESS)
    return std::unexpected(RegFailure{RegFailure::Stage::OpenKey, result});

  // Ask for the size first; a value may change between the two calls, so retry a few times.
  std::vector<BYTE> buffer;
  DWORD type = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    result = RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) break;
    buffer.assign(size, 0);
    result = RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type,
                              buffer.empty() ? nullptr : buffer.data(), &size);
    if (result == ERROR_SUCCESS) {
      buffer.resize(size);
      break;
    }
    if (result != ERROR_MORE_DATA) break;
  }
  if (result != ERROR_SUCCESS) {
    return std::unexpected(RegFailure{RegFailure::Stage::QueryValue, result});
  }

  RegData data;
  data.type = static_cast<int>(type);
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
      // The system's 8-bit code page, as the narrow calls give it; the terminating NULs go.
      QByteArray text(reinterpret_cast<const char*>(buffer.data()),
                      static_cast<qsizetype>(buffer.size()));
      if (type != REG_MULTI_SZ) {
        while (text.endsWith('\0')) text.chop(1);
      }
      data.text = QString::fromLocal8Bit(text);
      break;
    }
    case REG_DWORD:
      if (buffer.size() != 4) {
        return std::unexpected(RegFailure{RegFailure::Stage::QueryValue, ERROR_INVALID_DATA});
      }
      data.number =
          static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
          static_cast<std::uint32_t>(buffer[2]) << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
      break;
    default:
      data.bytes = QByteArray(reinterpret_cast<const char*>(buffer.data()),
                              static_cast<qsizetype>(buffer.size()));
  }
  return data;
}

}  // namespace

std::expected<RegData, RegFailure> Win32Registry::Query(RegRoot root, const QString& keyPath,
                                                        const QString& valueName) const {
  const QByteArray key = keyPath.toLocal8Bit();
  const QByteArray name = valueName.toLocal8Bit();
  // The 32-bit view first, where a 32-bit installer writes on a 64-bit system; then the
  // native view. The native view's failure is the one reported.
  const auto view32 = QueryInView(root, key, name, KEY_WOW64_32KEY);
  if (view32) return view32;
  return QueryInView(root, key, name, KEY_WOW64_64KEY);
}

std::optional<QString> Win32Registry::ToLocalPath(const QString& windowsPath) const {
  return windowsPath;
}

}  // namespace zpk::platform

#endif  // _WIN32
