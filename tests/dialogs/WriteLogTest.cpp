#include "dialogs/WriteLog.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <string>

#include "DialogTestSupport.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::dialogs;
using zpk::test::PrintTo;

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

// Each message written is appended as one line of its own.
TEST_P(WriteLogTest, AppendsALineOnlyWhenAllowed) {
  const LogCase& c = GetParam();
  zpk::test::TempDir dir;
  LogFolder = dir.path().string();
  LogFileName = c.fileName;
  ForceLog = c.force;
  WriteLog(QStringLiteral("!first"));
  WriteLog(c.message);

  const auto files = zpk::test::ListFiles(dir.path());
  if (c.fileName.empty()) {
    EXPECT_TRUE(files.empty());
    return;
  }
  ASSERT_EQ(files, std::vector<std::filesystem::path>{c.fileName});
  const auto bytes = zpk::test::ReadFileBytes(dir / c.fileName);
  const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::string second = " - " + c.message.toStdString() + "\n";
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.written ? 2 : 1) << text;
  EXPECT_EQ(text.ends_with(second), c.written) << text;
  EXPECT_TRUE(text.substr(0, text.find('\n')).ends_with(" - !first")) << text;
}

INSTANTIATE_TEST_SUITE_P(Rules, WriteLogTest, testing::ValuesIn(kLogCases), zpk::test::LabelName);

TEST(FormatLogLine, DayMonthYearThen24HourTime) {
  const QDateTime when(QDate(2026, 3, 7), QTime(21, 5, 9));
  EXPECT_EQ(FormatLogLine(when, QStringLiteral("Msg")), QStringLiteral("07.03.2026 - 21:05:09 - Msg"));
}

}  // namespace
