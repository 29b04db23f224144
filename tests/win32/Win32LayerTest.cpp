// The Win32 layer on Windows: registry values that the test writes with reg.exe, read back
// in both views; a real child program started through the shell, waited for, its exit
// status collected; and the shell's failures reported as failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Win32RegistryValue.h"
#include "platform/Win32ShellStart.h"
#include "support/TempDir.h"

namespace {

using zpk::platform::ReadRegistryValue;
using zpk::platform::ShellProcessHandle;
using zpk::platform::StartWithShell;
namespace fs = std::filesystem;

const std::string kTestKey = "SOFTWARE\\ZpkWin32LayerTest";

// Runs reg.exe with arguments; true when it succeeded.
bool Reg(const std::string& arguments) {
  return std::system(("reg " + arguments + " >NUL 2>&1").c_str()) == 0;
}

std::string Text(const std::vector<unsigned char>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(Win32RegistryTest, ValuesAndFailuresInBothViews) {
  const std::string key = "HKLM\\" + kTestKey;
  ASSERT_TRUE(Reg("add \"" + key + "\" /v Both /d thirtytwo /f /reg:32"));
  // A 32-bit installer's entry, where a 64-bit system keeps it.
  ASSERT_TRUE(Reg("add \"" + key + "\" /v Only32 /d only32 /f /reg:32"));
  ASSERT_TRUE(Reg("add \"" + key + "\" /v Both /d sixtyfour /f /reg:64"));
  ASSERT_TRUE(Reg("add \"" + key + "\" /v Native /t REG_DWORD /d 258 /f /reg:64"));
  ASSERT_TRUE(Reg("add \"HKCU\\" + kTestKey + "\" /v User /t REG_EXPAND_SZ /d x /f"));

  const struct {
    bool localMachine;
    std::string key, value;
    unsigned long type;  // 0: a failure is expected
    std::string bytes;
    bool failsAtOpen;
  } cases[] = {
      {true, kTestKey, "Both", 1, std::string("thirtytwo\0", 10), false},  // the 32-bit view first
      {true, kTestKey, "Native", 4, std::string("\x02\x01\0\0", 4), false},  // else the native one
      {true, kTestKey, "Only32", 1, std::string("only32\0", 7), false},
      {false, kTestKey, "User", 2, std::string("x\0", 2), false},
      {true, kTestKey, "Missing", 0, "", false},
      {true, kTestKey + "\\Missing", "Both", 0, "", true},
      {false, kTestKey, "Both", 0, "", false},
  };
  for (const auto& c : cases) {
    const auto read = ReadRegistryValue(c.localMachine, c.key, c.value);
    if (c.type == 0) {
      ASSERT_FALSE(read) << c.value;
      EXPECT_EQ(c.failsAtOpen, read.error().atOpen) << c.key << " " << c.value;
      EXPECT_EQ(2, read.error().code) << c.value;  // ERROR_FILE_NOT_FOUND
    } else {
      ASSERT_TRUE(read) << c.value << ": error " << read.error().code;
      EXPECT_EQ(c.type, read->type) << c.value;
      EXPECT_EQ(c.bytes, Text(read->bytes)) << c.value;
    }
  }
  EXPECT_TRUE(Reg("delete \"" + key + "\" /f /reg:32"));
  EXPECT_TRUE(Reg("delete \"" + key + "\" /f /reg:64"));
  EXPECT_TRUE(Reg("delete \"HKCU\\" + kTestKey + "\" /f"));
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Win32ShellTest, StartsAProgramInItsFolderAndWaitsForIt) {
  zpk::test::TempDir work;
  const auto child = fs::absolute(WIN32_CHILD).make_preferred().string();
  auto start = StartWithShell(child, "said.txt 7 \"two words\"", work.path().string(), 1);
  ASSERT_TRUE(start.started) << "code " << start.code << ", error " << start.error;
  ASSERT_NE(nullptr, start.process);
  // The child waits for "go": until then it runs, whatever the machine's speed.
  EXPECT_EQ(ShellProcessHandle::State::Running, start.process->Wait(std::chrono::milliseconds(0)));
  std::ofstream(work / "go") << "go";
  ASSERT_EQ(ShellProcessHandle::State::Ended, start.process->Wait(std::chrono::seconds(60)));
  EXPECT_EQ(7u, start.process->ExitCode());
  const auto said = ReadText(work / "said.txt");
  const auto bar = said.find('|');
  ASSERT_NE(std::string::npos, bar) << said;
  EXPECT_TRUE(fs::equivalent(said.substr(0, bar), work.path())) << said;
  EXPECT_EQ("|said.txt|7|two words", said.substr(bar));
}

TEST(Win32ShellTest, WhatTheShellCanNotStartIsAFailure) {
  zpk::test::TempDir work;
  std::ofstream(work / "notes.zpk-unknown-kind") << "no program opens this";
  const struct {
    const char* label;
    std::string program, parameters;
  } cases[] = {
      {"missing program", (work / "missing.exe").string(), ""},
      {"missing document", "", (work / "missing.txt").string()},
      {"document of no known kind", "", (work / "notes.zpk-unknown-kind").string()},
  };
  for (const auto& c : cases) {
    const auto start = StartWithShell(c.program, c.parameters, work.path().string(), 1);
    EXPECT_FALSE(start.started) << c.label;
    EXPECT_LE(start.code, 32) << c.label;
    EXPECT_NE(0u, start.error) << c.label;
  }
}

}  // namespace
