#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Numbers written into sheets as texts, the way a typed entry is read.
namespace NumberText {

// The shortest decimal form (up to 15 significant digits) with the locale's decimal separator;
// -0 is written as 0.
QString shortest(double value, const QLocale& locale = QLocale());
// The number a typed text stands for ("12", "-3,5", "1E3" with a decimal comma), or nothing for a
// text that is no plain number. Blanks around it are ignored.
std::optional<double> typed(const QString& text, const QLocale& locale = QLocale());

} // namespace NumberText
