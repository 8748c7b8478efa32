#include "LocaleNumbers.h"

#include "TextUtils.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace LocaleNumbers {

namespace {

QChar localeSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.front();
}

QChar& separator() {
    static QChar s = localeSeparator();
    return s;
}

} // namespace

QChar decimalPoint() {
    return separator();
}

void setDecimalPoint(QChar c) {
    separator() = c;
}

void resetDecimalPoint() {
    separator() = localeSeparator();
}

QString Localize(const QString& text) {
    if (separator() == '.')
        return text;
    QString t = text;
    t.replace('.', separator());
    return t;
}

QString Format(const char* format, double value) {
    return Localize(FormatNumber(format, value));
}

double Read(const QString& text, double fallback) {
    QString t = text;
    if (separator() != '.' && separator() != ',')
        t.replace(separator(), '.');
    return ToNumber(t, fallback);
}

bool IsNumber(const QString& text) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return !std::isnan(Read(text, nan));
}

QString Shortest(double value) {
    return Localize(QString::number(value, 'g', QLocale::FloatingPointShortest));
}

} // namespace LocaleNumbers
