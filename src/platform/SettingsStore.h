// The per-user settings store: one application name, one section, text values. Every read
// goes to the store and every write is made at once; nothing is cached.
//
// The Qt implementation uses QSettings with the organisation "Quill's Tidewater Tools" and
// the application "Tidewater ZPK Viewer": on Windows HKEY_CURRENT_USER\Software\Quill's
// Tidewater Tools\Tidewater ZPK Viewer, elsewhere
// $XDG_CONFIG_HOME/Quill's Tidewater Tools/Tidewater ZPK Viewer.conf.
#pragma once

#include <QString>

namespace zpk::platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or defaultValue when the key is absent (present but empty gives "").
  virtual QString Read(const QString& key, const QString& defaultValue) = 0;
  // Stores the text at once; false when the store could not be written.
  virtual bool Write(const QString& key, const QString& value) = 0;
};

}  // namespace zpk::platform
