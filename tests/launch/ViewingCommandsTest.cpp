// The five commands with real child processes: the fake viewer stands in for the named
// viewers and, called with "--opener" first, for the desktop's opener. Which button starts
// which viewer, and what a missing viewer says, are the window's tests (app/ViewingTest).
#include "launch/ViewingCommands.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <optional>

#include "LaunchFixture.h"
#include "support/RowName.h"

namespace {

using namespace zpk;
using namespace zpk::test;
using tools::ArchiveWriter;

const QString kViewer = ZPK_FAKE_VIEWER;
const char* const kOddName = "it's \"odd\" $(touch pwned);rm -rf x & `id` |y.txt";

enum Position { kShip = 0, kNotes = 1, kOdd = 2, kDash = 3 };

class ViewingCommandsTest : public LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    ArchiveWriter writer("TEST");
    writer.Add("gfx/ship.bmp", "BM ship")
        .Add("txt/my notes.txt", "notes with blanks in the name")
        .Add(std::string("txt/") + kOddName, "odd")
        .Add("txt/-rf.txt", "dash");
    WriteArchive(writer);
  }

  launch::ViewingCommands Commands() {
    return launch::ViewingCommands({window_, *launcher_,
                                    [this](bool saveAs) {
                                      return launch::SaveResToFile(MakeInputs(Chosen(position_)),
                                                                   saveAs);
                                    },
                                    "Tidewater ZPK Viewer 1.0", *copies_, {}});
  }

  int position_ = kShip;
  // This run's copies; a test ends the run early by resetting it.
  std::optional<launch::TemporaryCopies> copies_{std::in_place, TempFolder()};
  std::unique_ptr<platform::Launcher> launcher_ =
      platform::CreatePosixLauncher({kViewer, "--opener"});
};

struct CommandLineCase {
  const char* name;
  int position;
  std::string argument;  // what the viewer must receive as its one argument
};

class ViewerCommandLineTest : public ViewingCommandsTest,
                              public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(ViewerCommandLineTest, TheCopysNameArrivesAsOneArgumentAndTheCopyGoes) {
  position_ = GetParam().position;
  Commands().ViewText("  " + kViewer + " ", false);
  const auto runs = Runs(RunsOf::Viewers);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, std::vector<std::string>{GetParam().argument});
  EXPECT_EQ(fs::path(runs[0].cwd), fs::canonical(TempFolder()));
  EXPECT_EQ(runs[0].fileSize, Chosen(position_)->Len);  // it found the whole copy
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_TRUE(ListFiles(dir_ / "tmp").empty());  // the copy went once the viewer ended
  EXPECT_FALSE(fs::exists(TempFolder() / "pwned"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewerCommandLineTest,
    ::testing::Values(CommandLineCase{"ShellCharacters", kOdd, kOddName},
                      CommandLineCase{"LeadingDash", kDash, "./-rf.txt"}), test::RowName());

// The first view's viewer is held; inside its wait the window's events run, a second view
// runs nested and ends, and only then is the first viewer let go.
TEST_F(ViewingCommandsTest, WaitsForTheViewerWhileTheWindowsEventsRun) {
  viewer_.Hold();
  std::vector<std::string> finished;
  QTimer nested;
  QObject::connect(&nested, &QTimer::timeout, [&] {
    if (Runs(RunsOf::Viewers).empty()) return;  // the first viewer is not up yet
    nested.stop();
    viewer_.Mode("exit");
    position_ = kNotes;
    Commands().ViewText(kViewer, false);
    finished.push_back("second");
    viewer_.Release();
  });
  nested.start(5);
  Commands().ViewPicture(kViewer, false);
  finished.push_back("first");
  EXPECT_EQ(finished, (std::vector<std::string>{"second", "first"}));
  const auto runs = Runs(RunsOf::Viewers);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_TRUE(runs[0].ended);
  EXPECT_TRUE(ListFiles(TempFolder()).empty());
  EXPECT_TRUE(window_.messages.empty());
}

// Whether the viewer or the opener showed the copy: a program that did not start and an
// opener that ended with a failure status are reported and their copy deleted; a named
// viewer's own exit status is its business.
struct OutcomeCase {
  const char* name;
  const char* viewer;  // "" the opener, "fake" the fake viewer, else a file in the test folder
  const char* mode;
  bool reported;
  bool copyKept;
};

class LaunchOutcomeTest : public ViewingCommandsTest,
                          public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(LaunchOutcomeTest, OnlyAFailedLaunchIsReported) {
  viewer_.Mode(GetParam().mode);
  const std::string viewer = GetParam().viewer;
  Commands().ViewPicture(viewer.empty() ? QString() : viewer == "fake" ? kViewer : Q(dir_ / viewer),
                         true);
  if (GetParam().reported) {
    ASSERT_EQ(window_.messages.size(), 1u);
    EXPECT_EQ(window_.messages[0].text, "Can't view '" + Q(TempFolder() / "ship.bmp") +
                                            "' - choose another type of viewing...");
    EXPECT_EQ(window_.messages[0].title, "Tidewater ZPK Viewer 1.0");
    EXPECT_EQ(window_.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(window_.Count("beep"), 1);
  } else {
    EXPECT_TRUE(window_.messages.empty());
  }
  EXPECT_EQ(fs::exists(TempFolder() / "ship.bmp"), GetParam().copyKept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchOutcomeTest,
    ::testing::Values(OutcomeCase{"OpenerSucceeded", "", "status:0", false, true},
                      OutcomeCase{"OpenerFoundNoHandler", "", "status:3", true, false},
                      OutcomeCase{"ViewerEndedWithItsOwnStatus", "fake", "status:3", false, false},
                      OutcomeCase{"MissingProgram", "no-such-viewer", "exit", true, false}),
    test::RowName());

TEST_F(ViewingCommandsTest, PlayTwiceOpensTheSameCopyWrittenOnce) {
  Commands().Play();
  Commands().Play();
  EXPECT_EQ(window_.Count("busy"), 1);
  const auto runs = WaitForViewerRuns(viewer_.log(), RunsOf::Opener, 2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].args, runs[1].args);
  EXPECT_EQ(ListFiles(TempFolder()), std::vector<fs::path>{"ship.bmp"});
  EXPECT_TRUE(window_.messages.empty());
}

// Every entry of a folder by name, links and folders included.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(folder)) names.push_back(item.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Three Play copies: the two whose opener has ended go when the run ends, the one whose
// opener still runs (Play did not wait for it) stays until a start more than a day later.
// Nothing beside the copy folder, nor a link or a folder in it, is ever removed.
TEST_F(ViewingCommandsTest, PlayCopiesGoAtTheEndOfTheRunOrADayLater) {
  const fs::path stranger = dir_ / "tmp" / "stranger.bmp";
  WriteFileBytes(stranger, tools::ToBytes("not the viewer's"));
  for (const int position : {kShip, kNotes, kDash}) {
    if (position == kDash) viewer_.Hold();
    position_ = position;
    Commands().Play();
  }
  const auto runs = WaitForViewerRuns(viewer_.log(), RunsOf::Opener, 3);
  ASSERT_EQ(runs.size(), 3u);
  for (const auto& run : runs) {
    if (!run.args.back().ends_with("-rf.txt")) WaitUntilEnded(run.pid);
  }
  fs::remove(TempFolder() / "my notes.txt");
  fs::create_symlink(stranger, TempFolder() / "my notes.txt");  // a copy replaced by a link
  copies_.reset();  // the end of the run
  EXPECT_EQ(Names(TempFolder()), (std::vector<std::string>{"-rf.txt", "my notes.txt"}));

  fs::create_directory(TempFolder() / "folder");
  launch::TemporaryCopies{TempFolder()};  // a start the same day
  EXPECT_EQ(Names(TempFolder()), (std::vector<std::string>{"-rf.txt", "folder", "my notes.txt"}));
  launch::TemporaryCopies{TempFolder(), fs::file_time_type::clock::now() + std::chrono::hours(25)};
  EXPECT_EQ(Names(TempFolder()), (std::vector<std::string>{"folder", "my notes.txt"}));
  EXPECT_EQ(ReadFileBytes(stranger), tools::ToBytes("not the viewer's"));
  EXPECT_EQ(Names(dir_ / "tmp"), (std::vector<std::string>{"stranger.bmp", TempFolder().filename()}));
}

// The copy folder in a shared temporary folder is the user's own: made for the user
// alone, and never written into when it is someone's link or not a folder. A copy that
// fails ends the command with its own message, and no viewer starts.
TEST_F(ViewingCommandsTest, CopiesGoOnlyIntoAFolderOfTheUsersOwn) {
  Commands().ViewHex(kViewer);
  EXPECT_EQ(fs::status(TempFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
  fs::remove_all(TempFolder());
  fs::create_directory(dir_ / "elsewhere");
  fs::create_directory_symlink(dir_ / "elsewhere", TempFolder());
  Commands().ViewHex(kViewer);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_TRUE(window_.messages[0].text.startsWith("Ressource can't be saved temporarly: "));
  EXPECT_TRUE(ListFiles(dir_ / "elsewhere").empty());
  EXPECT_EQ(Runs(RunsOf::Viewers).size(), 1u);  // only the first view started a viewer
}

}  // namespace
