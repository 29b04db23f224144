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

namespace zpk::platform {
namespace {

namespace fs = std::filesystem;

struct Seen {
  bool opened = false;
  QString title;
  QString directory;
  QStringList selected;
  bool modal = false;
  QWidget* parent = nullptr;
};

// Records what the folder dialog shows once it is up, then runs act on it.
void WhenDialogOpens(Seen& seen, std::function<void(QFileDialog&)> act) {
  test::WhenModalShown([&seen, act](QDialog& shown) {
    auto* dialog = qobject_cast<QFileDialog*>(&shown);
    ASSERT_NE(dialog, nullptr);
    seen = {true, dialog->windowTitle(), dialog->directory().absolutePath(), dialog->selectedFiles(),
            dialog->isModal(), dialog->parentWidget()};
    act(*dialog);
  });
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

// Paths below the test folder; "/" stands for the root itself.
struct PickCase {
  const char* name;
  std::string start;
  std::function<void(QFileDialog&, const fs::path&)> act;
  std::string directory;  // the folder the dialog shows
  std::string selected;   // the folder selected in it
  std::optional<std::string> result;  // nothing: cancelled
};

class PickTest : public QtFolderPickerTest, public testing::WithParamInterface<PickCase> {};

TEST_P(PickTest, OpensModallyOverTheOwnerAtTheStartFolderAndGivesTheChoice) {
  const PickCase& c = GetParam();
  const auto path = [&](const std::string& below) {
    return below == "/" ? QStringLiteral("/") : Q(dir_.path() / below);
  };
  Seen seen;
  WhenDialogOpens(seen, [&](QFileDialog& d) { c.act(d, dir_.path()); });
  QWidget owner;
  const QString chosen = picker_.PickFolder(&owner, "Locate Tidewater installation folder:",
                                            c.start == "/" ? "/" : path(c.start));
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(seen.title, "Locate Tidewater installation folder:");
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.parent, &owner);
  if (!c.directory.empty()) {
    EXPECT_EQ(seen.directory, path(c.directory));
  }
  if (!c.selected.empty()) {
    EXPECT_EQ(seen.selected, QStringList{path(c.selected)});
  }
  EXPECT_EQ(chosen, c.result ? path(*c.result) : QString());
}

void Reject(QFileDialog& d, const fs::path&) { d.reject(); }
void Accept(QFileDialog& d, const fs::path&) { Choose(d); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PickTest,
    testing::Values(
        PickCase{"StartFolderSelected", "Games/Tidewater", Accept, "Games", "Games/Tidewater",
                 "Games/Tidewater"},
        PickCase{"TrailingSeparatorSelectedToo", "Games/Tidewater/", Accept, "", "Games/Tidewater",
                 "Games/Tidewater"},
        PickCase{"TheUsersChoice", "Games/Tidewater",
                 [](QFileDialog& d, const fs::path& dir) {
                   // selectFile leaves the name box alone while it has the focus (the user
                   // may be typing there), and offscreen it sometimes has it by now.
                   if (QWidget* focused = d.focusWidget()) focused->clearFocus();
                   d.selectFile(Q(dir / "Games" / "Other"));
                   Choose(d);
                 },
                 "", "", "Games/Other"},
        PickCase{"CancelGivesNothing", "Games/Tidewater", Reject, "", "", std::nullopt},
        PickCase{"GoneStartOpensTheNearestFolderAbove", "Games/Gone/Deeper", Reject, "", "Games",
                 std::nullopt},
        PickCase{"RootKeepsItsSeparator", "/", Accept, "/", "", "/"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zpk::platform
