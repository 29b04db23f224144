// Choosing an archive: the four labels, the resource list in directory order, the beep
// that ends every load but the first, and damaged or vanished archives.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QFile>
#include <QTest>

#include "AppTestSupport.h"
#include "app/ChoiceList.h"

namespace zpk::test {
namespace {

using app::frmMain;

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

QStringList ListedResources(frmMain& w) {
  QStringList names;
  auto* model = w.lstZPKRes->model();
  for (int row = 0; row < model->rowCount(); ++row) names << model->index(row, 0).data().toString();
  return names;
}

class CatalogueTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseLocale(QLocale(QLocale::German, QLocale::Germany));
  }
};

TEST_F(CatalogueTest, LabelsDescribeTheArchive) {
  tools::ArchiveWriter writer(Padded("  TIDEWATER RESOURCE PACK 1.0", 256));
  writer.Add("gfx/ship.bmp", std::vector<std::byte>(5000000, std::byte{1}));
  writer.Add("   music/theme.wav", "RIFF");
  writer.Add("text/caf\xE9.txt", "x");
  const auto path = AddArchive("data.zpk", writer);
  // 9 March 2024, 14:05:07 local time.
  const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
  {
    QFile file(Q(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
  }
  frmMain& w = Start();
  EXPECT_EQ(w.lblZPKID->text(), QStringLiteral("TIDEWATER RESOURCE PACK 1.0"));
  EXPECT_EQ(w.lblZPKEntries->text(), QStringLiteral("3"));
  // 260 + 3 x 276 + 5,000,005 bytes = 5,001,093 bytes: 4,883 whole KiB, plus 1.
  ASSERT_EQ(std::filesystem::file_size(path), 5001093u);
  EXPECT_EQ(w.lblZPKSize->text(), QStringLiteral("4.884 Kb"));
  EXPECT_EQ(w.lblZPKDate->text(), QStringLiteral("09.03.24 14:05:07"));
  EXPECT_EQ(ListedResources(w),
            QStringList({"gfx/ship.bmp", "music/theme.wav", QString::fromUtf8("text/caf\u00E9.txt")}));
  EXPECT_EQ(w.lstZPKRes->ListIndex(), 0);
  EXPECT_EQ(w.EntryCount(), 3);
  EXPECT_EQ(w.ChosenEntry()->Name, "gfx/ship.bmp");
}

TEST_F(CatalogueTest, DuplicateNamesKeepTheirOwnSlots) {
  tools::ArchiveWriter writer("DUP");
  writer.Add("text/notes.txt", "first");
  writer.Add("text/notes.txt", "second one");
  AddArchive("dup.zpk", writer);
  frmMain& w = Start();
  EXPECT_EQ(ListedResources(w), QStringList({"text/notes.txt", "text/notes.txt"}));
  ClickResource(1);
  EXPECT_EQ(w.ChosenEntry()->Len, 10);
}

TEST_F(CatalogueTest, EveryLaterChoiceReloadsAndBeepsOnce) {
  tools::ArchiveWriter a("A");
  a.Add("a1.txt", "11");
  a.Add("a2.txt", "22");
  tools::ArchiveWriter b("B");
  b.Add("b1.txt", "11");
  AddArchive("a.zpk", a);
  AddArchive("b.zpk", b);
  frmMain& w = Start();
  EXPECT_EQ(windowSystem.beeps, 0);
  ClickResource(1);
  EXPECT_EQ(w.lstZPKRes->ListIndex(), 1);

  ClickArchive(1);
  EXPECT_EQ(windowSystem.beeps, 1);
  EXPECT_EQ(w.lblZPKID->text(), IdLabel("B"));
  EXPECT_EQ(ListedResources(w), QStringList({"b1.txt"}));

  ClickArchive(1);  // the archive already loaded: loaded again, first resource chosen
  EXPECT_EQ(windowSystem.beeps, 2);
  ClickArchive(0);
  EXPECT_EQ(windowSystem.beeps, 3);
  EXPECT_EQ(w.lstZPKRes->ListIndex(), 0);
  EXPECT_EQ(windowSystem.Count("busy"), 4);
  EXPECT_EQ(windowSystem.Count("normal"), 4);
  EXPECT_TRUE(windowSystem.messages.empty());
}

struct DamagedCase {
  std::string name;
  std::function<std::vector<std::byte>()> bytes;
  QString size, id, entries;
  int listed;
  bool goneSinceListed = false;  // the file is removed once the list shows it
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedArchiveTest : public CatalogueTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedArchiveTest, ShowsWhatTheFileHoldsWithoutAMessage) {
  tools::ArchiveWriter good("GOOD");
  good.Add("good.txt", "good data");
  AddArchive("a_good.zpk", good);
  const auto damaged = Install() / "b_damaged.zpk";
  if (GetParam().goneSinceListed) {
    WriteFileBytes(damaged, GetParam().bytes());
  } else {
    AddArchiveBytes("b_damaged.zpk", GetParam().bytes());
  }
  frmMain& w = Start();
  const QString infoBefore = w.lblResInfos->text();
  const QString hintBefore = w.lblHint->text();
  const QString dateBefore = w.lblZPKDate->text();
  if (GetParam().goneSinceListed) std::filesystem::remove(damaged);
  ClickArchive(1);
  EXPECT_EQ(w.lblZPKSize->text(), GetParam().size);
  EXPECT_EQ(w.lblZPKID->text(), GetParam().id.isEmpty() ? QString() : IdLabel(GetParam().id));
  EXPECT_EQ(w.lblZPKEntries->text(), GetParam().entries);
  EXPECT_EQ(w.lstZPKRes->ListCount(), GetParam().listed);
  EXPECT_EQ(windowSystem.beeps, 1);
  EXPECT_TRUE(windowSystem.messages.empty());
  if (GetParam().listed == 0) {
    // No resource to inspect: the one shown before stays on show.
    EXPECT_EQ(w.lblResInfos->text(), infoBefore);
    EXPECT_EQ(w.lblHint->text(), hintBefore);
    EXPECT_FALSE(w.ChosenEntry());
  }
  if (GetParam().goneSinceListed) {
    EXPECT_EQ(w.lblZPKDate->text(), dateBefore);
    EXPECT_FALSE(std::filesystem::exists(damaged));  // opening never creates it
  }
}

std::vector<std::byte> Truncated() {
  tools::ArchiveWriter w("PATCH");
  w.Add("patch/a.txt", "aa");
  w.Add("patch/b.txt", "bb");
  w.Add("patch/c.txt", "cc");
  w.SetCount(12);
  return w.Bytes();
}
std::vector<std::byte> WithCount(std::int32_t count) {
  tools::ArchiveWriter w("COUNT");
  w.Add("one.txt", "11");
  w.SetCount(count);
  return w.Bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Archives, DamagedArchiveTest,
    ::testing::Values(
        DamagedCase{"ShorterThanAHeader", [] { return std::vector<std::byte>(100, std::byte{'Z'}); },
                    "1 Kb", "", "0", 0},
        DamagedCase{"DirectoryShorterThanItsCount", Truncated, "2 Kb", "PATCH", "12", 3},
        DamagedCase{"NegativeCount", [] { return WithCount(-5); }, "1 Kb", "COUNT", "-5", 0},
        DamagedCase{"CountOfTwoBillion", [] { return WithCount(2147483647); }, "1 Kb", "COUNT",
                    "2147483647", 1},
        DamagedCase{"NoEntries", [] { return tools::ArchiveWriter("EMPTY").Bytes(); }, "1 Kb",
                    "EMPTY", "0", 0},
        DamagedCase{"GoneSinceListedCountsAsEmpty", [] { return tools::ArchiveWriter("GONE").Bytes(); },
                    "1 Kb", "", "0", 0, true}),
    [](const auto& row) { return row.param.name; });

TEST_F(CatalogueTest, IdKeepsItsTextPastANul) {
  std::string id = "  ABC  ";
  id += std::string(3, '\0');
  id += " tail  ";
  AddArchive("id.zpk", tools::ArchiveWriter(id));
  // Trimmed of the leading spaces only: the stored field ends in NUL padding, not spaces.
  std::string field = id.substr(2);
  field.resize(256 - 2, '\0');
  EXPECT_EQ(Start().lblZPKID->text(), QString::fromLatin1(field.data(), 254));
}

}  // namespace
}  // namespace zpk::test
