// How the window writes numbers, sizes and dates, in the user's regional settings.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>

namespace zpk::app {

// The pattern "###,###,###": decimal digits in groups of three with the locale's group
// separator, a leading "-" for negative values, and "" for 0.
QString FormatGrouped(std::int64_t value, const QLocale& locale = QLocale());

// Upper-case hexadecimal without prefix or leading zeros; negative values as their 32-bit
// two's complement (eight digits).
QString FormatHex(std::int32_t value);

// A file's size as the archive list shows it: whole KiB dropped, plus 1, grouped, " Kb".
QString FormatSizeKb(std::uint64_t bytes, const QLocale& locale = QLocale());

// A file date as the user's short date, a blank and the long time (without time zone);
// the date alone for exactly midnight.
QString FormatFileDate(const QDateTime& when, const QLocale& locale = QLocale());

}  // namespace zpk::app
