#include "options/ViewerOptions.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/IniSettingsStore.h"
#include "support/RecordingWindowSystem.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TempDir.h"

namespace {

using namespace zpk;
using options::ViewerIndex;

class ViewerOptionsTest : public ::testing::Test {
 protected:
  std::array<options::ViewerRow, 3> Rows() {
    std::array<options::ViewerRow, 3> rows;
    for (std::size_t i = 0; i < 3; ++i) {
      rows[i] = {&captions_[i], &paths_[i], &buttons_[i], i == 0 ? nullptr : &boxes_[i]};
    }
    return rows;
  }
  bool Enabled(std::size_t i) const {
    return captions_[i].isEnabled() && paths_[i].isEnabled() && buttons_[i].isEnabled();
  }
  bool Disabled(std::size_t i) const {
    return !captions_[i].isEnabled() && !paths_[i].isEnabled() && !buttons_[i].isEnabled();
  }

  test::TempDir dir_;
  test::IniSettingsStore settings_{dir_ / "settings.conf"};
  test::ScriptedFileDialogs dialogs_;
  test::RecordingWindowSystem window_;
  bool loading_ = false;
  std::array<QLabel, 3> captions_;
  std::array<QLineEdit, 3> paths_;
  std::array<QPushButton, 3> buttons_;
  std::array<QCheckBox, 3> boxes_;  // [0] unused: the hex editor has none
  options::ViewerOptions page_{Rows(), settings_, {dialogs_, window_}, [this] { return loading_; }};
};

struct ChooseCase {
  const char* name;
  std::int16_t index;
  QString current;
  QString folder;
  QString file;
  QString title;
};

class ChooseStartTest : public ViewerOptionsTest,
                        public ::testing::WithParamInterface<ChooseCase> {};

TEST_P(ChooseStartTest, TheDialogStartsAtTheCurrentProgram) {
  const auto& c = GetParam();
  paths_[static_cast<std::size_t>(c.index)].setText(c.current);
  page_.btnChoose_Click(c.index);
  ASSERT_EQ(dialogs_.calls.size(), 1u);
  const auto& info = dialogs_.calls[0].info;
  EXPECT_FALSE(dialogs_.calls[0].save);
  EXPECT_EQ(info.title, c.title);
  EXPECT_EQ(info.initialFolder, c.folder);
  EXPECT_EQ(info.fileName, c.file);
  EXPECT_EQ(info.defaultExtension, ".exe");
  EXPECT_EQ(info.filter, options::ConvertFilter("EXE files (*.exe)|*.exe|Alle Dateien (*.*)|*.*"));
  // Cancelled: nothing changes.
  EXPECT_EQ(paths_[static_cast<std::size_t>(c.index)].text(), c.current);
  EXPECT_EQ(settings_.writes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseStartTest,
    ::testing::Values(
        ChooseCase{"FirstUse", 0, "", "", "", "HEX Editor:"},
        ChooseCase{"FolderAndName", 0, "/opt/tools/hexed.exe", "/opt/tools/", "hexed.exe", "HEX Editor:"},
        ChooseCase{"NameOnly", 1, "viewer.exe", "", "viewer.exe", "PIC Viewer:"},
        ChooseCase{"TextRow", 2, "/usr/bin/less", "/usr/bin/", "less", "TXT Viewer:"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(ViewerOptionsTest, AChosenProgramIsShownAndSaved) {
  dialogs_.answers = {"/opt/hexed", "/opt/pics", "/opt/texts"};
  page_.btnChoose_Click(0);
  EXPECT_EQ(paths_[0].text(), "/opt/hexed");
  EXPECT_EQ(settings_.Read("HEXEditor", "?"), "/opt/hexed");
  EXPECT_FALSE(settings_.Has("STD PICViewer"));
  EXPECT_FALSE(settings_.Has("STD TXTViewer"));

  page_.btnChoose_Click(1);
  page_.btnChoose_Click(2);
  EXPECT_EQ(settings_.Read("PICViewer", "?"), "/opt/pics");
  EXPECT_EQ(settings_.Read("STD PICViewer", "?"), "0");
  EXPECT_EQ(settings_.Read("TXTViewer", "?"), "/opt/texts");
  EXPECT_EQ(settings_.Read("STD TXTViewer", "?"), "0");
  EXPECT_EQ(paths_[2].text(), "/opt/texts");
}

TEST_F(ViewerOptionsTest, TickingSystemDefaultGreysTheRowAndIsSaved) {
  boxes_[1].setChecked(true);
  page_.cbStdViewer_Click();
  EXPECT_TRUE(Disabled(1));
  EXPECT_TRUE(Enabled(0));
  EXPECT_TRUE(Enabled(2));
  EXPECT_EQ(settings_.Read("STD PICViewer", "?"), "1");
  EXPECT_FALSE(settings_.Has("STD TXTViewer"));

  boxes_[1].setChecked(false);
  page_.cbStdViewer_Click();
  EXPECT_TRUE(Enabled(1));
  EXPECT_EQ(settings_.Read("STD PICViewer", "?"), "0");

  boxes_[2].setChecked(true);
  page_.cbStdText_Click();
  EXPECT_TRUE(Disabled(2));
  EXPECT_TRUE(Enabled(1));
  EXPECT_EQ(settings_.Read("STD TXTViewer", "?"), "1");
}

TEST_F(ViewerOptionsTest, WhileLoadingTheRuleAppliesButNothingIsSaved) {
  loading_ = true;
  boxes_[2].setChecked(true);
  page_.cbStdText_Click();
  EXPECT_TRUE(Disabled(2));
  EXPECT_EQ(settings_.writes, 0);
}

}  // namespace
