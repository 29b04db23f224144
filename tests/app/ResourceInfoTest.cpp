// Choosing a resource: the info line, the probe's verdict with its colour and icon, the
// buttons that fit the resource, and resources whose bytes can't be read.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "AppTestSupport.h"
#include "app/ChoiceList.h"

namespace zpk::test {
namespace {

using app::frmMain;

class ResourceInfoTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  }
};

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
  std::vector<std::byte> bytes;
  for (int v : values) bytes.push_back(static_cast<std::byte>(v));
  return bytes;
}

struct VerdictCase {
  std::string name;
  std::string resource;
  std::vector<std::byte> data;
  bool encrypted;
  bool playable;
};

class VerdictTest : public ResourceInfoTest, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, HintIconAndButtons) {
  const VerdictCase& c = GetParam();
  tools::ArchiveWriter writer("V");
  writer.Add("first.dat", "first");
  writer.Add(c.resource, c.data);
  AddArchive("v.zpk", writer);
  frmMain& w = Start();
  ClickResource(1);
  EXPECT_TRUE(windowSystem.messages.empty());
  EXPECT_EQ(w.lblHint->text(), c.encrypted ? QStringLiteral("Encrypted!") : QStringLiteral("Probably Ok"));
  EXPECT_EQ(w.lblHint->palette().color(QPalette::WindowText),
            c.encrypted ? QColor(255, 0, 0) : QColor(0, 0, 255));
  EXPECT_EQ(w.imgEncrypted->pixmap().toImage(),
            w.ilIcons().Image(c.encrypted ? "icoWarn" : "icoOK").toImage());
  EXPECT_EQ(w.btnPlay->isEnabled(), c.playable);
  EXPECT_EQ(w.btnViewTXT->isEnabled(), !c.encrypted);
  EXPECT_EQ(w.btnViewPIC->isEnabled(), !c.encrypted);
  EXPECT_TRUE(w.btnViewHEX->isEnabled());
  EXPECT_TRUE(w.btnSaveAs->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Probe, VerdictTest,
    ::testing::Values(
        VerdictCase{"ZlibLowestLevelIsEncrypted", "data/packed.dat", Bytes({0x78, 0x01, 5}), true, false},
        VerdictCase{"SoundIsPlayable", "music/theme.wav", Bytes({'R', 'I'}), false, true},
        VerdictCase{"EncryptedSoundIsNotPlayable", "music/theme.wav", Bytes({0x78, 0x01}), true, false},
        VerdictCase{"UpperCaseBikIsPlayable", "video/INTRO.BIK", Bytes({'B', 'I'}), false, true},
        VerdictCase{"WavTxtIsText", "music/theme.wav.txt", Bytes({'a', 'b'}), false, false},
        VerdictCase{"NoDotIsNotPlayable", "misc/README", Bytes({'a', 'b'}), false, false},
        VerdictCase{"DotInFolderOnly", "sfx.wav/bell", Bytes({'a', 'b'}), false, false}),
    [](const auto& row) { return row.param.name; });

struct InfoCase {
  std::string name;
  tools::WriterEntry entry;
  QString line;
};

constexpr auto Entry = tools::RangedEntry;

class InfoLineTest : public ResourceInfoTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InfoLineTest, ExtensionPositionAndLength) {
  tools::ArchiveWriter writer("I");
  writer.Add(GetParam().entry);
  tools::WriterEntry filler;
  filler.name = "filler.bin";
  filler.patternSize = 8192;
  writer.Add(filler);
  AddArchive("i.zpk", writer);
  frmMain& w = Start();
  EXPECT_EQ(w.lblResInfos->text(), GetParam().line);
  EXPECT_TRUE(windowSystem.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Line, InfoLineTest,
    ::testing::Values(
        InfoCase{"GroupedAndHex", Entry("gfx/ship.bmp", 4096, 1500), "BMP, Pos: 4,096 (1000), Len: 1,500 (5DC)"},
        InfoCase{"PositionZeroIsEmpty", Entry("misc/header.bin", 0, 64), "BIN, Pos:  (0), Len: 64 (40)"},
        InfoCase{"NoExtension", Entry("misc/README", 10, 0), ", Pos: 10 (A), Len:  (0)"},
        InfoCase{"NegativeLengthTwosComplement", Entry("a.txt", 20, -1), "TXT, Pos: 20 (14), Len: -1 (FFFFFFFF)"}),
    [](const auto& row) { return row.param.name; });

struct UnreadableCase {
  std::string name;
  std::int32_t pos;
  std::int32_t len;
  QString line;
  bool archiveGone = false;  // removed after start-up, before the choice
};

class UnreadableTest : public ResourceInfoTest, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableTest, BeepAndMessageAndTheVerdictStays) {
  tools::ArchiveWriter writer("U");
  writer.Add("ok.wav", Bytes({0x78, 0x01, 1, 2}));
  tools::WriterEntry bad = Entry("bad.txt", GetParam().pos, GetParam().len);
  bad.data = {};
  writer.Add(bad);
  const auto path = Install() / "u.zpk";
  if (GetParam().archiveGone) {
    WriteFileBytes(path, writer.Bytes());
  } else {
    AddArchive("u.zpk", writer);
  }
  frmMain& w = Start();
  ASSERT_EQ(w.lblHint->text(), QStringLiteral("Encrypted!"));
  if (GetParam().archiveGone) std::filesystem::remove(path);
  ClickResource(1);
  EXPECT_EQ(w.lblResInfos->text(), GetParam().line);
  EXPECT_EQ(windowSystem.beeps, 1);
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  EXPECT_TRUE(windowSystem.messages[0].text.startsWith(QStringLiteral("Ressource can't be read: ")));
  EXPECT_GT(windowSystem.messages[0].text.size(), 25);
  EXPECT_EQ(windowSystem.messages[0].icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(windowSystem.messages[0].title, w.VersionTitle());
  EXPECT_EQ(w.lblHint->text(), QStringLiteral("Encrypted!"));
  EXPECT_EQ(w.imgEncrypted->pixmap().toImage(), w.ilIcons().Image("icoWarn").toImage());
  EXPECT_FALSE(w.btnViewTXT->isEnabled());
  // Every choice probes again.
  ClickResource(1);
  EXPECT_EQ(windowSystem.messages.size(), 2u);
  EXPECT_EQ(windowSystem.beeps, 2);
  EXPECT_EQ(std::filesystem::exists(path), !GetParam().archiveGone);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, UnreadableTest,
    ::testing::Values(UnreadableCase{"BeyondTheEnd", 1000000, 4, "TXT, Pos: 1,000,000 (F4240), Len: 4 (4)"},
                      UnreadableCase{"NegativePosition", -8, 4, "TXT, Pos: -8 (FFFFFFF8), Len: 4 (4)"},
                      UnreadableCase{"ZeroLengthStillProbesTwoBytes", 812 + 3, 0,
                                     "TXT, Pos: 815 (32F), Len:  (0)"},
                      UnreadableCase{"ArchiveGone", 20, 4, "TXT, Pos: 20 (14), Len: 4 (4)", true}),
    [](const auto& row) { return row.param.name; });

TEST_F(ResourceInfoTest, NothingChosenBeeps) {
  AddArchive("e.zpk", tools::ArchiveWriter("E"));
  frmMain& w = Start();
  ASSERT_EQ(w.lstZPKRes->ListIndex(), -1);
  w.lstZPKRes_Click();
  EXPECT_EQ(windowSystem.beeps, 1);
  EXPECT_TRUE(windowSystem.messages.empty());
}

}  // namespace
}  // namespace zpk::test
