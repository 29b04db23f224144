// The Wine prefix's registry read from real registry files in a temporary prefix. What a
// missing key or value reads as is told by the ReadRegValue tests.
#include <gtest/gtest.h>

#include "support/FakeWinePrefix.h"
#include "platform/WineRegistry.h"

namespace zpk::platform {
namespace {

class WineRegistryTest : public testing::Test {
 protected:
  test::FakeWinePrefix prefix_;
  WineRegistry registry_{prefix_.root()};
};

TEST_F(WineRegistryTest, MachineSoftwarePrefersThe32BitViewUserKeysComeFromUserReg) {
  // The 32-bit view comes first in the file: the native key read after it keeps its own values.
  prefix_.WriteSystemReg(
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files (x86)\"\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n\"OnlyNative\"=\"native\"\n");
  const QString key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");
  EXPECT_EQ(registry_.Query(RegRoot::LocalMachine, key, "ProgramFilesDir")->text,
            "C:\\Program Files (x86)");
  EXPECT_EQ(registry_.Query(RegRoot::LocalMachine, key, "OnlyNative")->text, "native");
  // The user's keys are read from user.reg and have no such views.
  prefix_.WriteUserReg(
      "[Software\\\\Wow6432Node\\\\Quill] 1\n\"V\"=\"x\"\n[Software\\\\Quill] 1\n\"W\"=\"user\"\n");
  EXPECT_FALSE(registry_.Query(RegRoot::CurrentUser, "Software\\Quill", "V").has_value());
  EXPECT_EQ(registry_.Query(RegRoot::CurrentUser, "Software\\Quill", "W").value().text, "user");
}

}  // namespace
}  // namespace zpk::platform
