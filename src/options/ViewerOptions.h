// The Options page: one row per external viewer (hex editor, picture viewer, text viewer)
// with a caption, an editable path box, a choose button and, for pictures and texts, a
// "Use system default" check box. Choosing a program and ticking a box are written to the
// settings store at once; a path typed into a box is used but not saved.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "options/FileDialogWrappers.h"
#include "platform/SettingsStore.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zpk::options {

enum ViewerIndex : std::int16_t { kHexEditor = 0, kPicViewer = 1, kTxtViewer = 2 };

// The controls of one row; useSystemDefault is null for the hex editor.
struct ViewerRow {
  QLabel* caption = nullptr;
  QLineEdit* path = nullptr;
  QPushButton* choose = nullptr;
  QCheckBox* useSystemDefault = nullptr;
};

class ViewerOptions {
 public:
  ViewerOptions(std::array<ViewerRow, 3> rows, platform::SettingsStore& settings,
                DialogServices dialogs, std::function<bool()> isLoading);

  void btnChoose_Click(std::int16_t index);
  void cbStdViewer_Click();
  void cbStdText_Click();

 private:
  void SystemDefaultChanged(ViewerIndex index);

  std::array<ViewerRow, 3> rows_;
  platform::SettingsStore& settings_;
  DialogServices dialogs_;
  std::function<bool()> isLoading_;
};

}  // namespace zpk::options
