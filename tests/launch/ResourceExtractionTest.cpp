#include "launch/ResourceExtraction.h"

#include <gtest/gtest.h>

#include <climits>

#include "LaunchFixture.h"
#include "options/FileDialogWrappers.h"
#include "support/ByteDiff.h"

namespace {

using namespace zpk;
using namespace zpk::test;
using launch::SaveResToFile;
using tools::ArchiveWriter;
using tools::ToBytes;

const char* const kShip = "BM ship picture bytes\r\n";
const char* const kOtherShip = "another ship, longer than the first one";

class SaveResToFileTest : public LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    ArchiveWriter writer("TEST");
    writer.Add("data/gfx/ship.bmp", kShip).Add("data\\other\\ship.bmp", kOtherShip)
        .Add(tools::RangedEntry("gfx\\beyond.bmp", 300, INT_MAX))  // runs past the archive's end
        .Add("  snd/Sch\xF6n Lied.wav  ", "RIFF");
    WriteArchive(writer);
  }

  QString Save(int position, bool saveAs) {
    return SaveResToFile(MakeInputs(Chosen(position)), saveAs);
  }
};

TEST_F(SaveResToFileTest, WritesATemporaryCopyUnderTheResourcesFileName) {
  ASSERT_FALSE(fs::exists(TempFolder()));
  const QString copy = Save(0, false);
  EXPECT_EQ(copy, Q(TempFolder() / "ship.bmp"));
  EXPECT_BYTES_EQ(ToBytes(kShip), ReadFileBytes(TempFolder() / "ship.bmp"));
  EXPECT_EQ(ListFiles(TempFolder()), std::vector<fs::path>{"ship.bmp"});
  EXPECT_EQ(window_.events, (std::vector<std::string>{"busy", "normal"}));
  EXPECT_TRUE(window_.messages.empty());
  // The name is converted from the archive's code page.
  EXPECT_EQ(Save(3, false), Q(TempFolder() / "Sch\xC3\xB6n Lied.wav"));
  EXPECT_EQ(ReadFileBytes(TempFolder() / "Sch\xC3\xB6n Lied.wav"), ToBytes("RIFF"));
}

TEST_F(SaveResToFileTest, AnotherResourcesCopyOfTheSameNameIsReplaced) {
  const QString first = Save(0, false);
  const QString second = Save(1, false);
  EXPECT_EQ(second, first);
  EXPECT_BYTES_EQ(ToBytes(kOtherShip), ReadFileBytes(second.toStdString()));
  EXPECT_EQ(Save(0, false), first);
  EXPECT_BYTES_EQ(ToBytes(kShip), ReadFileBytes(first.toStdString()));
}

TEST_F(SaveResToFileTest, NothingChosenDoesNothing) {
  EXPECT_EQ(Save(-1, true), QString());
  EXPECT_TRUE(window_.events.empty());
  EXPECT_TRUE(dialogs_.calls.empty());
}

TEST_F(SaveResToFileTest, AnUnreadableResourceIsReportedAndNothingWritten) {
  EXPECT_EQ(Save(2, false), QString());
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_TRUE(window_.messages[0].text.startsWith("Ressource can't be read: "));
  EXPECT_GT(window_.messages[0].text.size(), QString("Ressource can't be read: ").size());
  EXPECT_EQ(window_.messages[0].icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(window_.messages[0].title, "Tidewater ZPK Viewer 1.0");
  EXPECT_EQ(window_.events, (std::vector<std::string>{"busy", "beep", "message", "normal"}));
  EXPECT_TRUE(ListFiles(TempFolder()).empty());
}

TEST_F(SaveResToFileTest, AMissingArchiveIsAReadFailure) {
  fs::remove(archivePath_);
  EXPECT_EQ(Save(0, false), QString());
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_TRUE(window_.messages[0].text.startsWith("Ressource can't be read: "));
}

// A cancelled dialog writes and remembers nothing; a chosen file is written, and its folder
// is where the next dialog starts.
TEST_F(SaveResToFileTest, SaveAsWritesTheChosenFileAndRemembersItsFolder) {
  fs::create_directory(dir_ / "out");
  dialogs_.answers = {QString(), Q(dir_ / "out" / "my ship.bmp"), QString()};
  EXPECT_EQ(Save(0, true), QString());
  ASSERT_EQ(dialogs_.calls.size(), 1u);
  const auto& call = dialogs_.calls[0];
  EXPECT_TRUE(call.save);
  EXPECT_EQ(call.info.title, "Save ressource as:");
  EXPECT_EQ(call.info.initialFolder, Q(TempFolder()) + "/");  // first use: the temporary folder
  EXPECT_EQ(call.info.fileName, "ship.bmp");
  EXPECT_EQ(call.info.filter, options::ConvertFilter("Alle Dateien (*.*)|*.*"));
  EXPECT_EQ(settings_.Read("LastResSave", "unset"), "unset");
  EXPECT_TRUE(ListFiles(TempFolder()).empty());

  EXPECT_EQ(Save(0, true), Q(dir_ / "out" / "my ship.bmp"));
  EXPECT_BYTES_EQ(ToBytes(kShip), ReadFileBytes(dir_ / "out" / "my ship.bmp"));
  EXPECT_EQ(ListFiles(dir_ / "out"), std::vector<fs::path>{"my ship.bmp"});
  EXPECT_EQ(settings_.Read("LastResSave", "?"), Q(dir_ / "out") + "/");
  Save(1, true);
  ASSERT_EQ(dialogs_.calls.size(), 3u);
  EXPECT_EQ(dialogs_.calls[2].info.initialFolder, Q(dir_ / "out") + "/");
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SaveResToFileTest, AFailedSaveAsLeavesTheChosenFileAsItWas) {
  WriteFileBytes(dir_ / "keep.bmp", ToBytes("precious"));
  dialogs_.answers = {Q(dir_ / "keep.bmp"), Q(dir_ / "no-such-folder" / "x.bmp")};
  EXPECT_EQ(Save(2, true), QString());  // the range runs past the archive's end
  EXPECT_EQ(ReadFileBytes(dir_ / "keep.bmp"), ToBytes("precious"));
  EXPECT_EQ(settings_.Read("LastResSave", "?"), Q(dir_.path()) + "/");  // remembered anyway
  EXPECT_TRUE(window_.messages.back().text.startsWith("Ressource can't be read: "));

  EXPECT_EQ(Save(0, true), QString());
  EXPECT_TRUE(window_.messages.back().text.startsWith("Ressource can't be saved temporarly: "));
  EXPECT_EQ(settings_.Read("LastResSave", "?"), Q(dir_ / "no-such-folder") + "/");
  for (const auto& file : ListFiles(dir_.path())) {
    EXPECT_EQ(file.string().find(".part"), std::string::npos) << file;
  }
  EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));
}

// The longest names an entry can hold: 255 bytes, and 251 characters that are two bytes
// each once converted, which no Linux file system takes as they are.
class LongNameTest : public SaveResToFileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(LongNameTest, IsCopiedAndSavedUnderANameTheFileSystemTakes) {
  ArchiveWriter writer("LONG");
  writer.Add(GetParam(), "long");
  WriteArchive(writer);
  const fs::path copy = Save(0, false).toStdString();
  EXPECT_TRUE(window_.messages.empty()) << window_.messages.at(0).text.toStdString();
  EXPECT_LE(copy.filename().string().size(), 255u);
  EXPECT_EQ(copy.extension(), ".txt");
  EXPECT_EQ(ReadFileBytes(copy), ToBytes("long"));

  const fs::path target = dir_.path() / copy.filename();
  dialogs_.answers = {Q(target)};
  EXPECT_EQ(Save(0, true), Q(target));
  EXPECT_EQ(ReadFileBytes(target), ToBytes("long"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, LongNameTest,
    ::testing::Values(std::string(251, 'a') + ".txt", std::string(251, '\xE9') + ".txt"),
    [](const auto& p) { return std::string(p.index == 0 ? "AsciiOf255Bytes" : "TwoByteCharacters"); });

}  // namespace
