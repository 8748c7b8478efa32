#include "ReportValueFormat.h"

#include "ReportValueDecimal.h"

#include <algorithm>
#include <cmath>

namespace {

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString exponentText(int exponent, bool alwaysSign, int minDigits) {
    QString s = exponent < 0 ? QStringLiteral("-") : (alwaysSign ? QStringLiteral("+") : QString());
    return s + QString::number(std::abs(exponent)).rightJustified(std::clamp(minDigits, 0, 4), QChar('0'));
}

QString formatExponent(double value, int precision, int minExponentDigits, QChar sep) {
    const int p = std::clamp(precision, 1, 15);
    const ReportValueDecimal d = ReportValueDecimal::fromDouble(value, p);
    const QString digits = d.isZero() ? QString(p, QChar('0')) : d.digits.leftJustified(p, QChar('0'));
    const int exponent = d.isZero() ? 0 : d.exponent - 1;
    QString out = d.negative ? QStringLiteral("-") : QString();
    out += digits[0];
    if (p > 1)
        out += sep + digits.mid(1);
    return out + QChar('E') + exponentText(exponent, true, minExponentDigits);
}

// Fixed-point digits of |value| with `decimals` places, grouped when a separator is given;
// empty when the number has more integer digits than the precision allows.
QString fixedBody(double value, int precision, int decimals, QChar sep, const QString& group,
                  bool* negative) {
    const int p = std::clamp(precision, 1, 15);
    const int n = std::clamp(decimals, 0, 18);
    const ReportValueDecimal d = ReportValueDecimal::fromDouble(value, p);
    if (d.exponent > p)
        return {};
    const ReportValueDecimal r = d.roundedTo(n);
    *negative = r.negative && !r.isZero();
    QString out = groupThousands(r.integerDigits(), group);
    if (n > 0)
        out += sep + r.fractionDigits(n);
    return out;
}

QString formatFixed(double value, int precision, int decimals, const QLocale& locale, bool grouped) {
    const QChar sep = decimalSeparatorOf(locale);
    bool negative = false;
    const QString body =
        fixedBody(value, precision, decimals, sep, grouped ? locale.groupSeparator() : QString(), &negative);
    if (body.isEmpty())
        return FormatGeneral(value, precision, sep);
    return negative ? QStringLiteral("-") + body : body;
}

QString formatCurrency(double value, int precision, int decimals, const QLocale& locale) {
    const QChar sep = decimalSeparatorOf(locale);
    bool negative = false;
    const QString body = fixedBody(value, precision, decimals, sep, locale.groupSeparator(), &negative);
    if (body.isEmpty())
        return FormatGeneral(value, precision, sep);
    // The locale's own pattern for one currency unit tells where the symbol and the sign go.
    const QString one = locale.toString(1);
    QString pattern = locale.toCurrencyString(negative ? -1.0 : 1.0, locale.currencySymbol(), 0);
    const int at = pattern.indexOf(one);
    if (at < 0)
        return (negative ? QStringLiteral("-") : QString()) + body;
    return pattern.replace(at, one.size(), body);
}

} // namespace

QChar decimalSeparatorOf(const QLocale& locale) {
    const QString s = locale.decimalPoint();
    return s.isEmpty() ? QChar('.') : s[0];
}

double TextToNumber(const QString& text, QChar decimalSeparator, bool* ok) {
    *ok = false;
    QString s = text;
    if (decimalSeparator == QChar(',')) {
        const int dot = s.indexOf(QChar('.'));
        if (dot >= 0)
            s[dot] = QChar(',');
    } else if (decimalSeparator == QChar('.')) {
        const int comma = s.indexOf(QChar(','));
        if (comma >= 0)
            s[comma] = QChar('.');
    }
    int start = 0;
    while (start < s.size() && (s[start] == QChar(' ') || s[start] == QChar('\t')))
        ++start;
    s = s.mid(start);
    if (s.isEmpty())
        return 0;
    QString plain;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= QChar('0') && c <= QChar('9'))
            plain += c;
        else if (c == decimalSeparator)
            plain += QChar('.');
        else if (c == QChar('-') && i == 0)
            plain += c;
        else
            return 0;
    }
    bool converted = false;
    const double v = QLocale::c().toDouble(plain, &converted);
    if (!converted || !std::isfinite(v))
        return 0;
    *ok = true;
    return v;
}

double TextToNumber(const QString& text, QChar decimalSeparator) {
    bool ok = false;
    return TextToNumber(text, decimalSeparator, &ok);
}

QString FormatGeneral(double value, int precision, QChar decimalSeparator, int minExponentDigits) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const int p = std::clamp(precision, 1, 15);
    const ReportValueDecimal d = ReportValueDecimal::fromDouble(value, p);
    if (d.isZero())
        return QStringLiteral("0");
    QString out = d.negative ? QStringLiteral("-") : QString();
    if (d.exponent > p || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1)
            out += decimalSeparator + d.digits.mid(1);
        return out + QChar('E') + exponentText(d.exponent - 1, false, minExponentDigits);
    }
    out += d.integerDigits();
    const int frac = d.fractionLength();
    if (frac > 0)
        out += decimalSeparator + d.fractionDigits(frac);
    return out;
}

QString FormatFloat(double value, ReportFloatFormat format, int precision, int digits,
                    const QLocale& locale) {
    if (!std::isfinite(value))
        return nonFinite(value);
    switch (format) {
    case ReportFloatFormat::General:
        return FormatGeneral(value, precision, decimalSeparatorOf(locale), digits);
    case ReportFloatFormat::Exponent:
        return formatExponent(value, precision, digits, decimalSeparatorOf(locale));
    case ReportFloatFormat::Number:
        return formatFixed(value, precision, digits, locale, true);
    case ReportFloatFormat::Currency:
        return formatCurrency(value, precision, digits, locale);
    case ReportFloatFormat::Fixed:
        break;
    }
    return formatFixed(value, precision, digits, locale, false);
}
