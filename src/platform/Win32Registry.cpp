#ifdef _WIN32

#include "platform/Win32Registry.h"

#include <QByteArray>

#include "platform/Win32RegistryValue.h"

namespace zpk::platform {

std::expected<RegData, RegFailure> Win32Registry::Query(RegRoot root, const QString& keyPath,
                                                        const QString& valueName) const {
  const auto value = ReadRegistryValue(root == RegRoot::LocalMachine,
                                       keyPath.toLocal8Bit().toStdString(),
                                       valueName.toLocal8Bit().toStdString());
  if (!value) {
    return std::unexpected(RegFailure{
        value.error().atOpen ? RegFailure::Stage::OpenKey : RegFailure::Stage::QueryValue,
        value.error().code});
  }
  const QByteArray bytes(reinterpret_cast<const char*>(value->bytes.data()),
                         static_cast<qsizetype>(value->bytes.size()));
  RegData data;
  data.type = static_cast<int>(value->type);
  switch (data.type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz: {
      // The system's 8-bit code page, as the narrow calls give it; the terminating NULs go.
      QByteArray text = bytes;
      if (data.type != kRegMultiSz) {
        while (text.endsWith('\0')) text.chop(1);
      }
      data.text = QString::fromLocal8Bit(text);
      break;
    }
    case kRegDword:
      if (bytes.size() != 4) {
        return std::unexpected(RegFailure{RegFailure::Stage::QueryValue, 13 /* ERROR_INVALID_DATA */});
      }
      data.number = static_cast<std::uint32_t>(value->bytes[0]) |
                    static_cast<std::uint32_t>(value->bytes[1]) << 8 |
                    static_cast<std::uint32_t>(value->bytes[2]) << 16 |
                    static_cast<std::uint32_t>(value->bytes[3]) << 24;
      break;
    default:
      data.bytes = bytes;
  }
  return data;
}

std::optional<QString> Win32Registry::ToLocalPath(const QString& windowsPath) const {
  return windowsPath;
}

}  // namespace zpk::platform

#endif  // _WIN32
