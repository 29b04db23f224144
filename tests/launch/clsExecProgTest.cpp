#include "launch/clsExecProg.h"

#include <gtest/gtest.h>

#include "LaunchFixture.h"

namespace {

using namespace zpk;
using namespace zpk::test;
using launch::clsExecProg;

const QString kViewer = ZPK_FAKE_VIEWER;

class clsExecProgTest : public LaunchFixture {
 protected:
  std::unique_ptr<platform::Launcher> launcher_ = platform::CreatePosixLauncher({kViewer});
};

// Polls as the viewing commands do, for ten seconds at most; true once it has ended.
bool PollUntilEnded(clsExecProg& exec) {
  for (int i = 0; i < 1000; ++i) {
    if (!exec.IsRunning()) return true;
  }
  return false;
}

TEST_F(clsExecProgTest, PollsTheProgramInTheWindirFolderUntilItEnds) {
  viewer_.Hold();
  setenv("windir", (dir_ / "game").c_str(), 1);
  clsExecProg exec(*launcher_);
  unsetenv("windir");
  EXPECT_EQ(exec.WinMode(), 3);  // shown maximised
  exec.ProgName(kViewer);
  exec.ProgParas("\"a b\" c");
  exec.ExecProg();
  ASSERT_FALSE(exec.EPError());
  EXPECT_TRUE(exec.IsRunning());  // held until let go
  EXPECT_TRUE(exec.IsRunning());
  viewer_.Release();
  EXPECT_TRUE(PollUntilEnded(exec));
  EXPECT_FALSE(exec.EPError());
  const auto runs = Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(runs[0].ended);
  EXPECT_EQ(runs[0].args, (std::vector<std::string>{"a b", "c"}));
  EXPECT_EQ(fs::path(runs[0].cwd), fs::canonical(dir_ / "game"));
}

// A launch that started something but handed back no process, as the Windows shell does
// when it passes a document to a program already running.
class NoProcessLauncher : public platform::Launcher {
 public:
  platform::LaunchOutcome Launch(const platform::LaunchRequest& request) override {
    last = request;
    return {true, nullptr, {}};
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
