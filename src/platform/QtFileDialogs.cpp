#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include "platform/FileDialogs.h"

namespace zpk::platform {

namespace {

// The patterns as Qt reads them: separated by blanks. Elsewhere than on Windows "*.*"
// would match only names holding a dot, and programs there have none: it stands for "*".
QString QtPatterns(QString patterns) {
  patterns.replace(';', ' ');
  QStringList list = patterns.simplified().split(' ', Qt::SkipEmptyParts);
#ifndef _WIN32
  for (QString& pattern : list) {
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
  }
#endif
  return list.join(' ');
}

}  // namespace

QStringList NameFiltersFromPairs(const QString& filter) {
  QStringList pieces = filter.split(QChar(0));
  // The list ends with an empty piece (two NULs); drop everything from there on.
  if (const auto end = pieces.indexOf(QString()); end >= 0) pieces = pieces.mid(0, end);
  QStringList filters;
  // Qt reads the patterns from the last parenthesised group; the dialog hides that group
  // (HideNameFilterDetails), so the type list shows each description as it was given.
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    filters << pieces[i] + " (" + QtPatterns(pieces[i + 1]) + ")";
  }
  return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogInfo& info, bool save) {
  dialog.setWindowTitle(info.title);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode((info.flags & kOfnFileMustExist) ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(info.flags & kOfnOverwritePrompt));
  if (!info.initialFolder.isEmpty()) dialog.setDirectory(info.initialFolder);
  QString suffix = info.defaultExtension;
  if (suffix.startsWith('.')) suffix.remove(0, 1);
#ifndef _WIN32
  // Programs here have no extension: a typed "eog" is that file, not "eog.exe".
  if (!save) suffix.clear();
#endif
  dialog.setDefaultSuffix(suffix);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const QStringList filters = NameFiltersFromPairs(info.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const auto index = info.filterIndex >= 1 && info.filterIndex <= filters.size()
                           ? info.filterIndex - 1
                           : 0;
    dialog.selectNameFilter(filters[index]);
  }
  if (!info.fileName.isEmpty()) dialog.selectFile(info.fileName);
}

namespace {

QString Run(QWidget* owner, const FileDialogInfo& info, bool save) {
  QFileDialog dialog(owner);
  ConfigureFileDialog(dialog, info, save);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen.front());
}

class QtFileDialogs final : public FileDialogs {
 public:
  QString ShowSave(QWidget* owner, const FileDialogInfo& info) override {
    return Run(owner, info, true);
  }
  QString ShowOpen(QWidget* owner, const FileDialogInfo& info) override {
    return Run(owner, info, false);
  }
};

}  // namespace

std::unique_ptr<FileDialogs> CreateQtFileDialogs() { return std::make_unique<QtFileDialogs>(); }

}  // namespace zpk::platform
