#include "app/modRegSubs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zpk::app {

namespace {

using platform::RegData;
using platform::RegFailure;

constexpr long kErrorMoreData = 234;
constexpr qsizetype kTextBufferSize = 255;  // room for 254 characters and the NUL
constexpr qsizetype kNumberSize = 4;

// The byte count the value takes when read with the narrow-character calls.
qsizetype StoredSize(const RegData& data) {
  switch (data.type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
    case platform::kRegMultiSz: return data.text.toLocal8Bit().size() + 1;
    case platform::kRegDword: return kNumberSize;
    default: return data.bytes.size();
  }
}

QString ExistingFolder(const platform::Registry& registry, const QString& windowsPath) {
  if (windowsPath.trimmed().isEmpty()) return {};
  const auto local = registry.ToLocalPath(windowsPath);
  if (!local || !QFileInfo(*local).isDir()) return {};
  return QDir::toNativeSeparators(QDir::cleanPath(*local));
}

QString RegistryText(const platform::Registry& registry, platform::RegRoot root,
                     const QString& keyPath, const QString& valueName) {
  const auto data = registry.Query(root, keyPath, valueName);
  return data ? data->text : QString();
}

QString ProgramFilesFolder(const platform::Registry& registry) {
  const QString fromRegistry =
      RegistryText(registry, platform::RegRoot::LocalMachine,
                   QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion"),
                   QStringLiteral("ProgramFilesDir"));
  for (const QString& candidate : {fromRegistry, QStringLiteral("C:\\Program Files")}) {
    if (QString folder = ExistingFolder(registry, candidate); !folder.isEmpty()) return folder;
  }
  return QDir::toNativeSeparators(QDir::homePath());
}

QString WindowsFolder(const platform::Registry& registry) {
  if (const QString windir = qEnvironmentVariable("windir"); !windir.isEmpty()) return windir;
  return ExistingFolder(
      registry, RegistryText(registry, platform::RegRoot::LocalMachine,
                             QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion"),
                             QStringLiteral("SystemRoot")));
}

QString StandardFolder(QStandardPaths::StandardLocation location) {
  return QDir::toNativeSeparators(QStandardPaths::writableLocation(location));
}

}  // namespace

bool ReadRegValue(const platform::Registry& registry, platform::WindowSystem& windows,
                  const QString& versionTitle, platform::RegRoot root, const QString& keyPath,
                  const QString& valueName, int valueType, QVariant& value, bool reportFailures) {
  auto data = registry.Query(root, keyPath, valueName);
  if (data) {
    const qsizetype room = valueType == platform::kRegDword ? kNumberSize : kTextBufferSize;
    if (StoredSize(*data) > room) {
      data = std::unexpected(RegFailure{RegFailure::Stage::QueryValue, kErrorMoreData});
    }
  }
  if (!data) {
    const RegFailure& failure = data.error();
    const QString code = QString::number(failure.code);
    switch (failure.stage) {
      case RegFailure::Stage::OpenKey:
        if (reportFailures) {
          windows.ShowMessage(QStringLiteral("Eintrag kann nicht geöffnet werden:\r\nKey/Path= ") +
                                  keyPath + QStringLiteral("\r\nDLL-Rückmeldung=") + code,
                              platform::MsgIcon::Exclamation, versionTitle);
        }
        break;
      case RegFailure::Stage::QueryValue:
        if (reportFailures) {
          windows.ShowMessage(QStringLiteral("Eintrag/Wert kann nicht gelesen werden:\r\nKey= ") +
                                  valueName + QStringLiteral("\r\nDLL-Rückmeldung=") + code,
                              platform::MsgIcon::Exclamation, versionTitle);
        }
        break;
      case RegFailure::Stage::Other:
        windows.ShowMessage(QStringLiteral("Fehler bei Eintrag lesen: ") + failure.description,
                            platform::MsgIcon::Exclamation, versionTitle);
        break;
    }
    return false;
  }

  switch (data->type) {
    case platform::kRegSz: value = data->text; break;
    case platform::kRegDword: value = QVariant::fromValue<quint32>(data->number); break;
    default: value = 1;
  }
  return true;
}

QString GetSpecialFolder(const platform::Registry& registry, int csidl) {
  switch (csidl) {
    case kCsidlDesktop: return StandardFolder(QStandardPaths::DesktopLocation);
    case kCsidlPersonal: return StandardFolder(QStandardPaths::DocumentsLocation);
    case kCsidlWindows: return WindowsFolder(registry);
    case kCsidlProgramFiles: return ProgramFilesFolder(registry);
    case kCsidlProfile: return QDir::toNativeSeparators(QDir::homePath());
    default: return {};
  }
}

}  // namespace zpk::app
