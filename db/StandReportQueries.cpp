#include "StandReportQueries.h"

#include "CzechCollation.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

#include <limits>

namespace StandReportQueries {

namespace {

// The report's query over the stand's summary rows; line 10 is the stand condition.
QStringList qSestavaLines() {
    return {QStringLiteral("Select RivwoodPor.klic,"),
            QStringLiteral("  NazevTok, NazevBreh, NazevRKm, NazevAkce,"),
            QStringLiteral("  VEK, POPIS, KROVINY, datum,  zavod, provoz, taxator, uzivatel,"),
            QStringLiteral("  RivwoodSes.KLIC KLIC, RivwoodSes.PLOCHA PLOCHA, ZAKM, DR_ZKR,"),
            QStringLiteral("  DR_KOD, DR_ZAKM, DR_PLO, DR_PLO_RED, DR_PLO_RHA, "),
            QStringLiteral("  DR_ZAST, JEHL, VYSKA, TLOUSTKA, GHA,"),
            QStringLiteral("  ZTJ, ZTL, ZT, ZHA, ZHA_JEHL, ZHA_LIST, "),
            QStringLiteral("  DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL, KOMENT, STRANKA"),
            QStringLiteral(" from RivwoodSes, RivwoodPor"),
            QStringLiteral("  where  RivwoodSes.KLIC=RivwoodPor.KLIC"),
            QStringLiteral("      and  RivwoodSes.KLIC  = ?"),
            QStringLiteral("      and used=true"),
            QStringLiteral("     and  RivwoodPor.vypocteno=true"),
            QStringLiteral("    and RivwoodPor.souhrn=true"),
            QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, RivwoodPor.KLIC, DR_KOD")};
}

QStringList qPorLines() {
    return {QStringLiteral("Select *"),
            QStringLiteral(" from  RivwoodPor "),
            QStringLiteral("  where  used=true"),
            QStringLiteral("        and vypocteno=true"),
            QStringLiteral("order by  NazevAkce, KLIC"),
            QString()};
}

QueryRows readAll(SqlStatement& q) {
    QueryRows out;
    QStringList names;
    for (int i = 0; i < q.columnCount(); ++i)
        names << q.columnName(i);
    out.names = std::make_shared<const QStringList>(std::move(names));
    const int n = int(out.names->size());
    while (q.next()) {
        std::vector<QVariant> values;
        values.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            values.push_back(q.value(i));
        out.rows.emplace_back(out.names, std::move(values));
    }
    return out;
}

} // namespace

QStringList StandFields() {
    return {QStringLiteral("klic"),     QStringLiteral("NazevTok"),  QStringLiteral("NazevBreh"),
            QStringLiteral("NazevRKm"), QStringLiteral("NazevAkce"), QStringLiteral("VEK"),
            QStringLiteral("POPIS"),    QStringLiteral("KROVINY"),   QStringLiteral("datum"),
            QStringLiteral("zavod"),    QStringLiteral("provoz"),    QStringLiteral("taxator"),
            QStringLiteral("uzivatel"), QStringLiteral("KLIC"),      QStringLiteral("KOMENT")};
}

QueryRows QSestava(StandDatabase& db, const Scope& scope) {
    QStringList lines = CzechCollation::Collated(qSestavaLines());
    switch (scope.kind) {
    case Scope::Stand:
        break;
    case Scope::Range:
        lines[10] = QStringLiteral("      and  RivwoodSes.KLIC >= ? and RivwoodSes.KLIC <= ?");
        break;
    case Scope::None:
        lines[10] = QStringLiteral("      and  1 = 0");
        break;
    }
    const std::unique_ptr<SqlStatement> q = db.backend().prepare(lines.join(u'\n'));
    if (scope.kind == Scope::Stand || scope.kind == Scope::Range) {
        q->bind(1, scope.first);
        if (scope.kind == Scope::Range)
            q->bind(2, scope.last);
    }
    q->open();
    return readAll(*q);
}

std::map<int, std::vector<QueryRow>> QSestavaByStand(StandDatabase& db) {
    std::map<int, std::vector<QueryRow>> byStand;
    for (QueryRow& row : QSestava(db, Scope::KeyRange(0, std::numeric_limits<int>::max())).rows) {
        const int key = row.value(QStringLiteral("KLIC")).toInt();
        byStand[key].push_back(std::move(row));
    }
    return byStand;
}

QueryRows QPor(StandDatabase& db) {
    const std::unique_ptr<SqlStatement> q =
        db.backend().prepare(CzechCollation::Collated(qPorLines()).join(u'\n'));
    q->open();
    return readAll(*q);
}

} // namespace StandReportQueries
