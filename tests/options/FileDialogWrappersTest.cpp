#include "options/FileDialogWrappers.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "support/RecordingWindowSystem.h"
#include "support/ScriptedFileDialogs.h"
#include "util/Language.h"

namespace {

using namespace zpk;
using options::ConvertFilter;

// "a|b" style text with NUL for "|", so that expectations stay readable.
QString Nul(QString text) { return text.replace('|', QChar(0)); }

struct ConvertCase {
  const char* name;
  QString filter;
  QString expected;  // "|" stands for NUL
};

class ConvertFilterTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertFilterTest, PiecesBecomeNulEndedStrings) {
  EXPECT_EQ(ConvertFilter(GetParam().filter), Nul(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertFilterTest,
    ::testing::Values(
        ConvertCase{"Empty", "", ""},
        ConvertCase{"OnlySeparators", "|||", ""},
        ConvertCase{"OnePair", "EXE files (*.exe)|*.exe", "EXE files (*.exe)|*.exe||"},
        ConvertCase{"OddCountGetsAllPatterns", "Pictures|*.bmp|Texts", "Pictures|*.bmp|Texts|*.*||"},
        ConvertCase{"EmptyPiecesDroppedBeforePairing", "|A||*.a|||B|*.b|", "A|*.a|B|*.b||"},
        ConvertCase{"BlanksAreKept", " | ", " | ||"}),
    [](const auto& p) { return std::string(p.param.name); });

class DialogWrappersTest : public ::testing::Test {
 protected:
  void TearDown() override { util::LanguageIndex = 0; }
  test::ScriptedFileDialogs dialogs_;
  test::RecordingWindowSystem window_;
  options::DialogServices services_{dialogs_, window_};
};

TEST_F(DialogWrappersTest, SaveDialogAsksBeforeReplacingAndOffersAllFiles) {
  QWidget owner;
  window_.activeWindow = &owner;
  dialogs_.answers = {"/out/ship.bmp"};
  EXPECT_EQ(options::ShowSaveDialog(services_, "Save ressource as:", "/tmp/", "", "ship.bmp", "", 1),
            "/out/ship.bmp");
  ASSERT_EQ(dialogs_.calls.size(), 1u);
  const auto& call = dialogs_.calls[0];
  EXPECT_TRUE(call.save);
  EXPECT_EQ(call.owner, &owner);
  EXPECT_EQ(call.info.title, "Save ressource as:");
  EXPECT_EQ(call.info.initialFolder, "/tmp/");
  EXPECT_EQ(call.info.fileName, "ship.bmp");
  EXPECT_EQ(call.info.filter, Nul("Alle Dateien (*.*)|*.*||"));
  EXPECT_EQ(call.info.filterIndex, 1);
  EXPECT_EQ(call.info.flags, 0x200006u);
  EXPECT_EQ(window_.eventRounds, 2);
}

TEST_F(DialogWrappersTest, OpenDialogWantsAnExistingFileFromTheFirstFilter) {
  EXPECT_EQ(options::ShowOpenDialog(services_, "HEX Editor", "C:\\Tools\\", ".exe", "hexed.exe",
                                    "EXE files (*.exe)|*.exe"),
            QString());  // cancelled
  ASSERT_EQ(dialogs_.calls.size(), 1u);
  const auto& call = dialogs_.calls[0];
  EXPECT_FALSE(call.save);
  EXPECT_EQ(call.owner, nullptr);  // no active window: no owner, the dialog still opens
  EXPECT_EQ(call.info.title, "HEX Editor:");
  EXPECT_EQ(call.info.defaultExtension, ".exe");
  EXPECT_EQ(call.info.filter, Nul("EXE files (*.exe)|*.exe|Alle Dateien (*.*)|*.*||"));
  EXPECT_EQ(call.info.filterIndex, 1);
  EXPECT_EQ(call.info.flags, 0x281004u);
}

TEST_F(DialogWrappersTest, TitlesEndWithOneColon) {
  const std::pair<QString, QString> rows[] = {
      {"", ":"}, {"PIC Viewer", "PIC Viewer:"}, {"PIC Viewer:", "PIC Viewer:"}, {"a: b", "a: b:"}};
  for (const auto& [title, shown] : rows) {
    dialogs_.calls.clear();
    options::ShowSaveDialog(services_, title, "", "", "", "", 1);
    options::ShowOpenDialog(services_, title, "", "", "", "");
    ASSERT_EQ(dialogs_.calls.size(), 2u);
    EXPECT_EQ(dialogs_.calls[0].info.title, shown);
    EXPECT_EQ(dialogs_.calls[1].info.title, shown);
  }
}

TEST_F(DialogWrappersTest, TheAllFilesEntryFollowsTheLanguage) {
  util::LanguageIndex = 1;
  options::ShowSaveDialog(services_, "t", "", "", "", "", 1);
  util::LanguageIndex = -7;
  options::ShowOpenDialog(services_, "t", "", "", "", "A|*.a");
  util::LanguageIndex = 0;
  options::ShowOpenDialog(services_, "t", "", "", "", "");
  EXPECT_EQ(dialogs_.calls[0].info.filter, Nul("All files (*.*)|*.*||"));
  EXPECT_EQ(dialogs_.calls[1].info.filter, Nul("A|*.a|All files (*.*)|*.*||"));
  EXPECT_EQ(dialogs_.calls[2].info.filter, Nul("Alle Dateien (*.*)|*.*||"));
  // The save dialog keeps the caller's filter index.
  options::ShowSaveDialog(services_, "t", "", "", "", "A|*.a|B|*.b", 2);
  EXPECT_EQ(dialogs_.calls[3].info.filterIndex, 2);
}

}  // namespace
