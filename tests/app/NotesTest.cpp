// Notes per archive: saved when another archive is chosen and when the window closes, never
// rewritten when unedited, and a failed write reported with the notes kept; then the notes
// file's name and bytes (safe names, CR LF line ends, Windows-1252, round trips).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <fstream>
#include <optional>
#include <sys/resource.h>

#include "AppTestSupport.h"
#include "app/NotesFile.h"
#include "support/FolderRights.h"
#include "support/ScopedEnv.h"

namespace zpk::test {
namespace {

using app::frmMain;
using tools::ToBytes;

class NotesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    const auto one = tools::ArchiveWriter("ONE").Add("a.txt", "aa").Bytes();
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

// Unedited notes are never rewritten, neither when another archive is chosen nor when the
// window closes, and an archive without notes gets no empty notes file. Each line typed in
// the box is saved as a line of the file; notes edited to nothing leave an empty file.
TEST_F(NotesTest, TypedNotesAreSavedWhenAnotherArchiveIsChosenUneditedOnesNever) {
  WriteFileBytes(NotesOf("data2.zpk"), ToBytes("notes of two\r\n"));
  const auto stamp = std::filesystem::last_write_time(NotesOf("data2.zpk")) - std::chrono::hours(1);
  std::filesystem::last_write_time(NotesOf("data2.zpk"), stamp);
  frmMain& w = Start();
  ClickArchive(1);
  ClickArchive(0);
  EXPECT_FALSE(std::filesystem::exists(NotesOf("data1.zpk")));
  EXPECT_EQ(std::filesystem::last_write_time(NotesOf("data2.zpk")), stamp);
  Type(w, "abc");
  ClickArchive(1);
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), ToBytes("abc\r\n"));
  EXPECT_EQ(w.txtZPKNotes->toPlainText(), QStringLiteral("notes of two\n"));
  Type(w, "more");
  ClickArchive(0);
  EXPECT_EQ(ReadFileBytes(NotesOf("data2.zpk")), ToBytes("notes of two\r\nmore\r\n"));
  w.txtZPKNotes->selectAll();
  QTest::keyClick(w.txtZPKNotes, Qt::Key_Delete);
  ClickArchive(1);
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), ToBytes(""));
  std::filesystem::last_write_time(NotesOf("data2.zpk"), stamp);
  w.btnDone->click();
  EXPECT_EQ(std::filesystem::last_write_time(NotesOf("data2.zpk")), stamp);
}

// A folder without archives (here one gone since the last run): nothing chosen and nobody
// asked (a folder dialog fails the test), the labels keep their design texts. "Done"
// closes the window and saves typed notes, once: with no archive chosen, to ".txt".
TEST_F(NotesTest, FolderWithoutArchivesChoosesNothingAndDoneSavesTypedNotesOnce) {
  StoreSetting("InstallPath", FolderText(Root() / "gone"));
  frmMain& w = Start();
  EXPECT_EQ(w.lblZPKID->text(), "lblZPKID");
  Type(w, "n");
  w.btnDone->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(ReadFileBytes(ProgramFolder() / ".txt"), ToBytes("n\r\n"));
  std::filesystem::remove(ProgramFolder() / ".txt");
  w.close();
  EXPECT_FALSE(std::filesystem::exists(ProgramFolder() / ".txt"));
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
// the opening; a file size limit takes the first bytes and refuses the rest; both at once
// make the save write the existing notes file in place, whose old bytes must survive.
struct Refusal {
  const char* name;
  bool readOnlyFolder, sizeLimit;
};

class FailedSaveTest : public NotesTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(FailedSaveTest, NotesThatCantBeSavedAreReportedAndStayWithTheirArchive) {
  frmMain& w = Start();
  Type(w, "keep me");
  const bool inPlace = GetParam().readOnlyFolder && GetParam().sizeLimit;
  if (inPlace) WriteFileBytes(NotesOf("data1.zpk"), ToBytes("old"));
  {
    std::optional<ReadOnlyFolder> readOnly;
    std::optional<FileSizeLimit> limit;
    if (GetParam().readOnlyFolder) readOnly.emplace(ProgramFolder());
    if (GetParam().sizeLimit) limit.emplace(4);
    ClickArchive(1);
  }
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  const ShownMessage& shown = windowSystem.messages[0];
  const QString told = "The notes can't be saved to \"" + Q(NotesOf("data1.zpk")) + "\": ";
  EXPECT_TRUE(shown.text.startsWith(told)) << shown.text.toStdString();
  EXPECT_GT(shown.text.size(), told.size() + 3) << "no reason given";
  EXPECT_EQ(shown.icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(shown.title, w.VersionTitle());
  EXPECT_EQ(windowSystem.beeps, 1);  // for the failed write; nothing loaded
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 0);
  EXPECT_EQ(w.txtZPKNotes->toPlainText(), "keep me");
  if (inPlace) EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), ToBytes("old"));
  ClickArchive(1);  // writable again: saved, then the other archive is shown
  EXPECT_EQ(ReadFileBytes(NotesOf("data1.zpk")), ToBytes("keep me\r\n"));
  EXPECT_EQ(w.lstZPKFiles->ListIndex(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, FailedSaveTest,
                         ::testing::Values(Refusal{"ReadOnlyFolder", true, false},
                                           Refusal{"FileSizeLimit", false, true},
                                           Refusal{"InPlace", true, true}),
                         RowName());

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
}

// The archive's file name made safe, with ".txt", in a folder beside the program unless
// that is installed for the system.
TEST(NotesFilePath, SafeNameBesideTheProgramUnlessInstalledForTheSystem) {
  EXPECT_EQ(app::SafeFileName("\\/:+*?<>|\" b-c_d(e)&f.zpk"), "__________ b-c_d(e)&f.zpk");
  EXPECT_EQ(app::NotesFilePath("/opt/viewer", "/games/Tidewater/a+b.zpk"),
            std::filesystem::path("/opt/viewer/a_b.zpk.txt"));
  const TempDir root;
  const auto data = root / "data";
  const ScopedEnv dataHome("XDG_DATA_HOME", data.string());
  std::filesystem::create_directories(root / "build/bin");
  std::filesystem::create_directories(root / "usr/bin");
  std::filesystem::create_directories(root / "usr/share/applications");
  std::ofstream(root / "usr/share/applications/org.example.TidewaterZpkViewer.desktop") << "[Desktop Entry]\n";

  EXPECT_EQ(app::NotesFolder(root / "build/bin"), root / "build/bin");  // bin/ alone is no installation
  const std::filesystem::path installed = app::NotesFolder(root / "usr/bin");
  EXPECT_EQ(installed.parent_path(), data);
  EXPECT_TRUE(std::filesystem::is_directory(installed));
}

// Every line ends with CR LF, the last one too, and a text that ends with the box's line
// break gets no empty line after it; CRs that end a line are left out, a lone CR stays.
TEST(NotesFileBytes, EveryLineEndsWithCrLfAndRoundTripsKeepTheBytes) {
  const std::pair<QString, QByteArray> rows[] = {
      {"a\nb", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\rb\r\n"},
      {"a\r\r\nb\r", "a\r\nb\r\n"},
      {QString::fromUtf8("\u20AC \u00E9 \u0178"), "\x80 \xE9 \x9F\r\n"},
      {QString::fromUtf8("\u4E2D\U0001F600!"), "?" "?!\r\n"}};  // outside the code page
  for (const auto& [text, bytes] : rows) {
    EXPECT_EQ(app::NotesFileBytes(text), bytes) << text.toStdString();
  }
  // A file read into the box and saved again keeps its bytes, a last line break added.
  // Saving what was read must give what the next read shows: a file whose lines end with
  // extra CRs ("a" CR CR LF) once read "a" CR LF back, which the next save took for one
  // line break and so lost a CR on every round.
  EXPECT_EQ(app::NotesTextFromBytes(QByteArray("a\r\nb\r\n")), QStringLiteral("a\nb\n"));
  for (const QByteArray& original : {QByteArray("x"), QByteArray("\r\n\r\n"), QByteArray("\x80 caf\xE9\r\n")}) {
    EXPECT_EQ(app::NotesFileBytes(app::NotesTextFromBytes(original)),
              original.endsWith("\r\n") ? original : original + "\r\n");
  }
  for (const QByteArray& file : {QByteArray("a\r\r\n"), QByteArray("\r\r\r\nb\r"),
                                QByteArray("x\ry\r\n\r"), QByteArray("\x81\x8D\x00\r\n")}) {
    const QByteArray saved = app::NotesFileBytes(app::NotesTextFromBytes(file));
    const QString shown = app::NotesTextFromBytes(saved);
    EXPECT_EQ(app::NotesFileBytes(shown), saved) << file.toHex().toStdString();
    EXPECT_EQ(app::NotesTextFromBytes(app::NotesFileBytes(shown)), shown) << file.toHex().toStdString();
  }
}

}  // namespace
}  // namespace zpk::test
