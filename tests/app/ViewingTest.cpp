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
#include <thread>

#include "AppTestSupport.h"
#include "app/frmMain_Viewing.h"
#include "platform/Launcher.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ViewerLog.h"

namespace {

using namespace zpk;
using namespace zpk::test;
namespace fs = std::filesystem;

const QString kViewer = ZPK_FAKE_VIEWER;
const char* const kOddName = "a;b $(touch pwned) & `id` 'q\".txt";

enum Row { kShip = 0, kSong = 1, kOdd = 2, kDash = 3, kNotes = 4 };

class ViewingTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    log_ = Root() / "viewer.log";
    setenv("FAKE_VIEWER_LOG", log_.c_str(), 1);
    setenv("FAKE_VIEWER_MODE", "exit", 1);
    tools::ArchiveWriter writer("VIEW");
    writer.Add("gfx/ship.bmp", "BM ship")
        .Add("snd/intro song.wav", "RIFF song")
        .Add(std::string("txt/") + kOddName, "odd")
        .Add("txt/-n.txt", "dash")
        .Add("txt/my notes.txt", "notes");
    AddArchive("res.zpk", writer);
  }
  void TearDown() override {
    WindowTest::TearDown();
    unsetenv("FAKE_VIEWER_LOG");
    unsetenv("FAKE_VIEWER_MODE");
  }

  // Builds the window with its viewing part, runs start-up and picks a resource.
  app::frmMain& StartOn(int row) {
    viewing_ = new app::frmMainViewing(Window(), dialogs_, *launcher_);
    app::frmMain& window = Start();
    ClickArchive(0);
    ClickResource(row);
    return window;
  }
  void Click(QAbstractButton* button) {
    EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void ShowOptionsPage() { Window().regMain->setCurrentIndex(1); }
  fs::path Temp() const { return ProgramFolder() / "Temp"; }
  std::vector<ViewerRun> Runs(bool opener) const {
    std::vector<ViewerRun> runs;
    for (auto& run : ReadViewerLog(log_)) {
      if ((!run.args.empty() && run.args[0] == "--opener") == opener) runs.push_back(run);
    }
    return runs;
  }
  std::vector<ViewerRun> WaitForRuns(bool opener, std::size_t count) const {
    for (int i = 0; i < 400 && Runs(opener).size() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Runs(opener);
  }

  fs::path log_;
  ScriptedFileDialogs dialogs_;
  std::unique_ptr<platform::Launcher> launcher_ =
      platform::CreatePosixLauncher({kViewer, "--opener"});
  app::frmMainViewing* viewing_ = nullptr;  // the window's child
};

struct ViewCase {
  const char* name;
  int button;       // 0 HEX, 1 Picture, 2 TXT
  bool named;       // the viewer's path is set
  bool useDefault;  // "Use system default" ticked
  const char* expect;  // "viewer", "opener" or the missing-viewer text
};

class ViewButtonTest : public ViewingTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewButtonTest, StartsTheRightViewerOrSaysWhichToChoose) {
  const auto& c = GetParam();
  const char* pathKeys[] = {"HEXEditor", "PICViewer", "TXTViewer"};
  const char* defaultKeys[] = {nullptr, "STD PICViewer", "STD TXTViewer"};
  if (c.named) StoreSetting(pathKeys[c.button], kViewer);
  if (c.useDefault) StoreSetting(defaultKeys[c.button], "1");
  app::frmMain& window = StartOn(kNotes);
  QPushButton* buttons[] = {window.btnViewHEX, window.btnViewPIC, window.btnViewTXT};
  const int beepsBefore = windowSystem.beeps;  // choosing an archive beeps too
  Click(buttons[c.button]);

  const std::string expect = c.expect;
  if (expect == "viewer" || expect == "opener") {
    EXPECT_TRUE(windowSystem.messages.empty());
    const auto runs = WaitForRuns(expect == "opener", 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].args.back(), "my notes.txt");
    EXPECT_EQ(fs::path(runs[0].cwd), fs::canonical(Temp()));
    // A named viewer's copy goes when it ends; the opener's stays for the program it picks.
    EXPECT_EQ(fs::exists(Temp() / "my notes.txt"), expect == "opener");
  } else {
    ASSERT_EQ(windowSystem.messages.size(), 1u);
    EXPECT_EQ(windowSystem.messages[0].text, QString(c.expect));
    EXPECT_EQ(windowSystem.messages[0].title, "Oops ;)");
    EXPECT_EQ(windowSystem.beeps, beepsBefore + 1);
    EXPECT_TRUE(ReadViewerLog(log_).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewButtonTest,
    ::testing::Values(
        ViewCase{"HexNamed", 0, true, false, "viewer"},
        ViewCase{"HexMissing", 0, false, false, "Click on 'Options...' to choose your favorite HEX Editor..."},
        ViewCase{"PictureNamed", 1, true, false, "viewer"},
        ViewCase{"PictureNamedWinsOverDefault", 1, true, true, "viewer"},
        ViewCase{"PictureDefault", 1, false, true, "opener"},
        ViewCase{"PictureMissing", 1, false, false, "Click on 'Options...' to choose your favorite PIC viewer..."},
        ViewCase{"TextNamed", 2, true, false, "viewer"},
        ViewCase{"TextDefault", 2, false, true, "opener"},
        ViewCase{"TextMissing", 2, false, false, "Click on 'Options...' to choose your favorite TXT viewer..."}),
    [](const auto& p) { return std::string(p.param.name); });

struct NameCase {
  const char* name;
  int row;
  std::string argument;
};

class ResourceNameTest : public ViewingTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ResourceNameTest, ReachesTheViewerIntactAsOneArgument) {
  StoreSetting("HEXEditor", kViewer);
  app::frmMain& window = StartOn(GetParam().row);
  Click(window.btnViewHEX);
  const auto runs = Runs(false);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, std::vector<std::string>{GetParam().argument});
  EXPECT_GT(runs[0].fileSize, 0);  // it found the copy under that name
  EXPECT_TRUE(ListFiles(Temp()).empty());
  EXPECT_FALSE(fs::exists(Temp() / "pwned"));
  EXPECT_FALSE(fs::exists(ProgramFolder() / "pwned"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ResourceNameTest,
                         ::testing::Values(NameCase{"Blanks", kNotes, "my notes.txt"},
                                           NameCase{"ShellCharacters", kOdd, kOddName},
                                           NameCase{"LeadingDash", kDash, "./-n.txt"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ViewingTest, TheWindowStaysResponsiveWhileAViewerRunsAndNestedViewsEndFirst) {
  StoreSetting("PICViewer", kViewer);
  StoreSetting("TXTViewer", kViewer);
  app::frmMain& window = StartOn(kShip);
  setenv("FAKE_VIEWER_MODE", "hold:500", 1);
  std::vector<std::string> order;
  bool timerFired = false;
  QTimer::singleShot(30, [&] { timerFired = true; });
  QTimer::singleShot(80, [&] {
    setenv("FAKE_VIEWER_MODE", "wait:100", 1);
    ClickResource(kNotes);
    Click(window.btnViewTXT);  // runs inside the first command's wait
    order.push_back("text");
  });
  Click(window.btnViewPIC);
  order.push_back("picture");
  EXPECT_TRUE(timerFired);
  EXPECT_EQ(order, (std::vector<std::string>{"text", "picture"}));
  const auto runs = Runs(false);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].args, std::vector<std::string>{"ship.bmp"});
  EXPECT_TRUE(runs[0].ended);
  EXPECT_EQ(runs[1].args, std::vector<std::string>{"my notes.txt"});
  EXPECT_TRUE(ListFiles(Temp()).empty());
}

TEST_F(ViewingTest, AViewerThatCantStartIsReportedAndItsCopyDeleted) {
  StoreSetting("HEXEditor", Q(Root() / "no-such-editor"));
  app::frmMain& window = StartOn(kShip);
  Click(window.btnViewHEX);
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  EXPECT_EQ(windowSystem.messages[0].text,
            "Can't view '" + Q(Temp() / "ship.bmp") + "' - choose another type of viewing...");
  EXPECT_EQ(windowSystem.messages[0].title, window.VersionTitle());
  EXPECT_TRUE(ListFiles(Temp()).empty());
}

TEST_F(ViewingTest, PlayTwiceOpensOneCopyThatStays) {
  app::frmMain& window = StartOn(kSong);
  Click(window.btnPlay);
  const int spans = windowSystem.busySpans;
  Click(window.btnPlay);
  EXPECT_EQ(windowSystem.busySpans, spans);  // the second Play found the copy in place
  const auto runs = WaitForRuns(true, 2);
  ASSERT_EQ(runs.size(), 2u);
  for (const auto& run : runs) {
    EXPECT_EQ(run.args, (std::vector<std::string>{"--opener", (Temp() / "intro song.wav").string()}));
  }
  EXPECT_EQ(ListFiles(Temp()), std::vector<fs::path>{"intro song.wav"});
  EXPECT_TRUE(windowSystem.messages.empty());
}

TEST_F(ViewingTest, SaveAsCancelledFirstUseRememberedFolderAndAFailingTarget) {
  app::frmMain& window = StartOn(kShip);
  fs::create_directory(Root() / "out");
  dialogs_.answers = {QString(), Q(Root() / "out" / "ship copy.bmp"), QString(),
                      Q(Root() / "missing" / "x.bmp")};
  Click(window.btnSaveAs);  // cancelled
  EXPECT_FALSE(StoredSetting("LastResSave"));
  Click(window.btnSaveAs);  // first use
  EXPECT_EQ(ReadFileBytes(Root() / "out" / "ship copy.bmp"), tools::ToBytes("BM ship"));
  EXPECT_EQ(StoredSetting("LastResSave"), FolderText(Root() / "out"));
  Click(window.btnSaveAs);  // opens in the remembered folder
  Click(window.btnSaveAs);  // a folder that isn't there
  ASSERT_EQ(dialogs_.calls.size(), 4u);
  EXPECT_EQ(dialogs_.calls[0].info.title, "Save ressource as:");
  EXPECT_EQ(dialogs_.calls[0].info.initialFolder, FolderText(Temp()));
  EXPECT_EQ(dialogs_.calls[0].info.fileName, "ship.bmp");
  EXPECT_EQ(dialogs_.calls[2].info.initialFolder, FolderText(Root() / "out"));
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  EXPECT_TRUE(windowSystem.messages[0].text.startsWith("Ressource can't be saved temporarly: "));
  EXPECT_EQ(StoredSetting("LastResSave"), FolderText(Root() / "missing"));
}

TEST_F(ViewingTest, TheOptionsPageSavesChoicesAndTicks) {
  app::frmMain& window = StartOn(kShip);
  ShowOptionsPage();
  dialogs_.answers = {Q(Root() / "pics" / "viewer"), QString()};
  Click(window.btnChoose[1]);
  EXPECT_EQ(window.txtPICViewer->text(), Q(Root() / "pics" / "viewer"));
  EXPECT_EQ(StoredSetting("PICViewer"), Q(Root() / "pics" / "viewer"));
  EXPECT_EQ(StoredSetting("STD PICViewer"), "0");
  Click(window.btnChoose[1]);  // cancelled: starts at the chosen program, changes nothing
  ASSERT_EQ(dialogs_.calls.size(), 2u);
  EXPECT_EQ(dialogs_.calls[1].info.title, "PIC Viewer:");
  EXPECT_EQ(dialogs_.calls[1].info.initialFolder, FolderText(Root() / "pics"));
  EXPECT_EQ(dialogs_.calls[1].info.fileName, "viewer");
  EXPECT_EQ(window.txtPICViewer->text(), Q(Root() / "pics" / "viewer"));

  Click(window.cbStdText);
  EXPECT_TRUE(window.cbStdText->isChecked());
  EXPECT_FALSE(window.txtTXTViewer->isEnabled());
  EXPECT_FALSE(window.btnChoose[2]->isEnabled());
  EXPECT_FALSE(window.lblTXTViewerTXT->isEnabled());
  EXPECT_TRUE(window.txtPICViewer->isEnabled());
  EXPECT_EQ(StoredSetting("STD TXTViewer"), "1");
  Click(window.cbStdText);
  EXPECT_TRUE(window.txtTXTViewer->isEnabled());
  EXPECT_EQ(StoredSetting("STD TXTViewer"), "0");
}

TEST_F(ViewingTest, StartUpGreysATickedRowWithoutWritingItBack) {
  StoreSetting("STD TXTViewer", "1");
  app::frmMain& window = StartOn(kShip);
  EXPECT_TRUE(window.cbStdText->isChecked());
  EXPECT_FALSE(window.txtTXTViewer->isEnabled());
  EXPECT_FALSE(window.btnChoose[2]->isEnabled());
  EXPECT_TRUE(window.txtPICViewer->isEnabled());
  for (const auto& [key, value] : settings.writes) {
    EXPECT_NE(key, "STD TXTViewer");
    EXPECT_NE(key, "STD PICViewer");
  }
}

}  // namespace
