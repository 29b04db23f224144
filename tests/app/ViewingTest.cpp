// The five resource buttons and the Options page of the real window, clicked offscreen.
// External viewers and the desktop's opener are played by tests/launch/fake_viewer (called
// with "--opener" first when it stands for the opener); only the file dialogs are scripted.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <optional>

#include "AppTestSupport.h"
#include "app/frmMain_Viewing.h"
#include "platform/Launcher.h"
#include "support/ScriptedFileDialogs.h"
#include "support/FolderRights.h"
#include "support/ViewerLog.h"

namespace {

using namespace zpk;
using namespace zpk::test;
namespace fs = std::filesystem;

const QString kViewer = ZPK_FAKE_VIEWER;
enum Row { kShip = 0, kNotes = 1, kSong = 2 };

class ViewingTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    tools::ArchiveWriter writer("VIEW");
    writer.Add("gfx/ship.bmp", "BM ship").Add("txt/my notes.txt", "notes").Add("snd/intro song.wav", "RIFF");
    AddArchive("res.zpk", writer.Bytes());
  }

  // Builds the window with its viewing part, runs start-up and picks a resource.
  app::frmMain& StartOn(int row) {
    new app::frmMainViewing(Window(), dialogs_, *launcher_, copies_);  // the window's child
    app::frmMain& window = Start();
    ClickArchive(0);
    ClickResource(row);
    return window;
  }
  void Click(QAbstractButton* button) {
    EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }
  fs::path Temp() const { return copies_.Folder(); }

  FakeViewerEnv viewer_{Root() / "viewer.log"};
  ScriptedFileDialogs dialogs_;
  launch::TemporaryCopies copies_{launch::CopyFolderBelow(Root() / "tmp")};
  std::unique_ptr<platform::Launcher> launcher_ =
      platform::CreatePosixLauncher({kViewer, "--opener"});
};

struct ViewCase {
  const char* name;
  int button;       // 0 HEX, 1 Picture, 2 TXT, 3 Play
  bool named;       // the viewer's path is set
  bool useDefault;  // "Use system default" ticked
  const char* expect;  // "viewer", "opener" or the missing-viewer text
};

class ViewButtonTest : public ViewingTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewButtonTest, StartsTheRightViewerOrSaysWhichToChoose) {
  const auto& c = GetParam();
  const char* pathKeys[] = {"HEXEditor", "PICViewer", "TXTViewer", nullptr};
  const char* defaultKeys[] = {nullptr, "STD PICViewer", "STD TXTViewer", nullptr};
  // A path of blanks names no viewer.
  if (c.button < 3) StoreSetting(pathKeys[c.button], c.named ? kViewer : QStringLiteral("  "));
  if (c.useDefault) StoreSetting(defaultKeys[c.button], "1");
  const bool play = c.button == 3;  // only a sound or a video can be played
  const std::string name = play ? "intro song.wav" : "my notes.txt";
  app::frmMain& window = StartOn(play ? kSong : kNotes);
  QPushButton* buttons[] = {window.btnViewHEX, window.btnViewPIC, window.btnViewTXT, window.btnPlay};
  Click(buttons[c.button]);

  const std::string expect = c.expect;
  if (expect == "viewer" || expect == "opener") {
    const auto runs =
        WaitForViewerRuns(viewer_.log(), expect == "opener" ? RunsOf::Opener : RunsOf::Viewers, 1);
    ASSERT_EQ(runs.size(), 1u);
    // Play hands the opener the copy's full path, the viewers its bare name.
    EXPECT_EQ(runs[0].args.back(), play ? (Temp() / name).string() : name);
  } else {
    ASSERT_EQ(windowSystem.messages.size(), 1u);
    EXPECT_EQ(windowSystem.messages[0].text, QString(c.expect));
    EXPECT_EQ(windowSystem.messages[0].title, "Oops ;)");
    EXPECT_EQ(windowSystem.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(windowSystem.beeps, 2);  // the first for choosing the archive
    EXPECT_FALSE(fs::exists(Temp())) << "copied for no viewer";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewButtonTest,
    ::testing::Values(
        ViewCase{"HexNamed", 0, true, false, "viewer"},
        ViewCase{"HexMissing", 0, false, false, "Click on 'Options...' to choose your favorite HEX Editor..."},
        ViewCase{"PictureNamedWinsOverDefault", 1, true, true, "viewer"},
        ViewCase{"PictureDefault", 1, false, true, "opener"},
        ViewCase{"PictureMissing", 1, false, false, "Click on 'Options...' to choose your favorite PIC viewer..."},
        ViewCase{"TextNamed", 2, true, false, "viewer"},
        ViewCase{"TextDefault", 2, false, true, "opener"},
        ViewCase{"TextMissing", 2, false, false, "Click on 'Options...' to choose your favorite TXT viewer..."},
        ViewCase{"Play", 3, false, false, "opener"}),
    RowName());

// Closing the window while a view command waits for its viewer ends the wait at once:
// the click returns while the viewer runs on with its copy.
TEST_F(ViewingTest, ClosingTheWindowEndsTheWaitForTheViewer) {
  viewer_.Hold();
  StoreSetting("HEXEditor", kViewer);
  app::frmMain& window = StartOn(kShip);  // shown
  // The user closes the window once the viewer is up. Should the wait go on regardless,
  // the viewer ends by itself after a while, and the test fails.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!ReadViewerLog(viewer_.log()).empty() && window.isVisible()) window.close();
  });
  closer.start(5);
  Click(window.btnViewHEX);
  const auto runs = ReadViewerLog(viewer_.log());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_FALSE(runs[0].ended);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(fs::exists(Temp() / "ship.bmp"));
  EXPECT_TRUE(windowSystem.messages.empty());
}

// btnChoosePath starts at the shown folder; cancelled, nothing changes. Once it picks another
// folder with an archive of the same name, the list keeps the names found at start-up, and
// the commands read that archive, at the positions its own directory gives.
// The Options page through the window's own controls: a choice is saved, and unticks its
// row; a tick greys its own row only, and is saved. At start-up a box takes the number its
// setting starts with, a number other than 0 or 1 leaving it as it is (each click below
// flips what start-up set), and nothing is written back.
TEST_F(ViewingTest, TheFolderAndTheViewersChosenThroughTheWindow) {
  StoreSetting("STD TXTViewer", "  1 apple");
  StoreSetting("STD PICViewer", "7");
  app::frmMain& window = StartOn(kShip);
  tools::ArchiveWriter other("OTHER");
  other.Add("padding.bin", std::string(1000, 'p')).Add("gfx/ship.bmp", "BM other ship");
  fs::create_directory(Root() / "other");
  ASSERT_TRUE(other.WriteFile(Root() / "other" / "res.zpk"));
  ASSERT_TRUE(other.WriteFile(Root() / "other" / "a.zpk"));
  folderPicker.answers = {QString(), Q(Root() / "other")};
  Click(window.btnChoosePath);
  EXPECT_TRUE(settings.writes.empty()) << "start-up or a cancelled choice wrote a setting";
  Click(window.btnChoosePath);
  ASSERT_EQ(folderPicker.calls.size(), 2u);
  EXPECT_EQ(folderPicker.calls[1].startFolder, FolderText(Install()));  // kept when cancelled
  EXPECT_EQ(window.lblInstallPath->text(), FolderText(Root() / "other"));
  EXPECT_EQ(ListedRows(*window.lstZPKFiles), QStringList{"res.zpk"});
  ClickResource(1);
  dialogs_.answers = {Q(Root() / "saved.bmp")};
  Click(window.btnSaveAs);
  EXPECT_EQ(ReadFileBytes(Root() / "saved.bmp"), tools::ToBytes("BM other ship"));

  window.regMain->setCurrentIndex(1);  // the Options page
  dialogs_.answers = {Q(Root() / "hexed"), Q(Root() / "pics" / "viewer")};
  Click(window.btnChoose[0]);
  EXPECT_EQ(StoredSetting("STD PICViewer"), "7");
  Click(window.btnChoose[1]);
  EXPECT_EQ(StoredSetting("PICViewer"), Q(Root() / "pics" / "viewer"));
  EXPECT_EQ(StoredSetting("STD PICViewer"), "0");

  Click(window.cbStdText);
  EXPECT_TRUE(window.txtTXTViewer->isEnabled() && window.btnChoose[2]->isEnabled());
  EXPECT_EQ(StoredSetting("STD TXTViewer"), "0");
  Click(window.cbStdViewer);
  EXPECT_FALSE(window.txtPICViewer->isEnabled());
  EXPECT_FALSE(window.btnChoose[1]->isEnabled());
  EXPECT_FALSE(window.lblPICViewerTXT->isEnabled());
  EXPECT_TRUE(window.txtHEXEditor->isEnabled() && window.txtTXTViewer->isEnabled());
  EXPECT_EQ(StoredSetting("STD PICViewer"), "1");
}

// Save as over an existing file replaces its bytes and nothing else about it.
struct ReplaceCase {
  const char* name;
  bool throughLink;
  bool readOnlyFolder;
};

class SaveAsReplaceTest : public ViewingTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(SaveAsReplaceTest, KeepsTheReplacedFilesRightsAndLinks) {
  app::frmMain& window = StartOn(kShip);
  const fs::path folder = Root() / "out";
  fs::create_directory(folder);
  const fs::path file = folder / "old.bmp";
  WriteFileBytes(file, tools::ToBytes("old bytes, longer than the new ones"));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path chosen = GetParam().throughLink ? Root() / "link.bmp" : file;
  if (GetParam().throughLink) fs::create_symlink(file, chosen);
  dialogs_.answers = {Q(chosen)};
  {
    std::optional<ReadOnlyFolder> readOnly;
    if (GetParam().readOnlyFolder) readOnly.emplace(folder);
    Click(window.btnSaveAs);
  }
  EXPECT_TRUE(windowSystem.messages.empty()) << windowSystem.messages.at(0).text.toStdString();
  EXPECT_EQ(ReadFileBytes(file), tools::ToBytes("BM ship"));
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(fs::is_symlink(chosen), GetParam().throughLink);
  EXPECT_EQ(ListFiles(folder), std::vector<fs::path>{"old.bmp"});
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveAsReplaceTest,
                         ::testing::Values(ReplaceCase{"PlainFile", false, false},
                                           ReplaceCase{"ThroughALink", true, false},
                                           ReplaceCase{"InAReadOnlyFolder", false, true}),
                         RowName());

}  // namespace
