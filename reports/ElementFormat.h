#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Formats of system variables and the page count, given as the element's text.
namespace ElementFormat {

// A whole number through a printf-like format with one argument: "%d", "%u", "%x", "%X" with
// optional "-", width and precision; "%%" is a percent sign. Any other conversion, or a second
// one, cannot take the number: no value.
std::optional<QString> formatInteger(const QString& format, qint64 value);

// A date and time through a date-time pattern: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss
// z zzz am/pm ampm, "c" and "ddddd"/"t"/"tt" (short forms), quoted literals; "m" after an hour means
// minutes. "/" and ":" are the date and time separators.
QString formatDateTime(const QString& format, const QDateTime& value);

// The short forms used when no format is given.
QString shortDate(const QDate& date);
QString shortTime(const QTime& time);

} // namespace ElementFormat
