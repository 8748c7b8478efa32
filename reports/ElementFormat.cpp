#include "ElementFormat.h"

#include <QLocale>

namespace {

// Names of months and days as the Czech locale writes them.
const QLocale& czech() {
    static const QLocale locale(QLocale::Czech, QLocale::CzechRepublic);
    return locale;
}

QString pad(int v, int width) {
    return QString::number(v).rightJustified(width, u'0');
}

int countRun(const QString& f, qsizetype i, QChar c) {
    int n = 0;
    while (i + n < f.size() && f[i + n].toLower() == c)
        ++n;
    return n;
}

} // namespace

namespace ElementFormat {

std::optional<QString> formatInteger(const QString& format, qint64 value) {
    if (format.isEmpty())
        return QString::number(value);
    QString out;
    bool used = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == u'%') {
            out += u'%';
            continue;
        }
        bool left = false;
        if (i < format.size() && format[i] == u'-') {
            left = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && format[i].isDigit() && width < 1000)
            width = width * 10 + format[i++].digitValue();
        int precision = -1;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            precision = 0;
            while (i < format.size() && format[i].isDigit() && precision < 1000)
                precision = precision * 10 + format[i++].digitValue();
        }
        if (i >= format.size() || used)
            return std::nullopt;
        QString text;
        const QChar type = format[i];
        if (type == u'd' || type == u'D') {
            text = QString::number(value < 0 ? -value : value);
            if (precision > 0)
                text = text.rightJustified(precision, u'0');
            if (value < 0)
                text.prepend(u'-');
        } else if (type == u'u' || type == u'U') {
            text = QString::number(quint64(value) & 0xFFFFFFFFu);
        } else if (type == u'x' || type == u'X') {
            text = QString::number(quint64(value) & 0xFFFFFFFFu, 16);
            text = type == u'X' ? text.toUpper() : text;
            if (precision > 0)
                text = text.rightJustified(precision, u'0');
        } else {
            return std::nullopt;
        }
        used = true;
        out += left ? text.leftJustified(width) : text.rightJustified(width);
    }
    return out;
}

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("d.M.yyyy"));
}

QString shortTime(const QTime& time) {
    return time.toString(QStringLiteral("H:mm"));
}

QString formatDateTime(const QString& f, const QDateTime& value) {
    const QDate d = value.date();
    const QTime t = value.time();
    QString out;
    bool afterHour = false;
    const bool twelveHour = f.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive) ||
                            f.contains(QStringLiteral("ampm"), Qt::CaseInsensitive);
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i].toLower();
        if (f[i] == u'"' || f[i] == u'\'') {
            const qsizetype end = f.indexOf(f[i], i + 1);
            out += f.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? f.size() : end + 1;
            continue;
        }
        if (f.mid(i, 5).compare(QStringLiteral("am/pm"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        if (f.mid(i, 4).compare(QStringLiteral("ampm"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? QStringLiteral("dop.") : QStringLiteral("odp.");
            i += 4;
            continue;
        }
        const int n = countRun(f, i, c);
        if (c == u'd') {
            if (n == 1)
                out += QString::number(d.day());
            else if (n == 2)
                out += pad(d.day(), 2);
            else if (n == 3)
                out += czech().dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else if (n == 4)
                out += czech().dayName(d.dayOfWeek(), QLocale::LongFormat);
            else if (n == 5)
                out += shortDate(d);
            else
                out += czech().toString(d, QStringLiteral("d. MMMM yyyy"));
            i += n;
            afterHour = false;
        } else if (c == u'm') {
            const int k = qMin(n, 4);
            if (afterHour && k <= 2)
                out += k == 1 ? QString::number(t.minute()) : pad(t.minute(), 2);
            else if (k == 1)
                out += QString::number(d.month());
            else if (k == 2)
                out += pad(d.month(), 2);
            else if (k == 3)
                out += czech().monthName(d.month(), QLocale::ShortFormat);
            else
                out += czech().standaloneMonthName(d.month(), QLocale::LongFormat);
            i += n;
            afterHour = false;
        } else if (c == u'y') {
            out += n <= 2 ? pad(d.year() % 100, 2) : QString::number(d.year());
            i += n;
        } else if (c == u'h') {
            int h = t.hour();
            if (twelveHour)
                h = h % 12 == 0 ? 12 : h % 12;
            out += n == 1 ? QString::number(h) : pad(h, 2);
            i += n;
            afterHour = true;
        } else if (c == u'n') {
            out += n == 1 ? QString::number(t.minute()) : pad(t.minute(), 2);
            i += n;
        } else if (c == u's') {
            out += n == 1 ? QString::number(t.second()) : pad(t.second(), 2);
            i += n;
        } else if (c == u'z') {
            out += n >= 3 ? pad(t.msec(), 3) : QString::number(t.msec());
            i += n;
        } else if (c == u't') {
            out += n == 1 ? shortTime(t) : t.toString(QStringLiteral("H:mm:ss"));
            i += n;
        } else if (c == u'c' && n == 1) {
            out += shortDate(d);
            if (t != QTime(0, 0))
                out += u' ' + t.toString(QStringLiteral("H:mm:ss"));
            ++i;
        } else if (f[i] == u'/') {
            out += u'.';
            ++i;
        } else {
            out += f[i];
            ++i;
        }
    }
    return out;
}

} // namespace ElementFormat
