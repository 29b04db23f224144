// The POSIX launcher with real child processes: tests/launch/fake_viewer records what it
// was given and ends at once or after a wait.
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

namespace {

using namespace std::chrono_literals;
using zpk::platform::CreatePosixLauncher;
using zpk::platform::LaunchedProcess;
using zpk::platform::LaunchRequest;
using State = LaunchedProcess::State;
namespace fs = std::filesystem;

const QString kViewer = ZPK_FAKE_VIEWER;

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

// "R", "S", "Z"... from /proc; "" once the process is gone.
std::string ProcessState(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const auto close = text.rfind(')');
  return close == std::string::npos ? std::string() : text.substr(close + 2, 1);
}

// Polls until the process is gone (collected); a zombie child of ours would stay "Z".
bool GoneWithin(long pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (ProcessState(pid).empty()) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

State WaitUntilEnded(LaunchedProcess& process) {
  for (int i = 0; i < 1000; ++i) {
    const State s = process.Wait(10ms);
    if (s != State::Running) return s;
  }
  return State::Running;
}

class PosixLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(dir_ / "work"); }
  std::vector<zpk::test::ViewerRun> Runs() const { return zpk::test::ReadViewerLog(viewer_.log()); }
  // Starts a program with the launcher that has no opener.
  zpk::platform::LaunchOutcome Launch(const QString& program, const QString& parameters = {},
                                      const QString& workDir = {}) {
    LaunchRequest request;
    request.program = program;
    request.parameters = parameters;
    request.workDir = workDir;
    return CreatePosixLauncher()->Launch(request);
  }
  // Waits until the fake viewer has written its start record.
  long StartedPid() {
    for (int i = 0; i < 200 && Runs().empty(); ++i) std::this_thread::sleep_for(5ms);
    return Runs().size() == 1 ? Runs()[0].pid : 0;
  }

  zpk::test::TempDir dir_;
  zpk::test::FakeViewerEnv viewer_{dir_ / "viewer.log"};
};

TEST_F(PosixLauncherTest, StartsTheNamedProgramWithSplitParametersInTheWorkingFolder) {
  auto outcome = Launch(kViewer, "\"my ship.bmp\" -x  $(id);touch pwned", Q(dir_ / "work"));
  ASSERT_TRUE(outcome.started) << outcome.failure.toStdString();
  ASSERT_TRUE(outcome.process);
  EXPECT_EQ(WaitUntilEnded(*outcome.process), State::Ended);
  EXPECT_EQ(outcome.process->Wait(0ms), State::Ended);  // stays ended once collected

  const auto runs = Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, (std::vector<std::string>{"my ship.bmp", "-x", "$(id);touch", "pwned"}));
  EXPECT_EQ(fs::path(runs[0].cwd), fs::canonical(dir_ / "work"));
  EXPECT_FALSE(fs::exists(dir_ / "work" / "pwned"));
  EXPECT_TRUE(GoneWithin(runs[0].pid, 1s));
}

TEST_F(PosixLauncherTest, FindsABareProgramNameOnThePath) {
  const fs::path bin = dir_ / "bin";
  fs::create_directory(bin);
  fs::copy_file(kViewer.toStdString(), bin / "tidewater-test-viewer");
  const zpk::test::ScopedEnv path("PATH", bin.string() + ":" + std::getenv("PATH"));
  auto outcome = Launch("tidewater-test-viewer", "a");
  ASSERT_TRUE(outcome.started) << outcome.failure.toStdString();
  EXPECT_EQ(WaitUntilEnded(*outcome.process), State::Ended);
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Runs()[0].args, std::vector<std::string>{"a"});
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
  const fs::path plain = dir_ / "plain.txt";
  std::ofstream(plain) << "#!/bin/sh\ntouch " << (dir_ / "ran").string() << "\n";
  const fs::path script = dir_ / "noshebang";
  std::ofstream(script) << "touch " << (dir_ / "ran").string() << "\n";
  fs::permissions(script, fs::perms::owner_all);

  auto replace = [&](std::string text) {
    if (auto at = text.find("<dir>"); at != std::string::npos) text.replace(at, 5, dir_.path().string());
    return text;
  };
  auto outcome = Launch(QString::fromStdString(replace(GetParam().program)),
                        QString::fromStdString(GetParam().parameters),
                        QString::fromStdString(replace(GetParam().workDir)));
  EXPECT_FALSE(outcome.started);
  EXPECT_FALSE(outcome.process);
  EXPECT_FALSE(outcome.failure.isEmpty());
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(fs::exists(dir_ / "ran"));
  EXPECT_TRUE(Runs().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchFailureTest,
    ::testing::Values(
        FailureCase{"MissingProgram", "<dir>/no-such-viewer", "x", ""},
        FailureCase{"MissingBareName", "tidewater-no-such-viewer-anywhere", "x", ""},
        FailureCase{"NotExecutable", "<dir>/plain.txt", "x", ""},
        FailureCase{"AFolder", "<dir>", "x", ""},
        FailureCase{"ScriptWithoutInterpreterLineIsNotRunByAShell", "<dir>/noshebang", "", ""},
        FailureCase{"MissingWorkingFolder", ZPK_FAKE_VIEWER, "x", "<dir>/no-such-folder"},
        FailureCase{"NothingToOpen", "", "", ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(PosixLauncherTest, HandsADocumentToTheOpenerAsOneArgument) {
  auto launcher = CreatePosixLauncher({kViewer, "--open"});
  LaunchRequest request;
  request.parameters = "-my ship; rm x.bmp";
  request.workDir = Q(dir_ / "work");
  auto outcome = launcher->Launch(request);
  ASSERT_TRUE(outcome.started);
  EXPECT_EQ(WaitUntilEnded(*outcome.process), State::Ended);
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Runs()[0].args, (std::vector<std::string>{"--open", "-my ship; rm x.bmp"}));
  EXPECT_EQ(fs::path(Runs()[0].cwd), fs::canonical(dir_ / "work"));
}

TEST_F(PosixLauncherTest, AMissingOpenerStartsNothing) {
  for (const QStringList& opener : {QStringList{}, QStringList{(dir_ / "no-opener").c_str()}}) {
    auto launcher = CreatePosixLauncher(opener);
    LaunchRequest request;
    request.parameters = "ship.bmp";
    EXPECT_FALSE(launcher->Launch(request).started) << opener.join(' ').toStdString();
  }
}

// Letting go of a process handle: a running program runs on and is collected when it
// ends; an ended one, still a zombie, is collected at once.
struct DropCase {
  const char* name;
  const char* mode;
  bool endedFirst;
};

class DropHandleTest : public PosixLauncherTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropHandleTest, NeitherKillsTheProgramNorLeavesAZombie) {
  setenv("FAKE_VIEWER_MODE", GetParam().mode, 1);
  auto outcome = Launch(kViewer);
  ASSERT_TRUE(outcome.process);
  const long pid = StartedPid();
  ASSERT_NE(pid, 0);
  if (GetParam().endedFirst) {
    for (int i = 0; i < 200 && ProcessState(pid) != "Z"; ++i) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(ProcessState(pid), "Z");  // ended, not yet collected
  }
  outcome.process.reset();
  if (!GetParam().endedFirst) {
    EXPECT_FALSE(ProcessState(pid).empty());
    EXPECT_TRUE(GoneWithin(pid, 5s)) << "state " << ProcessState(pid);
    EXPECT_TRUE(Runs()[0].ended);  // it ran to its end
  } else {
    EXPECT_TRUE(GoneWithin(pid, 1s)) << "state " << ProcessState(pid);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DropHandleTest,
                         ::testing::Values(DropCase{"WhileRunning", "wait:300", false},
                                           DropCase{"AfterItEnded", "exit", true}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
#endif
