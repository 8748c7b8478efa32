#include "StandReportQueries.h"

#include "CzechCollation.h"
#include "RivwoodError.h"
#include "SqlTransaction.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

#include <QHash>
#include <algorithm>
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
    case Scope::Keys: {
        QStringList marks;
        for (size_t i = 0; i < scope.keys.size(); ++i)
            marks << QStringLiteral("?");
        lines[10] = scope.keys.empty()
                        ? QStringLiteral("      and  1 = 0")
                        : QStringLiteral("      and  RivwoodSes.KLIC in (%1)").arg(marks.join(u','));
        break;
    }
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
    for (size_t i = 0; i < scope.keys.size(); ++i)
        q->bind(int(i) + 1, scope.keys[i]);
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

RowCursor ComputedStands(StandDatabase& db, const QStringList& columns) {
    const QStringList allowed = StandFields();
    QStringList all{QStringLiteral("KLIC"),     QStringLiteral("(souhrn=true)"),
                    QStringLiteral("NazevTok"), QStringLiteral("NazevBreh"),
                    QStringLiteral("NazevRKm"), QStringLiteral("NazevAkce")};
    for (const QString& c : columns) {
        if (!c.isEmpty() && !allowed.contains(c, Qt::CaseInsensitive))
            throw RivwoodError(QString("Chyba databáze: %1 není sloupec porostu.").arg(c));
        all << (c.isEmpty() ? QStringLiteral("''") : c);
    }
    std::unique_ptr<SqlStatement> q = db.backend().prepare(
        QStringLiteral("select %1 from RivwoodPor where used=true and vypocteno=true").arg(all.join(u',')));
    q->open();
    return RowCursor(std::move(q));
}

RowCursor SummaryPageRows(StandDatabase& db) {
    std::unique_ptr<SqlStatement> q =
        db.backend().prepare(QStringLiteral("select KLIC, DR_ZKR is not null, STRANKA from RivwoodSes"));
    q->open();
    return RowCursor(std::move(q));
}

std::vector<int> ReportOrder(StandDatabase& db) {
    const std::unique_ptr<SqlStatement> q = db.backend().prepare(
        QStringLiteral("select KLIC from RivwoodPor where used=true and vypocteno=true and souhrn=true\n") +
        CzechCollation::OrderBy(QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, KLIC")));
    q->open();
    std::vector<int> keys;
    while (q->next())
        keys.push_back(int(q->integer(0)));
    return keys;
}

void WritePages(StandDatabase& db, const std::vector<std::pair<int, int>>& pages) {
    if (pages.empty())
        return;
    SqlTransaction tx(db);
    for (const auto& [key, page] : pages) {
        StatementRef post =
            db.backend().statement(QStringLiteral("update rivwoodses set STRANKA = ? where klic=?"));
        post->bind(1, page).bind(2, key).touching(StandTables::Ses, key).run();
    }
    tx.commit();
}

void WriteFirstPages(StandDatabase& db, const std::map<int, int>& firstPages) {
    std::vector<int> keys;
    for (const QueryRow& stand : QPor(db).rows)
        keys.push_back(stand.value(QStringLiteral("KLIC")).toInt());
    // A read-only database keeps the page numbers it holds.
    if (db.isReadOnly())
        return;
    QHash<int, std::int64_t> species;
    {
        const std::unique_ptr<SqlStatement> q = db.backend().prepare(
            QStringLiteral("select klic, count(dr_zkr) pocet from rivwoodses group by klic"));
        q->open();
        while (q->next())
            species.insert(int(q->integer(0)), q->integer(1));
    }
    std::vector<std::pair<int, int>> pages;
    for (const int key : keys) {
        if (species.value(key) == 0)
            continue;
        const auto found = firstPages.find(key);
        pages.emplace_back(key, found == firstPages.end() ? 0 : std::min(found->second, 32767));
    }
    WritePages(db, pages);
}

} // namespace StandReportQueries
