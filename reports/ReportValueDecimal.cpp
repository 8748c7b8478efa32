#include "ReportValueDecimal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

ReportValueDecimal ReportValueDecimal::fromDouble(double value, int significant) {
    ReportValueDecimal d;
    d.negative = std::signbit(value);
    significant = std::clamp(significant, 1, 17);
    // All 17 digits first, then rounded on the decimal digits, so that a half such as 1234.5
    // rounds away from zero as printed figures do.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16e", std::fabs(value));
    QString mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa.append(QChar(*p));
    const int exp10 = *p == 'e' ? std::atoi(p + 1) : 0;
    while (!mantissa.isEmpty() && mantissa.endsWith('0'))
        mantissa.chop(1);
    d.digits = mantissa;
    d.exponent = mantissa.isEmpty() ? 0 : exp10 + 1;
    if (d.digits.isEmpty()) {
        d.negative = false;
        return d;
    }
    return d.roundedTo(significant - d.exponent);
}

ReportValueDecimal ReportValueDecimal::roundedTo(int decimals) const {
    const int keep = exponent + decimals;
    if (isZero() || keep >= digits.size())
        return *this;
    ReportValueDecimal r;
    r.negative = negative;
    if (keep < 0)
        return {};
    const bool up = digits[keep] >= QChar('5');
    QString kept = digits.left(keep);
    int exp = exponent;
    if (up) {
        int i = kept.size() - 1;
        while (i >= 0 && kept[i] == QChar('9')) {
            kept[i] = QChar('0');
            --i;
        }
        if (i >= 0) {
            kept[i] = QChar(kept[i].unicode() + 1);
        } else {
            kept.prepend(QChar('1'));
            ++exp;
        }
    }
    while (!kept.isEmpty() && kept.endsWith('0'))
        kept.chop(1);
    if (kept.isEmpty())
        return {};
    r.digits = kept;
    r.exponent = exp;
    return r;
}

QString ReportValueDecimal::integerDigits() const {
    if (isZero() || exponent <= 0)
        return QStringLiteral("0");
    return digits.left(exponent).leftJustified(exponent, QChar('0'));
}

QString ReportValueDecimal::fractionDigits(int count) const {
    QString frac;
    if (!isZero()) {
        if (exponent >= 0)
            frac = digits.mid(exponent);
        else
            frac = QString(-exponent, QChar('0')) + digits;
    }
    return frac.leftJustified(count, QChar('0'), true);
}

int ReportValueDecimal::fractionLength() const {
    if (isZero())
        return 0;
    return std::max(0, int(digits.size()) - exponent);
}

QString groupThousands(const QString& integerDigits, const QString& separator) {
    if (separator.isEmpty())
        return integerDigits;
    QString out;
    const int n = integerDigits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += integerDigits[i];
    }
    return out;
}
