#include "launch/clsExecProg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "LaunchFixture.h"

namespace {

using namespace zpk;
using namespace zpk::test;
using launch::clsExecProg;
using namespace std::chrono_literals;

const QString kViewer = ZPK_FAKE_VIEWER;

class clsExecProgTest : public LaunchFixture {
 protected:
  std::unique_ptr<platform::Launcher> launcher_ = platform::CreatePosixLauncher({kViewer});
};

// Polls as the viewing commands do; the number of polls it took.
int PollUntilEnded(clsExecProg& exec) {
  int polls = 1;
  while (exec.IsRunning() && polls < 2000) ++polls;
  return polls;
}

TEST_F(clsExecProgTest, StartsWithTheDefaults) {
  setenv("windir", (dir_ / "game").c_str(), 1);
  clsExecProg exec(*launcher_);
  unsetenv("windir");
  EXPECT_EQ(exec.WinMode(), 3);
  EXPECT_FALSE(exec.EPError());
  exec.ProgName(kViewer);
  exec.ExecProg();
  EXPECT_FALSE(exec.EPError());
  PollUntilEnded(exec);
  EXPECT_FALSE(exec.EPError());
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(fs::path(Runs()[0].cwd), fs::canonical(dir_ / "game"));  // the "windir" folder
  EXPECT_TRUE(Runs()[0].args.empty());
}

TEST_F(clsExecProgTest, IsRunningBeforeAnyLaunchIsAFailedPoll) {
  clsExecProg exec(*launcher_);
  EXPECT_FALSE(exec.IsRunning());
  EXPECT_TRUE(exec.EPError());
}

TEST_F(clsExecProgTest, NothingToStartSetsTheErrorFlag) {
  clsExecProg exec(*launcher_);
  exec.ExecProg();  // no program, no document
  EXPECT_TRUE(exec.EPError());
  exec.ProgName(Q(dir_ / "no-such-viewer"));
  exec.ProgParas("x");
  exec.ExecProg();
  EXPECT_TRUE(exec.EPError());
  EXPECT_FALSE(exec.IsRunning());
  EXPECT_TRUE(Runs().empty());
}

TEST_F(clsExecProgTest, PollsUntilTheProgramEndsAndKeepsTheFlag) {
  setenv("FAKE_VIEWER_MODE", "wait:200", 1);
  clsExecProg exec(*launcher_);
  exec.ProgName(kViewer);
  exec.ProgParas("\"a b\" c");
  exec.WorkDir(Q(dir_.path()));
  exec.ExecProg();
  ASSERT_FALSE(exec.EPError());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(exec.IsRunning());
  EXPECT_LE(std::chrono::steady_clock::now() - start, 150ms);  // one poll waits about 10 ms
  const int polls = PollUntilEnded(exec);
  EXPECT_GT(polls, 5);
  EXPECT_FALSE(exec.EPError());
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_TRUE(Runs()[0].ended);
  EXPECT_EQ(Runs()[0].args, (std::vector<std::string>{"a b", "c"}));
}

TEST_F(clsExecProgTest, ALaunchReplacesTheProcessOfTheLastOne) {
  setenv("FAKE_VIEWER_MODE", "wait:5000", 1);
  clsExecProg exec(*launcher_);
  exec.ProgName(kViewer);
  exec.ExecProg();
  ASSERT_TRUE(exec.IsRunning());
  setenv("FAKE_VIEWER_MODE", "exit", 1);
  exec.ExecProg();
  PollUntilEnded(exec);  // the second one, which ends at once
  EXPECT_FALSE(exec.EPError());
}

// A launch that started something but handed back no process, as the Windows shell does
// when it passes a document to a program already running.
class NoProcessLauncher : public platform::Launcher {
 public:
  platform::LaunchOutcome Launch(const platform::LaunchRequest& request) override {
    last = request;
    platform::LaunchOutcome outcome;
    outcome.started = true;
    return outcome;
  }
  platform::LaunchRequest last;
};

TEST(clsExecProgNoProcess, StartedWithoutAProcessFailsOnlyTheFirstPoll) {
  NoProcessLauncher launcher;
  clsExecProg exec(launcher);
  exec.WinMode(1);
  exec.ProgParas("http://example.invalid/");
  exec.ExecProg();
  EXPECT_FALSE(exec.EPError());
  EXPECT_EQ(launcher.last.windowMode, 1);
  EXPECT_TRUE(launcher.last.program.isEmpty());
  EXPECT_EQ(launcher.last.parameters, "http://example.invalid/");
  EXPECT_FALSE(exec.IsRunning());
  EXPECT_TRUE(exec.EPError());
}

}  // namespace
