// The settings store writes the file the program's users and the demo rely on:
// $XDG_CONFIG_HOME/Quill's Tidewater Tools/Tidewater ZPK Viewer.conf, every write at once.
#include <gtest/gtest.h>

#include <QSettings>
#include <fstream>
#include <sstream>

#include "platform/QtSettingsStore.h"
#include "support/ConfigHome.h"

namespace zpk::platform {
namespace {

std::filesystem::path SettingsFile() {
  return test::ConfigHome::Folder() / "Quill's Tidewater Tools" / "Tidewater ZPK Viewer.conf";
}

std::string FileText() {
  std::ifstream in(SettingsFile(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileText(const std::string& text) {
  std::filesystem::create_directories(SettingsFile().parent_path());
  std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << text;
}

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings all(QSettings::NativeFormat, QSettings::UserScope, kSettingsOrganisation,
                  kSettingsApplication);
    all.clear();
    all.sync();
  }
  QtSettingsStore store;
};

TEST_F(QtSettingsStoreTest, WritesAtOnceIntoTheUsersConfigFolder) {
  ASSERT_TRUE(store.Write("InstallPath", "/games/Tidewater/"));
  EXPECT_NE(FileText().find("InstallPath=/games/Tidewater/"), std::string::npos) << FileText();
  ASSERT_TRUE(store.Write("InstallPath", ""));
  EXPECT_EQ(store.Read("InstallPath", "default"), QString());
}

TEST_F(QtSettingsStoreTest, ReadsWhatAnotherProgramWroteMeanwhile) {
  EXPECT_EQ(store.Read("InstallPath", "-"), QStringLiteral("-"));
  WriteFileText("[General]\nInstallPath=/elsewhere/\nTXTViewer=/usr/bin/a, b\n");
  EXPECT_EQ(store.Read("InstallPath", "-"), QStringLiteral("/elsewhere/"));
  // A hand-written comma would make a list of the value; it still reads as the text.
  EXPECT_EQ(store.Read("TXTViewer", "-"), QStringLiteral("/usr/bin/a,b"));
}

}  // namespace
}  // namespace zpk::platform
