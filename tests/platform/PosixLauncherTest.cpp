// The POSIX launcher with real child processes: tests/launch/fake_viewer records what it
// was given and ends at once or when let go.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/Launcher.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/ViewerLog.h"
#include "support/RowName.h"

namespace {

using namespace std::chrono_literals;
using zpk::platform::CreatePosixLauncher;
using zpk::platform::LaunchedProcess;
using zpk::test::ProcessState;
using State = LaunchedProcess::State;
namespace fs = std::filesystem;

const QString kViewer = ZPK_FAKE_VIEWER;

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

bool Gone(long pid) { return zpk::test::WaitUntilEnded(pid, true).empty(); }

class PosixLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(dir_ / "work"); }
  std::vector<zpk::test::ViewerRun> Runs() const { return zpk::test::ReadViewerLog(viewer_.log()); }
  // Starts a program with a launcher that has no opener.
  zpk::platform::LaunchOutcome Launch(const QString& program, const QString& parameters = {},
                                      const QString& workDir = {}) {
    return CreatePosixLauncher({})->Launch({program, parameters, workDir});
  }

  zpk::test::TempDir dir_;
  zpk::test::FakeViewerEnv viewer_{dir_ / "viewer.log"};
};

// A bare name is looked up on PATH; the parameters are split without a shell.
TEST_F(PosixLauncherTest, StartsTheProgramOnThePathWithSplitParametersInTheWorkingFolder) {
  const fs::path bin = dir_ / "bin";
  fs::create_directory(bin);
  fs::copy_file(kViewer.toStdString(), bin / "tidewater-test-viewer");
  const zpk::test::ScopedEnv path("PATH", bin.string() + ":" + std::getenv("PATH"));
  auto outcome = Launch("tidewater-test-viewer", "\"my ship.bmp\" -x  $(id);touch pwned",
                        Q(dir_ / "work"));
  ASSERT_TRUE(outcome.started) << outcome.failure.toStdString();
  ASSERT_TRUE(outcome.process);
  EXPECT_EQ(outcome.process->Wait(10s), State::Ended);
  EXPECT_EQ(outcome.process->Wait(0ms), State::Ended);  // stays ended once collected

  const auto runs = Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, (std::vector<std::string>{"my ship.bmp", "-x", "$(id);touch", "pwned"}));
  EXPECT_EQ(fs::path(runs[0].cwd), fs::canonical(dir_ / "work"));
  EXPECT_FALSE(fs::exists(dir_ / "work" / "pwned"));
  EXPECT_TRUE(Gone(runs[0].pid));
}

struct FailureCase {
  const char* name;
  std::string program;  // "<dir>" stands for the test folder
  std::string parameters;
  std::string workDir;
};

class LaunchFailureTest : public PosixLauncherTest,
                          public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LaunchFailureTest, StartsNothingAndSaysSo) {
  std::ofstream(dir_ / "noshebang") << "true\n";
  fs::permissions(dir_ / "noshebang", fs::perms::owner_all);
  auto replace = [&](std::string text) {
    if (auto at = text.find("<dir>"); at != std::string::npos) text.replace(at, 5, dir_.path().string());
    return text;
  };
  auto outcome = Launch(QString::fromStdString(replace(GetParam().program)),
                        QString::fromStdString(GetParam().parameters),
                        QString::fromStdString(replace(GetParam().workDir)));
  EXPECT_FALSE(outcome.started);
  EXPECT_FALSE(outcome.failure.isEmpty());
}

// A script without "#!" would run if a shell were asked to start it; an empty program asks
// for the opener, which this launcher has not.
INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchFailureTest,
    ::testing::Values(
        FailureCase{"MissingProgram", "<dir>/no-such-viewer", "x", ""},
        FailureCase{"ScriptWithoutInterpreterLine", "<dir>/noshebang", "", ""},
        FailureCase{"MissingWorkingFolder", ZPK_FAKE_VIEWER, "x", "<dir>/no-such-folder"},
        FailureCase{"NoOpener", "", "ship.bmp", ""}), zpk::test::RowName());

// Letting go of a process handle: a running program runs on and is collected when it
// ends; an ended one, still a zombie, is collected at once.
class DropHandleTest : public PosixLauncherTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DropHandleTest, NeitherKillsTheProgramNorLeavesAZombie) {
  const bool endedFirst = GetParam();
  if (!endedFirst) viewer_.Hold();
  auto outcome = Launch(kViewer);
  ASSERT_TRUE(outcome.process);
  const auto runs = zpk::test::WaitForViewerRuns(viewer_.log(), zpk::test::RunsOf::All, 1);
  ASSERT_EQ(runs.size(), 1u);
  const long pid = runs[0].pid;
  if (endedFirst) {
    EXPECT_EQ(zpk::test::WaitUntilEnded(pid), "Z");  // ended, not yet collected
  }
  outcome.process.reset();
  if (!endedFirst) {
    EXPECT_FALSE(ProcessState(pid).empty());
    viewer_.Release();
  }
  EXPECT_TRUE(Gone(pid)) << "state " << ProcessState(pid);
  EXPECT_EQ(Runs()[0].ended, !endedFirst);  // a held one ran to its end
}

INSTANTIATE_TEST_SUITE_P(Cases, DropHandleTest, ::testing::Values(false, true),
                         [](const auto& p) { return std::string(p.param ? "AfterItEnded" : "WhileRunning"); });

}  // namespace
#endif
