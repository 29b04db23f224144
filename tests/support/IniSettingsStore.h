// A settings store on a real settings file, for tests of the handlers that write settings.
#pragma once

#include <QSettings>
#include <QString>
#include <filesystem>

#include "platform/SettingsStore.h"

namespace zpk::test {

class IniSettingsStore : public platform::SettingsStore {
 public:
  explicit IniSettingsStore(const std::filesystem::path& file)
      : file_(QString::fromStdString(file.string())) {}
  QString Read(const QString& key, const QString& defaultValue) override {
    QSettings s(file_, QSettings::IniFormat);
    return s.value("Tidewater ZPK Viewer/" + key, defaultValue).toString();
  }
  bool Write(const QString& key, const QString& value) override {
    QSettings s(file_, QSettings::IniFormat);
    s.setValue("Tidewater ZPK Viewer/" + key, value);
    s.sync();
    ++writes;
    return s.status() == QSettings::NoError;
  }
  int writes = 0;

 private:
  QString file_;
};

}  // namespace zpk::test
