#include "options/ViewerOptions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>

#include "support/IniSettingsStore.h"
#include "support/RecordingWindowSystem.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TempDir.h"

namespace {

using namespace zpk;
namespace fs = std::filesystem;

class ViewerOptionsTest : public ::testing::Test {
 protected:
  std::array<options::ViewerRow, 3> Rows() {
    std::array<options::ViewerRow, 3> rows;
    for (std::size_t i = 0; i < 3; ++i) {
      rows[i] = {&captions_[i], &paths_[i], &buttons_[i], i == 0 ? nullptr : &boxes_[i]};
    }
    return rows;
  }

  test::TempDir dir_;
  test::IniSettingsStore settings_{dir_ / "settings.conf"};
  test::ScriptedFileDialogs dialogs_;
  test::RecordingWindowSystem window_;
  std::array<QLabel, 3> captions_;
  std::array<QLineEdit, 3> paths_;
  std::array<QPushButton, 3> buttons_;
  std::array<QCheckBox, 3> boxes_;  // [0] unused: the hex editor has none
  options::ViewerOptions page_{Rows(), settings_, {dialogs_, window_}, [] { return false; }};
};

// The dialog starts at the current program of its row; cancelled, nothing changes. (Its
// file types are the real dialog's below.)
TEST_F(ViewerOptionsTest, TheDialogStartsAtTheCurrentProgram) {
  const struct {
    std::int16_t index;
    QString current, folder, file, title;
  } rows[] = {{0, "/opt/tools/hexed.exe", "/opt/tools/", "hexed.exe", "HEX Editor:"},
              {1, "viewer.exe", "", "viewer.exe", "PIC Viewer:"},
              {2, "", "", "", "TXT Viewer:"}};
  for (const auto& row : rows) {
    dialogs_.calls.clear();
    paths_[static_cast<std::size_t>(row.index)].setText(row.current);
    page_.btnChoose_Click(row.index);
    ASSERT_EQ(dialogs_.calls.size(), 1u);
    const auto& info = dialogs_.calls[0].info;
    EXPECT_EQ(info.title, row.title);
    EXPECT_EQ(info.initialFolder, row.folder) << row.current.toStdString();
    EXPECT_EQ(info.fileName, row.file) << row.current.toStdString();
    EXPECT_EQ(info.defaultExtension, ".exe");
  }
  EXPECT_EQ(settings_.writes, 0);
}

// The page with Qt's own file dialog, on a folder holding a program named without a dot,
// as programs are on Linux, and one named with ".exe": both are listed, and the one without
// a dot can be chosen (no ".exe" is added to its name).
class RealDialogTest : public ViewerOptionsTest {
 protected:
  // The names the dialog lists as choosable.
  static QStringList Listed(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>("listView");
    QStringList names;
    if (view == nullptr) return names;
    for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
      const QModelIndex item = view->model()->index(r, 0, view->rootIndex());
      if (item.flags() & Qt::ItemIsEnabled) names << item.data().toString();
    }
    return names;
  }
  std::unique_ptr<platform::FileDialogs> qtDialogs_ = platform::CreateQtFileDialogs();
  options::ViewerOptions realPage_{Rows(), settings_, {*qtDialogs_, window_}, [] { return false; }};
};

TEST_F(RealDialogTest, ListsEveryProgramAndTakesTheChosenOneForTheNextStart) {
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  for (const char* name : {"eog", "hexed.exe"}) {
    std::ofstream(dir_ / name) << "#!/bin/sh\n";
    fs::permissions(dir_ / name, fs::perms::owner_all);
  }
  const QString chosen = QString::fromStdString((dir_ / "eog").string());
  paths_[0].setText(QString::fromStdString((dir_ / "gone").string()));  // starts in dir_
  QStringList types, listed;
  QTimer::singleShot(0, [&] {
    QPointer<QFileDialog> dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; i < combo->count(); ++i) types << combo->itemText(i);
    QTest::keyClick(combo, Qt::Key_Down);  // to "Alle Dateien (*.*)"
    QTest::qWaitFor([&] { return Listed(*dialog).size() >= 2; });
    listed = Listed(*dialog);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    name->setText(QStringLiteral("eog"));
    // A refused name (a "not found" box) must not leave the test waiting.
    QTimer::singleShot(0, [dialog] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
      if (dialog) dialog->reject();
    });
    QMetaObject::invokeMethod(dialog, "accept");  // the Open button
  });
  realPage_.btnChoose_Click(0);
  EXPECT_EQ(types, (QStringList{"EXE files (*.exe)", "Alle Dateien (*.*)"}));
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"eog", "hexed.exe"}));
  EXPECT_EQ(paths_[0].text(), chosen);
  EXPECT_EQ(test::IniSettingsStore(dir_ / "settings.conf").Read("HEXEditor", "?"), chosen);
}

}  // namespace
