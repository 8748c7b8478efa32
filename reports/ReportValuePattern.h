#pragma once

#include <QLocale>
#include <QString>

// Formats a number with a picture pattern, as the FORMAT function of report expressions does:
// "0" a digit always shown, "#" a digit shown when significant, the first "." the decimal point,
// "," anywhere asks for thousands separators, text in double quotes and every other character
// literally. Up to three sections separated by ";" serve positive, negative and zero values.
// An empty pattern gives the general format.
QString FormatPattern(double value, const QString& pattern, const QLocale& locale);
