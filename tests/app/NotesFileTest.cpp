// The notes file's name and bytes: safe names, CR LF line ends, Windows-1252, and the
// round trip of a file through the notes box and back. Writing and reading the file, and a
// failed write, are the window's tests (NotesTest).
#include <gtest/gtest.h>

#include <QByteArray>
#include <fstream>
#include <string>

#include "app/NotesFile.h"
#include "support/TempDir.h"

namespace zpk::app {
namespace {

TEST(SafeFileName, ReplacesEachUnsafeCharacterOneForOne) {
  EXPECT_EQ(SafeFileName("\\/:+*?<>|\""), "__________");
  EXPECT_EQ(SafeFileName("a b-c_d(e)&f.zpk"), "a b-c_d(e)&f.zpk");
  EXPECT_EQ(SafeFileName(""), "");
}

TEST(NotesFilePath, ArchiveFileNameWithTxtInTheProgramFolder) {
  EXPECT_EQ(NotesFilePath("/opt/viewer", "/games/Tidewater/data2.zpk"),
            std::filesystem::path("/opt/viewer/data2.zpk.txt"));
  EXPECT_EQ(NotesFilePath("/opt/viewer", "/games/a+b.zpk"),
            std::filesystem::path("/opt/viewer/a_b.zpk.txt"));
  // No archive chosen: the notes go to ".txt".
  EXPECT_EQ(NotesFilePath("/opt/viewer", ""), std::filesystem::path("/opt/viewer/.txt"));
}

TEST(NotesFolder, BesideTheProgramUnlessInstalledForTheSystem) {
  const test::TempDir root;
  const auto data = root / "data";
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.string()));
  std::filesystem::create_directories(root / "build/bin");
  std::filesystem::create_directories(root / "usr/bin");
  std::filesystem::create_directories(root / "usr/share/applications");
  std::ofstream(root / "usr/share/applications/org.example.TidewaterZpkViewer.desktop") << "[Desktop Entry]\n";

  EXPECT_EQ(NotesFolder(root / "build"), root / "build");
  EXPECT_EQ(NotesFolder(root / "build/bin"), root / "build/bin");  // bin/ alone is no installation
  const std::filesystem::path installed = NotesFolder(root / "usr/bin");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(installed.parent_path(), data);
  EXPECT_TRUE(std::filesystem::is_directory(installed));
}

struct BytesCase {
  std::string name;
  QString text;
  QByteArray bytes;
};

class NotesBytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(NotesBytesTest, EveryLineEndsWithCrLf) {
  EXPECT_EQ(NotesFileBytes(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Text, NotesBytesTest,
    ::testing::Values(
        BytesCase{"ThreeLetters", "abc", QByteArray("abc\r\n")},
        BytesCase{"Empty", "", QByteArray()},
        BytesCase{"TwoLinesFromTheBox", "a\nb", QByteArray("a\r\nb\r\n")},
        BytesCase{"EndingWithBoxBreakGetsNoEmptyLine", "a\nb\n", QByteArray("a\r\nb\r\n")},
        BytesCase{"EmptyLinesInsideKept", "a\n\nb", QByteArray("a\r\n\r\nb\r\n")},
        BytesCase{"LoneCrStaysInItsLine", "a\rb", QByteArray("a\rb\r\n")},
        BytesCase{"CrsEndingALineLeftOut", "a\r\r\nb\r", QByteArray("a\r\nb\r\n")},
        BytesCase{"Windows1252", QString::fromUtf8("\u20AC \u00E9 \u0178"),
                  QByteArray("\x80 \xE9 \x9F\r\n")},
        BytesCase{"OutsideTheCodePage", QString::fromUtf8("\u4E2D\U0001F600!"),
                  QByteArray("?" "?!\r\n")}),
    [](const auto& row) { return row.param.name; });

// A file read into the box and saved again keeps its bytes, a last line break added. Saving
// what was read must give what the next read shows: a file whose lines end with extra CRs
// ("a" CR CR LF) once read "a" CR LF back, which the next save took for one line break and
// so lost a CR on every round.
TEST(NotesText, RoundTripsKeepTheBytes) {
  EXPECT_EQ(NotesTextFromBytes(QByteArray("a\r\nb\r\n")), QStringLiteral("a\nb\n"));
  for (const QByteArray& original : {QByteArray("x"), QByteArray("\r\n\r\n"), QByteArray("\x80 caf\xE9\r\n")}) {
    EXPECT_EQ(NotesFileBytes(NotesTextFromBytes(original)),
              original.endsWith("\r\n") ? original : original + "\r\n");
  }
  for (const QByteArray& file : {QByteArray("a\r\r\n"), QByteArray("\r\r\r\nb\r"),
                                QByteArray("x\ry\r\n\r"), QByteArray("\x81\x8D\x00\r\n")}) {
    const QByteArray saved = NotesFileBytes(NotesTextFromBytes(file));
    const QString shown = NotesTextFromBytes(saved);
    EXPECT_EQ(NotesFileBytes(shown), saved) << file.toHex().toStdString();
    EXPECT_EQ(NotesTextFromBytes(NotesFileBytes(shown)), shown) << file.toHex().toStdString();
  }
}

}  // namespace
}  // namespace zpk::app
