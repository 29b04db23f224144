#include "dialogs/WriteLog.h"

#include <QCoreApplication>
#include <QFile>

#include "util/PathUtils.h"

namespace zpk::dialogs {

namespace {

std::string LogFilePath() {
  std::string folder = LogFolder;
  if (folder.empty()) folder = QCoreApplication::applicationDirPath().toStdString();
  return util::AddBackslash(folder) + LogFileName;
}

}  // namespace

QString FormatLogLine(const QDateTime& when, const QString& message) {
  return when.toString(QStringLiteral("dd.MM.yyyy - hh:mm:ss")) + QStringLiteral(" - ") + message;
}

void WriteLog(const QString& message) {
  if (LogFileName.empty()) return;
  if (!message.startsWith(QLatin1Char('!')) && !ForceLog) return;
  QFile file(QString::fromStdString(LogFilePath()));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
  // Files take the system's 8-bit encoding, as every text file of the program does.
  file.write((FormatLogLine(QDateTime::currentDateTime(), message) + QLatin1Char('\n')).toLocal8Bit());
}

}  // namespace zpk::dialogs
