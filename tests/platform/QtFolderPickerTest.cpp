// The Qt folder dialog, driven offscreen: the test records what the open dialog shows and
// closes it the way a user would.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <functional>
#include <optional>
#include <string>

#include "platform/QtFolderPicker.h"
#include "support/ModalDialog.h"
#include "support/TempDir.h"
#include "support/RowName.h"

namespace zpk::platform {
namespace {

namespace fs = std::filesystem;

// Paths below the test folder; "/" stands for the root itself.
struct PickCase {
  const char* name;
  std::string start;
  std::function<void(QFileDialog&, const QString& dir)> act;
  std::string directory;  // the folder the dialog shows, "" unchecked
  std::string selected;   // the folder selected in it, "" unchecked
  std::optional<std::string> result;  // nothing: cancelled
};

class PickTest : public testing::TestWithParam<PickCase> {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "Games" / "Tidewater");
    fs::create_directories(dir_ / "Games" / "Other");
  }
  QString Path(const std::string& below) const {
    return below == "/" ? QStringLiteral("/") : QString::fromStdString((dir_ / below).string());
  }
  test::TempDir dir_;
};

TEST_P(PickTest, OpensModallyOverTheOwnerAtTheStartFolderAndGivesTheChoice) {
  const PickCase& c = GetParam();
  QWidget owner;
  bool opened = false;
  test::WhenModalShown([&](QDialog& shown) {
    auto* dialog = qobject_cast<QFileDialog*>(&shown);
    ASSERT_NE(dialog, nullptr);
    opened = true;
    EXPECT_EQ(dialog->windowTitle(), "Locate Tidewater installation folder:");
    EXPECT_EQ(dialog->parentWidget(), &owner);
    if (!c.directory.empty()) {
      EXPECT_EQ(dialog->directory().absolutePath(), Path(c.directory));
    }
    if (!c.selected.empty()) {
      EXPECT_EQ(dialog->selectedFiles(), QStringList{Path(c.selected)});
    }
    c.act(*dialog, QString::fromStdString(dir_.path().string()));
  });
  const QString chosen =
      QtFolderPicker().PickFolder(&owner, "Locate Tidewater installation folder:", Path(c.start));
  ASSERT_TRUE(opened);
  EXPECT_EQ(chosen, c.result ? Path(*c.result) : QString());
}

// What the dialog's own buttons do (QFileDialog::accept reached through QDialog).
void Reject(QFileDialog& d, const QString&) { d.reject(); }
void Accept(QFileDialog& d, const QString&) { static_cast<QDialog&>(d).accept(); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PickTest,
    testing::Values(
        PickCase{"StartFolderSelectedWithoutItsSeparator", "Games/Tidewater/", Accept, "Games",
                 "Games/Tidewater", "Games/Tidewater"},
        PickCase{"TheUsersChoice", "Games/Tidewater",
                 [](QFileDialog& d, const QString& dir) {
                   // selectFile leaves the name box alone while it has the focus (the user
                   // may be typing there), and offscreen it sometimes has it by now.
                   if (QWidget* focused = d.focusWidget()) focused->clearFocus();
                   d.selectFile(dir + "/Games/Other");
                   Accept(d, dir);
                 },
                 "", "", "Games/Other"},
        PickCase{"GoneStartOpensTheNearestFolderAbove", "Games/Gone/Deeper", Reject, "", "Games",
                 std::nullopt},
        PickCase{"RootKeepsItsSeparator", "/", Accept, "/", "", "/"}), test::RowName());

}  // namespace
}  // namespace zpk::platform
