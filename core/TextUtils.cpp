#include "TextUtils.h"

#include "Cp1250.h"
#include "RivwoodError.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

QString CharsToString(const Kod3& code) {
    QString s = Cp1250::decode(code.c.data(), 3);
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

Kod3 StringToChars(const QString& text) {
    if (text.size() > 3)
        throw RangeError(QString("Kód „%1“ je delší než tři znaky.").arg(text));
    Kod3 k;
    for (qsizetype i = 0; i < text.size(); ++i)
        k.c[size_t(i)] = Cp1250::encodeChar(text[i]);
    return k;
}

qsizetype CharacterBoundary(QStringView text, qsizetype width) {
    if (width <= 0)
        return 0;
    if (width >= text.size())
        return text.size();
    return text[width - 1].isHighSurrogate() && text[width].isLowSurrogate() ? width - 1 : width;
}

QString CutAtCharacter(const QString& text, qsizetype width) {
    return text.left(CharacterBoundary(text, width));
}

QString TrimSet(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return text.mid(b, e - b);
}

QString NamePart(const QString& line) {
    const qsizetype eq = line.indexOf('=');
    return (eq < 0 ? line : line.left(eq)).trimmed();
}

QString ValuePart(const QString& line) {
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QString() : line.mid(eq + 1).trimmed();
}

bool IsBlank(const QString& text) {
    for (QChar c : text)
        if (c != ' ')
            return false;
    return true;
}

double ToNumber(const QString& text, double fallback) {
    QString t = text.trimmed();
    t.replace(',', '.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

int ToInteger(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

double RoundHalfEven(double x) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(x);
}

QString FormatNumber(const char* format, double value) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, value);
    return QString::fromLatin1(buf);
}
