// The settings store on QSettings in the platform's native format: the registry on
// Windows, $XDG_CONFIG_HOME/Quill's Tidewater Tools/Tidewater ZPK Viewer.conf elsewhere.
#pragma once

#include "platform/SettingsStore.h"

namespace zpk::platform {

inline constexpr const char* kSettingsOrganisation = "Quill's Tidewater Tools";
inline constexpr const char* kSettingsApplication = "Tidewater ZPK Viewer";

class QtSettingsStore final : public SettingsStore {
 public:
  QString Read(const QString& key, const QString& defaultValue) override;
  bool Write(const QString& key, const QString& value) override;
};

}  // namespace zpk::platform
