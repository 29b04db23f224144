// A settings store in memory that records its writes as "key=value".
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "platform/SettingsStore.h"

namespace zpk::test {

class MemorySettingsStore final : public platform::SettingsStore {
 public:
  QString Read(const QString& key, const QString& defaultValue) override {
    return values.value(key, defaultValue);
  }
  bool Write(const QString& key, const QString& value) override {
    writes << key + "=" + value;
    values.insert(key, value);
    return true;
  }

  QMap<QString, QString> values;
  QStringList writes;
};

}  // namespace zpk::test
