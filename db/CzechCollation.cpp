#include "CzechCollation.h"

#include <QCollator>
#include <QRegularExpression>

namespace {

const QCollator& collator() {
    static const QCollator c = [] {
        QCollator czech(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        czech.setCaseSensitivity(Qt::CaseInsensitive);
        return czech;
    }();
    return c;
}

// Number columns of the stand tables that queries order by; a collation means nothing to them, and
// a server refuses one there.
bool numericColumn(const QString& term) {
    static const QStringList numbers{QStringLiteral("KLIC"),      QStringLiteral("DR_KOD"),
                                     QStringLiteral("POR_V_ZAP"), QStringLiteral("STRANKA"),
                                     QStringLiteral("VEK"),       QStringLiteral("PLOCHA"),
                                     QStringLiteral("ROWID")};
    const QString column = term.section(u'.', -1).trimmed();
    return numbers.contains(column, Qt::CaseInsensitive);
}

} // namespace

namespace CzechCollation {

int Compare(QStringView a, QStringView b) {
    return collator().compare(a, b);
}

QString OrderBy(const QString& clause) {
    static const QRegularExpression head(QStringLiteral("^(\\s*order\\s+by\\s+)(.*)$"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression direction(QStringLiteral("^(.*?)(\\s+(?:asc|desc))?\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(clause);
    if (!m.hasMatch())
        return clause;
    QStringList terms;
    for (const QString& term : m.captured(2).split(u',')) {
        const QRegularExpressionMatch t = direction.match(term.trimmed());
        if (numericColumn(t.captured(1)))
            terms << t.captured(1) + t.captured(2);
        else
            terms << t.captured(1) + QStringLiteral(" collate ") + QLatin1String(Name) + t.captured(2);
    }
    return m.captured(1) + terms.join(QStringLiteral(", "));
}

QStringList Collated(QStringList lines) {
    static const QRegularExpression orderBy(QStringLiteral("^\\s*order\\s+by\\s"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (QString& line : lines)
        if (orderBy.match(line).hasMatch())
            line = OrderBy(line);
    return lines;
}

} // namespace CzechCollation
