#include "ReportValuePattern.h"

#include "ReportValueDecimal.h"
#include "ReportValueFormat.h"

#include <cmath>
#include <vector>

namespace {

enum class Part { Literal, IntegerDigit, Point, FractionDigit };

struct Item {
    Part part;
    QString text;          // literal text
    bool required = false; // "0" rather than "#"
};

// Splits a pattern at ";" outside double quotes.
QStringList sections(const QString& pattern) {
    QStringList out;
    QString current;
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == QChar('"'))
            quoted = !quoted;
        if (c == QChar(';') && !quoted) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

std::vector<Item> parseSection(const QString& section, bool* thousands) {
    std::vector<Item> items;
    bool seenPoint = false;
    bool quoted = false;
    for (QChar c : section) {
        if (quoted) {
            if (c == QChar('"'))
                quoted = false;
            else
                items.push_back({Part::Literal, QString(c)});
        } else if (c == QChar('"')) {
            quoted = true;
        } else if (c == QChar('0') || c == QChar('#')) {
            items.push_back({seenPoint ? Part::FractionDigit : Part::IntegerDigit, {}, c == QChar('0')});
        } else if (c == QChar('.') && !seenPoint) {
            seenPoint = true;
            items.push_back({Part::Point, {}});
        } else if (c == QChar(',')) {
            *thousands = true;
        } else {
            items.push_back({Part::Literal, QString(c)});
        }
    }
    return items;
}

QString literalsOnly(const std::vector<Item>& items) {
    QString out;
    for (const Item& item : items)
        if (item.part == Part::Literal)
            out += item.text;
    return out;
}

} // namespace

QString FormatPattern(double value, const QString& pattern, const QLocale& locale) {
    const QChar sep = decimalSeparatorOf(locale);
    if (pattern.isEmpty() || !std::isfinite(value))
        return FormatGeneral(value, 15, sep);
    const QStringList parts = sections(pattern);
    QString section = parts[0];
    bool withSign = value < 0;
    if (value < 0 && parts.size() >= 2 && !parts[1].isEmpty()) {
        section = parts[1];
        withSign = false;
    } else if (value == 0 && parts.size() >= 3 && !parts[2].isEmpty()) {
        section = parts[2];
    }
    bool thousands = false;
    const std::vector<Item> items = parseSection(section, &thousands);

    int integerPlaces = 0, firstRequired = -1, fractionPlaces = 0, lastRequired = -1;
    bool hasPoint = false;
    for (const Item& item : items) {
        if (item.part == Part::IntegerDigit) {
            if (item.required && firstRequired < 0)
                firstRequired = integerPlaces;
            ++integerPlaces;
        } else if (item.part == Part::FractionDigit) {
            if (item.required)
                lastRequired = fractionPlaces;
            ++fractionPlaces;
        } else if (item.part == Part::Point) {
            hasPoint = true;
        }
    }
    if (integerPlaces == 0 && fractionPlaces == 0 && !hasPoint)
        return (withSign ? QStringLiteral("-") : QString()) + literalsOnly(items);

    const ReportValueDecimal d = ReportValueDecimal::fromDouble(value, 15).roundedTo(fractionPlaces);
    const int minInteger = firstRequired < 0 ? 0 : integerPlaces - firstRequired;
    QString integer = d.integerDigits();
    if (integer == QStringLiteral("0") && minInteger == 0)
        integer.clear();
    integer = integer.rightJustified(minInteger, QChar('0'));
    if (thousands)
        integer = groupThousands(integer, locale.groupSeparator());
    QString fraction = d.fractionDigits(fractionPlaces);
    const int minFraction = lastRequired + 1;
    while (fraction.size() > minFraction && fraction.endsWith(QChar('0')))
        fraction.chop(1);
    if (d.isZero())
        withSign = false;

    QString out = withSign ? QStringLiteral("-") : QString();
    bool integerWritten = false;
    int fractionIndex = 0;
    for (const Item& item : items) {
        switch (item.part) {
        case Part::Literal:
            out += item.text;
            break;
        case Part::IntegerDigit:
            if (!integerWritten)
                out += integer;
            integerWritten = true;
            break;
        case Part::Point:
            if (!integerWritten)
                out += integer;
            integerWritten = true;
            if (!fraction.isEmpty())
                out += sep;
            break;
        case Part::FractionDigit:
            if (fractionIndex < fraction.size())
                out += fraction[fractionIndex];
            ++fractionIndex;
            break;
        }
    }
    return out;
}
