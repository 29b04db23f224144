#include "platform/WineRegistry.h"

#include <QStringList>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/WinePrefix.h"
#include "platform/WineRegistryFile.h"

namespace zpk::platform {

namespace fs = std::filesystem;

namespace {

// Win32 result codes the failures carry, as the Windows registry gives them.
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorReadFault = 30;
// A registry file is a few megabytes; anything this large is not one.
constexpr std::uintmax_t kLargestFile = 256u * 1024 * 1024;

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }

RegFailure ReadFailure(const fs::path& path, const QString& why) {
  return RegFailure{RegFailure::Stage::Other, kErrorReadFault, PathText(path) + why};
}

std::expected<std::string, RegFailure> ReadWholeFile(const fs::path& path) {
  std::error_code error;
  const auto status = fs::status(path, error);
  // No file is no key, as a missing key is in the Windows registry.
  if (!fs::exists(status))
    return std::unexpected(RegFailure{RegFailure::Stage::OpenKey, kErrorFileNotFound});
  if (!fs::is_regular_file(status)) return std::unexpected(ReadFailure(path, " is not a file"));
  const std::uintmax_t size = fs::file_size(path, error);
  if (error)
    return std::unexpected(ReadFailure(path, ": " + QString::fromStdString(error.message())));
  if (size > kLargestFile) return std::unexpected(ReadFailure(path, " is too large"));

  std::ifstream in(path, std::ios::binary);
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (!in.is_open() || in.bad()) {
    return std::unexpected(ReadFailure(path, ": " + QString::fromLocal8Bit(std::strerror(errno))));
  }
  // A file that shrank while it was read: keep what was there.
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// The key paths to try, the 32-bit view first (see Registry.h).
QStringList CandidateKeys(RegRoot root, const QString& keyPath) {
  const QString key = NormaliseWineKeyPath(keyPath);
  QStringList keys;
  if (root == RegRoot::LocalMachine && key.startsWith(u"software\\") &&
      !key.startsWith(u"software\\wow6432node")) {
    keys << QStringLiteral("software\\wow6432node\\") + key.mid(9);
  }
  keys << key;
  return keys;
}

}  // namespace

std::expected<RegData, RegFailure> WineRegistry::Query(RegRoot root, const QString& keyPath,
                                                       const QString& valueName) const {
  const auto text =
      ReadWholeFile(prefix_ / (root == RegRoot::LocalMachine ? "system.reg" : "user.reg"));
  if (!text) return std::unexpected(text.error());
  const auto keys = FindWineRegistryKeys(*text, CandidateKeys(root, keyPath));

  RegFailure failure{RegFailure::Stage::OpenKey, kErrorFileNotFound};
  for (const WineRegistryKey& key : keys) {
    if (const RegData* data = key.Find(valueName)) return *data;
    failure.stage = key.exists ? RegFailure::Stage::QueryValue : RegFailure::Stage::OpenKey;
  }
  return std::unexpected(failure);
}

std::optional<QString> WineRegistry::ToLocalPath(const QString& windowsPath) const {
  const auto folder = MapWindowsPath(prefix_, windowsPath.toStdString());
  if (!folder) return std::nullopt;
  return PathText(*folder);
}

}  // namespace zpk::platform
