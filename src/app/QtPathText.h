// Conversions between the window's texts (QString) and the paths and byte texts of the
// core and the path utilities.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

#include "util/PathUtils.h"

namespace zpk::app {

inline std::filesystem::path ToFsPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

inline QString FromFsPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// The path utilities work on bytes; separators are ASCII, so UTF-8 passes through them.
inline QString AddBackslash(const QString& path) {
  return QString::fromStdString(util::AddBackslash(path.toStdString()));
}

inline QString GetFileName(const QString& path) {
  return QString::fromStdString(util::GetFileName(path.toStdString()));
}

}  // namespace zpk::app
