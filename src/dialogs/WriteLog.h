// The log writer of the dialogs. Logging is switched off by leaving LogFileName empty,
// which is how the program ships; a message is written only when a file name is set and
// the message begins with "!" or ForceLog is on. Each message becomes one line
// "dd.mm.yyyy - hh:mm:ss - message" appended to the log file in the program's folder.
#pragma once

#include <QDateTime>
#include <QString>
#include <string>

namespace zpk::dialogs {

// Makes WriteLog write every message, not only those beginning with "!".
inline bool ForceLog = false;

// The log file's name inside LogFolder; empty switches logging off.
inline std::string LogFileName;

// The folder of the log file; empty means the program's own folder.
inline std::string LogFolder;

// Appends the message to the log file when the rules above allow it; failures to open or
// write the file are ignored (the log must never stop the dialog that reports).
void WriteLog(const QString& message);

// One log line without its line break: "dd.mm.yyyy - hh:mm:ss - " and the message.
QString FormatLogLine(const QDateTime& when, const QString& message);

}  // namespace zpk::dialogs
