#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

// Number styles of report output (the float format of a report function).
enum class ReportFloatFormat { General = 0, Exponent = 1, Fixed = 2, Number = 3, Currency = 4 };

// Reads a report text as a number: the first "." becomes the decimal separator when that is ","
// (or the first "," becomes "." when it is "."), leading blanks are dropped, and the rest must be
// digits and the separator, with "-" allowed first. Anything else reads as 0.
double TextToNumber(const QString& text, QChar decimalSeparator);
// The same, telling whether the text was a number at all.
double TextToNumber(const QString& text, QChar decimalSeparator, bool* ok);

// General format: the shortest form with at most `precision` significant digits; scientific
// ("1,5E-7", "1E20") when the number needs more integer digits than that or is below 0.0001.
// `minExponentDigits` (0–4) pads the exponent.
QString FormatGeneral(double value, int precision, QChar decimalSeparator, int minExponentDigits = 0);

// A number in one of the report styles. `precision` is the number of significant digits (1–15),
// `digits` the decimal places (fixed, number, currency; 0–18) or the least number of exponent
// digits (general, exponent; 0–4). Separators and the currency come from the locale.
QString FormatFloat(double value, ReportFloatFormat format, int precision, int digits, const QLocale& locale);

// First character of the locale's decimal separator.
QChar decimalSeparatorOf(const QLocale& locale);
