#include "options/ViewerOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "util/PathUtils.h"

namespace zpk::options {

namespace {

// Settings keys and dialog title of a row.
struct ViewerRowKeys {
  const char* pathKey;
  const char* systemDefaultKey;  // none for the hex editor
  const char* dialogTitle;
};

constexpr std::array<ViewerRowKeys, 3> kRowKeys{{
    {"HEXEditor", nullptr, "HEX Editor:"},
    {"PICViewer", "STD PICViewer", "PIC Viewer:"},
    {"TXTViewer", "STD TXTViewer", "TXT Viewer:"},
}};

}  // namespace

ViewerOptions::ViewerOptions(std::array<ViewerRow, 3> rows, platform::SettingsStore& settings,
                             DialogServices dialogs, std::function<bool()> isLoading)
    : rows_(rows), settings_(settings), dialogs_(dialogs), isLoading_(std::move(isLoading)) {}

void ViewerOptions::btnChoose_Click(std::int16_t index) {
  if (index < 0 || index > 2) return;
  const ViewerRow& row = rows_[static_cast<std::size_t>(index)];
  const ViewerRowKeys& keys = kRowKeys[static_cast<std::size_t>(index)];

  const QString current = row.path->text();
  QString folder;
  QString name;
  if (!current.isEmpty()) {
    const std::string text = current.toStdString();
    folder = QString::fromStdString(util::GetFilePath(text));
    name = QString::fromStdString(util::GetFileName(text));
  }
  const QString chosen = ShowOpenDialog(dialogs_, keys.dialogTitle, folder, ".exe", name,
                                        "EXE files (*.exe)|*.exe");
  if (chosen.isEmpty()) return;

  row.path->setText(chosen);
  settings_.Write(keys.pathKey, chosen);
  // The choose button is enabled only while the box is unticked, so "0" matches it.
  if (keys.systemDefaultKey != nullptr) settings_.Write(keys.systemDefaultKey, "0");
}

void ViewerOptions::cbStdViewer_Click() { SystemDefaultChanged(kPicViewer); }

void ViewerOptions::cbStdText_Click() { SystemDefaultChanged(kTxtViewer); }

void ViewerOptions::SystemDefaultChanged(ViewerIndex index) {
  const ViewerRow& row = rows_[index];
  const int value = row.useSystemDefault->isChecked() ? 1 : 0;
  const bool enabled = value == 0;
  row.caption->setEnabled(enabled);
  row.path->setEnabled(enabled);
  row.choose->setEnabled(enabled);
  if (!isLoading_()) settings_.Write(kRowKeys[index].systemDefaultKey, QString::number(value));
}

}  // namespace zpk::options
