// The program's two file dialogs: "Save as..." asks where to write a resource, the Options
// page asks for a viewer program. Both take a title, start folder, default extension,
// proposed name and a filter of "description|pattern" pairs, add the all-files entry, and
// return the chosen full path or "". They keep nothing between calls.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/FileDialogs.h"
#include "platform/WindowSystem.h"

namespace zpk::options {

// The services the dialogs are shown through.
struct DialogServices {
  platform::FileDialogs& dialogs;
  platform::WindowSystem& window;
};

// "Alle Dateien (*.*)|*.*" while LanguageIndex is 0, else "All files (*.*)|*.*".
QString AllFilesFilter();

// The "|"-separated pieces as NUL-ended strings with one more NUL at the end. Empty
// pieces are dropped; an odd count gets the pattern "*.*" for its last description.
// An empty filter gives "".
QString ConvertFilter(const QString& filter);

QString ShowSaveDialog(const DialogServices& services, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension,
                       const QString& fileName, const QString& filter,
                       std::int16_t filterIndex);

QString ShowOpenDialog(const DialogServices& services, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension,
                       const QString& fileName, const QString& filter);

// The requests the two dialogs are shown with.
platform::FileDialogInfo SaveDialogInfo(const QString& title, const QString& initialFolder,
                                        const QString& defaultExtension,
                                        const QString& fileName, const QString& filter,
                                        std::int16_t filterIndex);
platform::FileDialogInfo OpenDialogInfo(const QString& title, const QString& initialFolder,
                                        const QString& defaultExtension,
                                        const QString& fileName, const QString& filter);

}  // namespace zpk::options
