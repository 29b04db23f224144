// The Qt folder dialog, driven offscreen: a timer finds the open dialog, records what it
// shows and closes it the way a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTimer>
#include <functional>

#include "platform/QtFolderPicker.h"
#include "support/TempDir.h"

namespace zpk::platform {
namespace {

namespace fs = std::filesystem;

struct Seen {
  bool opened = false;
  QString title;
  QString directory;
  QStringList selected;
  bool modal = false;
};

// Runs act on the folder dialog once it is open; rejects it after a while so that a test
// that finds no dialog fails instead of hanging.
void WhenDialogOpens(Seen& seen, std::function<void(QFileDialog&)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [=, &seen] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (clock->elapsed() < 10000) return;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      }
    } else {
      seen.opened = true;
      seen.title = dialog->windowTitle();
      seen.directory = dialog->directory().absolutePath();
      seen.selected = dialog->selectedFiles();
      seen.modal = dialog->isModal();
      act(*dialog);
    }
    timer->stop();
    timer->deleteLater();
    delete clock;
  });
  timer->start(10);
}

// What the dialog's "Choose" button does (QFileDialog::accept, reached through QDialog).
void Choose(QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); }

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

class QtFolderPickerTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "Games" / "Tidewater");
    fs::create_directories(dir_ / "Games" / "Other");
  }
  test::TempDir dir_;
  QtFolderPicker picker_;
};

TEST_F(QtFolderPickerTest, OpensWithTheTitleAndTheStartFolderSelected) {
  Seen seen;
  WhenDialogOpens(seen, [](QFileDialog& d) { Choose(d); });
  const QString chosen = picker_.PickFolder(
      nullptr, "Locate Tidewater installation folder:", Q(dir_ / "Games" / "Tidewater"));
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(seen.title, "Locate Tidewater installation folder:");
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.directory, Q(dir_ / "Games"));
  EXPECT_EQ(seen.selected, QStringList{Q(dir_ / "Games" / "Tidewater")});
  EXPECT_EQ(chosen, Q(dir_ / "Games" / "Tidewater"));
}

TEST_F(QtFolderPickerTest, AStartFolderWithATrailingSeparatorIsSelectedToo) {
  Seen seen;
  WhenDialogOpens(seen, [](QFileDialog& d) { Choose(d); });
  const QString chosen = picker_.PickFolder(nullptr, "t", Q(dir_ / "Games" / "Tidewater") + "/");
  EXPECT_EQ(seen.selected, QStringList{Q(dir_ / "Games" / "Tidewater")});
  EXPECT_EQ(chosen, Q(dir_ / "Games" / "Tidewater"));
}

TEST_F(QtFolderPickerTest, GivesTheFolderTheUserChose) {
  Seen seen;
  WhenDialogOpens(seen, [this](QFileDialog& d) {
    d.selectFile(Q(dir_ / "Games" / "Other"));
    Choose(d);
  });
  EXPECT_EQ(picker_.PickFolder(nullptr, "t", Q(dir_ / "Games" / "Tidewater")),
            Q(dir_ / "Games" / "Other"));
}

TEST_F(QtFolderPickerTest, GivesNothingWhenCancelled) {
  Seen seen;
  WhenDialogOpens(seen, [](QFileDialog& d) { d.reject(); });
  EXPECT_EQ(picker_.PickFolder(nullptr, "t", Q(dir_ / "Games" / "Tidewater")), QString());
  EXPECT_TRUE(seen.opened);
}

TEST_F(QtFolderPickerTest, AStartFolderThatIsGoneOpensTheNearestFolderAboveIt) {
  Seen seen;
  WhenDialogOpens(seen, [](QFileDialog& d) { d.reject(); });
  picker_.PickFolder(nullptr, "t", Q(dir_ / "Games" / "Gone" / "Deeper"));
  EXPECT_EQ(seen.selected, QStringList{Q(dir_ / "Games")});
}

TEST_F(QtFolderPickerTest, TheRootComesBackWithItsSeparator) {
  Seen seen;
  WhenDialogOpens(seen, [](QFileDialog& d) { Choose(d); });
  EXPECT_EQ(picker_.PickFolder(nullptr, "t", "/"), "/");
  EXPECT_EQ(seen.directory, "/");
}

TEST_F(QtFolderPickerTest, IsOwnedByTheWindowGiven) {
  QWidget owner;
  QFileDialog* seenDialog = nullptr;
  Seen seen;
  WhenDialogOpens(seen, [&](QFileDialog& d) {
    seenDialog = &d;
    EXPECT_EQ(d.parentWidget(), &owner);
    d.reject();
  });
  picker_.PickFolder(&owner, "t", Q(dir_ / "Games"));
  EXPECT_NE(seenDialog, nullptr);
}

}  // namespace
}  // namespace zpk::platform
