// Choosing an archive: the four labels, the resource list in directory order, the beep that
// ends every load but the first, and damaged or vanished archives. Choosing a resource: the
// info line, the probe's verdict with its colour and icon, the buttons that fit it, and
// resources whose bytes can't be read. Last, the labels' number formats at their edges.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cstdint>
#include <limits>

#include "AppTestSupport.h"
#include "app/NumberFormat.h"

namespace zpk::test {
namespace {

using app::frmMain;

class CatalogueTest : public WindowTest {};

// German number formats and dates while it lives, whatever the machine's locale.
struct GermanLocale {
  GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
  ~GermanLocale() { QLocale::setDefault(previous); }
  const QLocale previous;
};

// The second archive's resource has no extension and a position and length of 0: each
// shows as nothing in the info line.
TEST_F(CatalogueTest, LabelsDescribeTheArchiveAndEveryLaterChoiceReloads) {
  const GermanLocale german;
  std::string id = "  TIDEWATER RESOURCE PACK 1.0";
  id.resize(256, ' ');
  tools::ArchiveWriter writer(id);
  writer.Add("gfx/ship.bmp", std::vector<std::byte>(5000000, std::byte{1}));
  writer.Add("   music/theme.wav", "RIFF");
  writer.Add("text/caf\xE9.txt", "x");
  const auto path = AddArchive("data.zpk", writer.Bytes());
  AddArchive("e.zpk", tools::ArchiveWriter("B").Add(tools::RangedEntry("misc/README", 0, 0)).Bytes());
  // 9 March 2024, 14:05:07 local time.
  const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
  {
    QFile file(Q(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
  }
  frmMain& w = Start();
  EXPECT_EQ(w.lblZPKID->text(), QStringLiteral("TIDEWATER RESOURCE PACK 1.0"));
  // 260 + 3 x 276 + 5,000,005 bytes = 5,001,093 bytes: 4,883 whole KiB, plus 1.
  EXPECT_EQ(w.lblZPKSize->text(), QStringLiteral("4.884 Kb"));
  EXPECT_EQ(w.lblZPKDate->text(), QStringLiteral("09.03.24 14:05:07"));
  EXPECT_EQ(ListedRows(*w.lstZPKRes),
            QStringList({"gfx/ship.bmp", "music/theme.wav", QString::fromUtf8("text/caf\u00E9.txt")}));
  EXPECT_EQ(w.lblResInfos->text(), QStringLiteral("BMP, Pos: 1.088 (440), Len: 5.000.000 (4C4B40)"));
  // Every later choice loads again and beeps once, the archive already loaded too, whose
  // first resource is then chosen.
  ClickResource(1);
  ClickArchive(0);
  ClickArchive(1);
  EXPECT_EQ(windowSystem.beeps, 2);
  EXPECT_EQ(w.lblResInfos->text(), QStringLiteral(", Pos:  (0), Len:  (0)"));
  EXPECT_EQ(windowSystem.Count("busy"), 3);
  EXPECT_EQ(windowSystem.Count("normal"), 3);
}

struct DamagedCase {
  std::string name;
  std::function<std::vector<std::byte>()> bytes;
  QString size, id, entries;
  int listed;
  bool goneSinceListed = false;  // the file is removed once the list shows it
};

class DamagedArchiveTest : public CatalogueTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedArchiveTest, ShowsWhatTheFileHoldsWithoutAMessage) {
  AddArchive("a_good.zpk", tools::ArchiveWriter("GOOD").Add("good.txt", "good data").Bytes());
  const auto damaged = AddArchive("b_damaged.zpk", GetParam().bytes());
  frmMain& w = Start();
  const QString infoBefore = w.lblResInfos->text();
  const QString dateBefore = w.lblZPKDate->text();
  if (GetParam().goneSinceListed) RemoveArchive(damaged);
  ClickArchive(1);
  EXPECT_EQ(w.lblZPKSize->text(), GetParam().size);
  EXPECT_EQ(w.lblZPKID->text(), GetParam().id.isEmpty() ? QString() : IdLabel(GetParam().id));
  EXPECT_EQ(w.lblZPKEntries->text(), GetParam().entries);
  EXPECT_EQ(w.lstZPKRes->ListCount(), GetParam().listed);
  EXPECT_TRUE(windowSystem.messages.empty());
  if (GetParam().listed == 0) {
    // No resource to inspect: the one shown before stays on show, and asking beeps.
    EXPECT_EQ(w.lblResInfos->text(), infoBefore);
    w.lstZPKRes_Click();
    EXPECT_EQ(windowSystem.beeps, 2);
  }
  if (GetParam().goneSinceListed) {
    EXPECT_EQ(w.lblZPKDate->text(), dateBefore);
    EXPECT_FALSE(std::filesystem::exists(damaged));  // opening never creates it
  }
}

std::vector<std::byte> WithCount(std::int32_t count) {
  return tools::ArchiveWriter("COUNT").Add("one.txt", "11").SetCount(count).Bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Archives, DamagedArchiveTest,
    ::testing::Values(
        DamagedCase{"ShorterThanAHeader", [] { return std::vector<std::byte>(100, std::byte{'Z'}); },
                    "1 Kb", "", "0", 0},
        DamagedCase{"NegativeCount", [] { return WithCount(-5); }, "1 Kb", "COUNT", "-5", 0},
        DamagedCase{"CountOfTwoBillion", [] { return WithCount(2147483647); }, "1 Kb", "COUNT",
                    "2147483647", 1},
        DamagedCase{"GoneSinceListedCountsAsEmpty", [] { return tools::ArchiveWriter("GONE").Bytes(); },
                    "1 Kb", "", "0", 0, true}),
    RowName());

// The verdict of each resource in turn: hint, colour, icon, and the buttons that fit. The
// encrypted one comes first, so that each later row shows what the verdict turns back on.
TEST_F(CatalogueTest, VerdictHintIconAndButtons) {
  const struct {
    const char* name;
    const char* data;
    bool encrypted, playable;
  } rows[] = {{"music/packed.wav", "\x78\x01", true, false},
              {"music/theme.wav", "RI", false, true},
              {"video/intro.bik", "BI", false, true},
              {"sound/shot.mp3", "ID", false, true},
              {"music/theme.wav.txt", "ab", false, false},
              {"sfx.wav/bell", "ab", false, false}};
  tools::ArchiveWriter writer("V");
  for (const auto& row : rows) writer.Add(row.name, row.data);
  AddArchive("v.zpk", writer.Bytes());
  frmMain& w = Start();
  for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
    SCOPED_TRACE(rows[i].name);
    ClickResource(i);
    const bool encrypted = rows[i].encrypted;
    EXPECT_EQ(w.lblHint->text(), encrypted ? QStringLiteral("Encrypted!") : QStringLiteral("Probably Ok"));
    EXPECT_EQ(w.lblHint->palette().color(QPalette::WindowText),
              encrypted ? QColor(255, 0, 0) : QColor(0, 0, 255));
    EXPECT_EQ(w.imgEncrypted->pixmap().toImage(),
              w.ilIcons().Image(encrypted ? "icoWarn" : "icoOK").toImage());
    EXPECT_EQ(w.btnPlay->isEnabled(), rows[i].playable);
    EXPECT_EQ(w.btnViewTXT->isEnabled(), !encrypted);
    EXPECT_EQ(w.btnViewPIC->isEnabled(), !encrypted);
  }
}

struct UnreadableCase {
  std::string name;
  std::int32_t pos;
  QString line;
  bool archiveGone = false;  // removed after start-up, before the choice
};

class UnreadableTest : public CatalogueTest, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableTest, BeepAndMessageAndTheVerdictStays) {
  tools::ArchiveWriter writer("U");
  writer.Add("ok.wav", "\x78\x01\x01\x02");
  writer.Add(tools::RangedEntry("bad.txt", GetParam().pos, 4));
  const auto path = AddArchive("u.zpk", writer.Bytes());
  frmMain& w = Start();
  if (GetParam().archiveGone) RemoveArchive(path);
  ClickResource(1);
  EXPECT_EQ(w.lblResInfos->text(), GetParam().line);
  EXPECT_EQ(windowSystem.beeps, 1);
  ASSERT_EQ(windowSystem.messages.size(), 1u);
  EXPECT_TRUE(windowSystem.messages[0].text.startsWith(QStringLiteral("Ressource can't be read: ")));
  EXPECT_GT(windowSystem.messages[0].text.size(), 25);
  EXPECT_EQ(windowSystem.messages[0].icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(windowSystem.messages[0].title, w.VersionTitle());
  EXPECT_EQ(w.lblHint->text(), QStringLiteral("Encrypted!"));
  // Every choice probes again.
  ClickResource(1);
  EXPECT_EQ(windowSystem.messages.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, UnreadableTest,
    ::testing::Values(UnreadableCase{"NegativePosition", -8, "TXT, Pos: -8 (FFFFFFF8), Len: 4 (4)"},
                      UnreadableCase{"ArchiveGone", 20, "TXT, Pos: 20 (14), Len: 4 (4)", true}),
    RowName());

// The number formats at their edges; the everyday values are in the labels above. Sizes are
// whole kilobytes plus one, so that no file shows as 0 Kb.
TEST(NumberFormat, Edges) {
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(app::FormatGrouped(std::numeric_limits<std::int64_t>::min(), us), "-9,223,372,036,854,775,808");
  EXPECT_EQ(app::FormatSizeKb(1024, us), "2 Kb");
  EXPECT_EQ(app::FormatSizeKb(5ULL << 30, us), "5,242,881 Kb");
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(app::FormatFileDate(QDateTime(QDate(2024, 3, 9), QTime(0, 0, 0, 400)), german), "09.03.24");
  EXPECT_EQ(app::FormatFileDate(QDateTime(QDate(2024, 3, 9), QTime(0, 0, 1)), german), "09.03.24 00:00:01");
}

}  // namespace
}  // namespace zpk::test
