#include "dialogs/WriteLog.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <ostream>
#include <string>

#include "DialogTestSupport.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::dialogs;
using zpk::test::PrintTo;
using zpk::test::TempDir;

std::string ReadText(const std::filesystem::path& path) {
  const auto bytes = zpk::test::ReadFileBytes(path);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

struct LogCase {
  const char* label;
  std::string fileName;
  bool force;
  QString message;
  bool written;
};

const LogCase kLogCases[] = {
    {"NoNameWritesNothingEvenForced", "", true, QStringLiteral("!alarm"), false},
    {"PlainMessageNeedsForce", "zpk.log", false, QStringLiteral("plain"), false},
    {"BangMessageWritten", "zpk.log", false, QStringLiteral("!alarm"), true},
    {"ForcedPlainMessageWritten", "zpk.log", true, QStringLiteral("plain"), true},
    {"BangOnlyAtStartCounts", "zpk.log", false, QStringLiteral("not!"), false},
};

class WriteLogTest : public zpk::test::DialogGlobalsTest,
                     public testing::WithParamInterface<LogCase> {};

TEST_P(WriteLogTest, WritesOnlyWhenAllowed) {
  const LogCase& c = GetParam();
  TempDir dir;
  LogFolder = dir.path().string();
  LogFileName = c.fileName;
  ForceLog = c.force;

  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  WriteLog(c.message);
  const QDateTime after = QDateTime::currentDateTime().addSecs(1);

  const auto files = zpk::test::ListFiles(dir.path());
  if (!c.written) {
    EXPECT_TRUE(files.empty());
    return;
  }
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0], std::filesystem::path(c.fileName));
  const QString text = QString::fromLocal8Bit(ReadText(dir / c.fileName));
  const QRegularExpression line(QStringLiteral(
      R"(^(\d\d\.\d\d\.\d{4} - \d\d:\d\d:\d\d) - (.*)\n$)"));
  const auto match = line.match(text);
  ASSERT_TRUE(match.hasMatch()) << text.toStdString();
  EXPECT_EQ(match.captured(2), c.message);
  const QDateTime stamp =
      QDateTime::fromString(match.captured(1), QStringLiteral("dd.MM.yyyy - hh:mm:ss"));
  EXPECT_GE(stamp, before.addMSecs(-before.time().msec()));
  EXPECT_LE(stamp, after);
}

INSTANTIATE_TEST_SUITE_P(Rules, WriteLogTest, testing::ValuesIn(kLogCases),
                         zpk::test::LabelName);

class WriteLogFileTest : public zpk::test::DialogGlobalsTest {};

TEST_F(WriteLogFileTest, AppendsOneLinePerMessage) {
  TempDir dir;
  LogFolder = dir.path().string();
  LogFileName = "zpk.log";
  WriteLog(QStringLiteral("!first"));
  WriteLog(QStringLiteral("!second"));
  const std::string text = ReadText(dir / "zpk.log");
  const auto firstEnd = text.find('\n');
  ASSERT_NE(firstEnd, std::string::npos);
  EXPECT_TRUE(text.substr(0, firstEnd).ends_with(" - !first"));
  EXPECT_TRUE(text.substr(firstEnd + 1).ends_with(" - !second\n"));
}

TEST_F(WriteLogFileTest, FolderThatCannotBeWrittenIsIgnored) {
  TempDir dir;
  LogFolder = (dir / "missing" / "deeper").string();
  LogFileName = "zpk.log";
  WriteLog(QStringLiteral("!lost"));
  EXPECT_TRUE(zpk::test::ListFiles(dir.path()).empty());
}

TEST(FormatLogLine, DayMonthYearThen24HourTime) {
  const QDateTime when(QDate(2026, 3, 7), QTime(21, 5, 9));
  EXPECT_EQ(FormatLogLine(when, QStringLiteral("Msg")), QStringLiteral("07.03.2026 - 21:05:09 - Msg"));
}

}  // namespace
