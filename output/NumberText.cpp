#include "NumberText.h"

#include <cmath>

namespace NumberText {

QString shortest(double value, const QLocale& locale) {
    if (value == 0)
        value = 0; // no "-0"
    QString s = QString::number(value, 'g', 15);
    const QString point = locale.decimalPoint();
    if (point != QStringLiteral("."))
        s.replace(u'.', point);
    return s;
}

std::optional<double> typed(const QString& input, const QLocale& locale) {
    const QString text = input.trimmed();
    const QString point = locale.decimalPoint();
    QString plain;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        plain += text[i++];
    int digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        plain += text[i++], ++digits;
    if (text.mid(i).startsWith(point)) {
        plain += u'.';
        i += point.size();
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            plain += text[i++], ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        plain += u'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            plain += text[i++];
        int exponent = 0;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            plain += text[i++], ++exponent;
        if (exponent == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace NumberText
