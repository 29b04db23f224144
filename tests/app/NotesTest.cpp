// Notes per archive: saved when another archive is chosen and when the window closes
// (by "Done" or by the close box), never rewritten when unedited, never growing, and a
// failed write reported. The file's bytes and name are NotesFileTest's.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>

#include "AppTestSupport.h"
#include "app/ChoiceList.h"
#include "support/ByteDiff.h"
#include "support/FolderRights.h"

namespace zpk::test {
namespace {

using app::frmMain;

std::vector<std::byte> B(std::string_view text) {
  const auto bytes = std::as_bytes(std::span(text));
  return {bytes.begin(), bytes.end()};
}

class NotesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    tools::ArchiveWriter one("ONE");
    one.Add("a.txt", "aa");
    AddArchive("data1.zpk", one);
    AddArchive("data2.zpk", one);
  }
  std::filesystem::path NotesOf(const std::string& archive) const {
    return ProgramFolder() / (archive + ".txt");
  }
  void Type(frmMain& w, const QString& text) {
    w.txtZPKNotes->setFocus();
    w.txtZPKNotes->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.txtZPKNotes, text);
  }
};

TEST_F(NotesTest, TypedNotesAreSavedWhenAnotherArchiveIsChosen) {
  WriteFileBytes(NotesOf("data2.zpk"), B("notes of two\r\n"));
  frmMain& w = Start();
  Type(w, "abc");
  EXPECT_TRUE(w.NotesChanged());
  ClickArchive(1);
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), B("abc\r\n"));
  EXPECT_EQ(w.txtZPKNotes->toPlainText(), QStringLiteral("notes of two\n"));
  EXPECT_FALSE(w.NotesChanged());
}

// "Done" and the frame's close box save alike; after "Done" the close saves no second time.
class CloseSavesTest : public NotesTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CloseSavesTest, TypedNotesAreSavedOnce) {
  frmMain& w = Start();
  Type(w, "closed");
  if (GetParam()) {
    w.btnDone->click();
    EXPECT_FALSE(w.isVisible());
  } else {
    w.close();
  }
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), B("closed\r\n"));
  std::filesystem::remove(NotesOf("data1.zpk"));
  w.close();
  EXPECT_FALSE(std::filesystem::exists(NotesOf("data1.zpk")));
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseSavesTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "Done" : "CloseBox"; });

TEST_F(NotesTest, EditedToEmptyGivesAnEmptyFile) {
  WriteFileBytes(NotesOf("data1.zpk"), B("q\r\n"));
  frmMain& w = Start();
  w.txtZPKNotes->selectAll();
  QTest::keyClick(w.txtZPKNotes, Qt::Key_Delete);
  ClickArchive(1);
  EXPECT_EQ(std::filesystem::file_size(NotesOf("data1.zpk")), 0u);
}

TEST_F(NotesTest, UneditedNotesAreNeverRewritten) {
  WriteFileBytes(NotesOf("data1.zpk"), B("kept\r\nas is\r\n"));
  const auto stamp = std::filesystem::last_write_time(NotesOf("data1.zpk")) - std::chrono::hours(1);
  std::filesystem::last_write_time(NotesOf("data1.zpk"), stamp);
  frmMain& w = Start();
  ClickArchive(1);
  ClickArchive(0);
  ClickArchive(1);
  w.btnDone->click();
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), B("kept\r\nas is\r\n"));
  EXPECT_EQ(std::filesystem::last_write_time(NotesOf("data1.zpk")), stamp);
  // An archive without notes gets no empty notes file.
  EXPECT_FALSE(std::filesystem::exists(NotesOf("data2.zpk")));
}

TEST_F(NotesTest, NotesEndingWithALineBreakDoNotGrow) {
  WriteFileBytes(NotesOf("data1.zpk"), B("line\r\n"));
  frmMain& w = Start();
  for (int round = 0; round < 3; ++round) {
    Type(w, "z");
    QTest::keyClick(w.txtZPKNotes, Qt::Key_Backspace);  // edited, same text
    ClickArchive(1);
    ClickArchive(0);
  }
  w.btnDone->click();
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), B("line\r\n"));
}

// Lowers this process's file size limit: a write past it fails (EFBIG, its signal ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  void (*previousHandler_)(int);
  rlimit saved_{};
};

// A failed write is told with the file and the reason, and the notes stay with their
// archive, which stays chosen, until they can be saved. A folder that takes no file fails
// the opening; a file size limit fails only the commit, when the buffered bytes go out.
class FailedSaveTest : public NotesTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FailedSaveTest, NotesThatCantBeSavedAreReportedAndStayWithTheirArchive) {
  frmMain& w = Start();
  Type(w, "keep me");
  const int beepsBefore = windowSystem.beeps;
  {
    std::optional<ReadOnlyFolder> readOnly;
    std::optional<FileSizeLimit> limit;
    if (GetParam()) readOnly.emplace(ProgramFolder());
    else limit.emplace(4);
    ClickArchive(1);
  }
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  const ShownMessage& shown = windowSystem.messages[0];
  const QString told = "The notes can't be saved to \"" + Q(NotesOf("data1.zpk")) + "\": ";
  EXPECT_TRUE(shown.text.startsWith(told)) << shown.text.toStdString();
  EXPECT_GT(shown.text.size(), told.size() + 3) << "no reason given";
  EXPECT_EQ(shown.icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(shown.title, w.VersionTitle());
  EXPECT_EQ(windowSystem.beeps, beepsBefore + 1);  // for the failed write; nothing loaded
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 0);
  EXPECT_EQ(w.txtZPKNotes->toPlainText(), "keep me");
  ClickArchive(1);  // writable again: saved, then the other archive is shown
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), B("keep me\r\n"));
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, FailedSaveTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "ReadOnlyFolder" : "FileSizeLimit"; });

// Closing would lose notes that can't be saved: the first close is refused and says why, a
// second one with nothing typed since goes; typing again earns another refusal.
TEST_F(NotesTest, ClosingWithNotesThatCantBeSavedIsRefusedOnce) {
  frmMain& w = Start();
  Type(w, "keep me");
  ReadOnlyFolder readOnly(ProgramFolder());
  w.btnDone->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.WasClosed());
  ASSERT_EQ(windowSystem.messages.size(), 2u);
  EXPECT_TRUE(windowSystem.messages[1].text.startsWith("The window stays open"));
  EXPECT_EQ(w.txtZPKNotes->toPlainText(), "keep me");
  Type(w, "!");
  w.close();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(windowSystem.messages.size(), 4u);
  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.WasClosed());
}

TEST_F(NotesTest, NotesTypedWithoutAnyArchiveGoToDotTxt) {
  StoreSetting("InstallPath", FolderText(Root() / "empty"));
  std::filesystem::create_directories(Root() / "empty");
  frmMain& w = Start();
  ASSERT_EQ(w.CurrentArchivePath(), QString());
  Type(w, "n");
  w.btnDone->click();
  EXPECT_EQ(ReadFileBytes(ProgramFolder() / ".txt"), B("n\r\n"));
}

}  // namespace
}  // namespace zpk::test
