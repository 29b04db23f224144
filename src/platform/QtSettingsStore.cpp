#include "platform/QtSettingsStore.h"

#include <QSettings>

namespace zpk::platform {

namespace {
// A fresh QSettings for every access: the program keeps no copy of its own, and another
// copy of the program (or the user's editor) may have changed the file meanwhile.
QSettings OpenStore() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, kSettingsOrganisation,
                   kSettingsApplication);
}
}  // namespace

QString QtSettingsStore::Read(const QString& key, const QString& defaultValue) {
  QSettings store = OpenStore();
  const QVariant value = store.value(key);
  if (!value.isValid()) return defaultValue;
  // A hand-edited line with an unquoted comma reads back as a list; give it back as text.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
  return value.toString();
}

bool QtSettingsStore::Write(const QString& key, const QString& value) {
  QSettings store = OpenStore();
  store.setValue(key, value);
  store.sync();
  return store.status() == QSettings::NoError;
}

}  // namespace zpk::platform
