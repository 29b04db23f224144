#include "options/FileDialogWrappers.h"

#include <QStringList>

#include "util/Language.h"

namespace zpk::options {

namespace {

QString DialogTitle(const QString& title) {
  return title.endsWith(':') ? title : title + ':';
}

QString WithAllFiles(const QString& filter) {
  return filter.isEmpty() ? AllFilesFilter() : filter + '|' + AllFilesFilter();
}

platform::FileDialogInfo BaseInfo(const QString& title, const QString& initialFolder,
                                  const QString& defaultExtension, const QString& fileName,
                                  const QString& filter) {
  platform::FileDialogInfo info;
  info.title = DialogTitle(title);
  info.filter = ConvertFilter(WithAllFiles(filter));
  info.initialFolder = initialFolder;
  info.fileName = fileName;
  info.defaultExtension = defaultExtension;
  return info;
}

// The dialog runs modal to the active window; events queued around it run before and
// after, as the window system would deliver them.
template <typename Show>
QString Run(const DialogServices& services, Show show) {
  QWidget* owner = services.window.ActiveWindow();
  QString chosen = show(owner);
  services.window.ProcessPendingEvents();
  services.window.ProcessPendingEvents();
  return chosen;
}

}  // namespace

QString AllFilesFilter() {
  return util::LanguageIndex == 0 ? QStringLiteral("Alle Dateien (*.*)|*.*")
                                  : QStringLiteral("All files (*.*)|*.*");
}

QString ConvertFilter(const QString& filter) {
  QString result;
  int count = 0;
  for (const QString& piece : filter.split('|')) {
    if (piece.isEmpty()) continue;
    result += piece;
    result += QChar(0);
    ++count;
  }
  if (count % 2 == 1) {
    result += QStringLiteral("*.*");
    result += QChar(0);
  }
  if (!result.isEmpty()) result += QChar(0);
  return result;
}

platform::FileDialogInfo SaveDialogInfo(const QString& title, const QString& initialFolder,
                                        const QString& defaultExtension,
                                        const QString& fileName, const QString& filter,
                                        std::int16_t filterIndex) {
  auto info = BaseInfo(title, initialFolder, defaultExtension, fileName, filter);
  info.filterIndex = filterIndex;
  info.flags = platform::kOfnOverwritePrompt | platform::kOfnHideReadOnly |
               platform::kOfnLongNames;
  return info;
}

platform::FileDialogInfo OpenDialogInfo(const QString& title, const QString& initialFolder,
                                        const QString& defaultExtension,
                                        const QString& fileName, const QString& filter) {
  auto info = BaseInfo(title, initialFolder, defaultExtension, fileName, filter);
  info.filterIndex = 1;
  info.flags = platform::kOfnHideReadOnly | platform::kOfnFileMustExist |
               platform::kOfnExplorer | platform::kOfnLongNames;
  return info;
}

QString ShowSaveDialog(const DialogServices& services, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension,
                       const QString& fileName, const QString& filter,
                       std::int16_t filterIndex) {
  const auto info =
      SaveDialogInfo(title, initialFolder, defaultExtension, fileName, filter, filterIndex);
  return Run(services, [&](QWidget* owner) { return services.dialogs.ShowSave(owner, info); });
}

QString ShowOpenDialog(const DialogServices& services, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension,
                       const QString& fileName, const QString& filter) {
  const auto info = OpenDialogInfo(title, initialFolder, defaultExtension, fileName, filter);
  return Run(services, [&](QWidget* owner) { return services.dialogs.ShowOpen(owner, info); });
}

}  // namespace zpk::options
