#include "app/NumberFormat.h"

namespace zpk::app {

QString FormatGrouped(std::int64_t value, const QLocale& locale) {
  if (value == 0) return {};
  // The magnitude as unsigned, so that the smallest 64-bit value has one too.
  const std::uint64_t magnitude =
      value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  const QString digits = QString::number(magnitude);
  const QString separator = locale.groupSeparator();
  QString grouped;
  grouped.reserve(digits.size() + digits.size() / 3 * separator.size() + 1);
  if (value < 0) grouped += u'-';
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
    grouped += digits[i];
  }
  return grouped;
}

QString FormatHex(std::int32_t value) {
  return QString::number(static_cast<std::uint32_t>(value), 16).toUpper();
}

QString FormatSizeKb(std::uint64_t bytes, const QLocale& locale) {
  const std::uint64_t kb = bytes / 1024 + 1;
  return FormatGrouped(static_cast<std::int64_t>(kb), locale) + QStringLiteral(" Kb");
}

namespace {
// The locale's long time format without its time-zone fields ("t"), which a file date on
// the user's own machine does not need.
QString LongTimeFormat(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString kept;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    kept += c;
  }
  return kept.trimmed();
}
}  // namespace

QString FormatFileDate(const QDateTime& when, const QLocale& locale) {
  const QString date = locale.toString(when.date(), QLocale::ShortFormat);
  // File dates count whole seconds; parts of a second neither show nor spoil midnight.
  const QTime time = when.time();
  if (time.hour() == 0 && time.minute() == 0 && time.second() == 0) return date;
  return date + u' ' + locale.toString(time, LongTimeFormat(locale));
}

}  // namespace zpk::app
