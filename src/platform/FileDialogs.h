// The open and save file dialogs. The window's wrappers (options/FileDialogWrappers.h) fill
// a FileDialogInfo; the platform shows the dialog modal to the owner and hands back the
// chosen path. Tests replace this with a scripted fake so that nothing modal blocks them.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QFileDialog;
class QWidget;

namespace zpk::platform {

// Option flags, with the values of the Windows common dialogs.
inline constexpr std::uint32_t kOfnOverwritePrompt = 0x2;
inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOfnFileMustExist = 0x1000;
inline constexpr std::uint32_t kOfnExplorer = 0x80000;
inline constexpr std::uint32_t kOfnLongNames = 0x200000;

struct FileDialogInfo {
  // Pairs of description and pattern, each piece ended by a NUL, the list ended by one
  // more NUL (see ConvertFilter). A pattern may list several wildcards separated by ";".
  QString filter;
  std::int32_t filterIndex = 0;  // 1-based pair selected when the dialog opens
  QString initialFolder;
  QString fileName;  // proposed in the name field
  QString title;
  QString defaultExtension;  // added when the user types none; with or without its "."
  std::uint32_t flags = 0;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen full path, or "" when the user cancelled or the dialog failed.
  virtual QString ShowSave(QWidget* owner, const FileDialogInfo& info) = 0;
  virtual QString ShowOpen(QWidget* owner, const FileDialogInfo& info) = 0;
};

// Qt's file dialog.
std::unique_ptr<FileDialogs> CreateQtFileDialogs();

// Sets up dialog as the request says: title, folder, proposed name, type list and its
// selection, default suffix, and the overwrite question or the must-exist rule.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogInfo& info, bool save);

// The Qt name filters for a NUL-separated pair list: "description (patterns)".
QStringList NameFiltersFromPairs(const QString& filter);

}  // namespace zpk::platform
