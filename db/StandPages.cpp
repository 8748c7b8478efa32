#include "StandPages.h"

#include "CzechCollation.h"
#include "RivwoodError.h"
#include "SqlTransaction.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

#include <algorithm>
#include <memory>

namespace StandPages {

namespace {

// Stands inserted by one statement: two values each, within every backend's limit of parameters.
constexpr size_t kChunk = 250;

} // namespace

std::vector<Stand> Read(StandDatabase& db, const QStringList& columns) {
    const QStringList known = db.backend().columns(StandDatabase::Por);
    QStringList selected;
    for (const QString& c : columns) {
        if (!known.contains(c.toUpper()))
            throw RivwoodError(QStringLiteral("Tabulka porostů nemá sloupec %1.").arg(c));
        selected << QStringLiteral("P.") + c;
    }
    const QString sql =
        QStringLiteral(
            "select P.KLIC, P.SOUHRN, S.N, S.SPECIES, S.LOW, S.HIGH, S.NUMBERED%1\n"
            "from RivwoodPor P left join\n"
            "  (select KLIC as SKLIC, count(*) as N, count(DR_ZKR) as SPECIES, min(STRANKA) as LOW,\n"
            "     max(STRANKA) as HIGH, count(STRANKA) as NUMBERED from RivwoodSes group by KLIC) S\n"
            "  on S.SKLIC = P.KLIC\n"
            "where P.USED = true and P.VYPOCTENO = true\n")
            .arg(selected.isEmpty() ? QString()
                                    : QStringLiteral(", ") + selected.join(QStringLiteral(", "))) +
        CzechCollation::OrderBy(QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, KLIC"));
    const std::unique_ptr<SqlStatement> q = db.backend().prepare(sql);
    q->open();
    std::vector<Stand> stands;
    while (q->next()) {
        Stand s;
        s.key = int(q->integer(0));
        s.summary = q->boolean(1);
        s.rows = int(q->integer(2));
        s.speciesRows = int(q->integer(3));
        if (!q->isNull(4) && q->integer(4) == q->integer(5) && q->integer(6) == s.rows)
            s.page = int(q->integer(4));
        for (int c = 0; c < columns.size(); ++c)
            s.values.push_back(q->value(7 + c));
        stands.push_back(std::move(s));
    }
    return stands;
}

void Write(StandDatabase& db, const std::vector<std::pair<int, int>>& keyAndPage) {
    if (keyAndPage.empty())
        return;
    StoreBackend& backend = db.backend();
    SqlTransaction tx(db);
    // The new pages go into a table of this connection's own, and the summary rows take them in one
    // pass (the summary table has no index on the stand key).
    backend.prepare(QStringLiteral("drop table if exists RivwoodNoveStranky"))->run();
    backend
        .prepare(QStringLiteral("create temporary table RivwoodNoveStranky (KLIC integer primary key, "
                                "STRANKA integer)"))
        ->run();
    std::unique_ptr<SqlStatement> insert;
    size_t prepared = 0;
    for (size_t from = 0; from < keyAndPage.size(); from += kChunk) {
        const size_t n = std::min(kChunk, keyAndPage.size() - from);
        if (n != prepared) {
            QStringList rows;
            for (size_t i = 0; i < n; ++i)
                rows << QStringLiteral("(?, ?)");
            insert = backend.prepare(QStringLiteral("insert into RivwoodNoveStranky values ") +
                                     rows.join(QStringLiteral(", ")));
            prepared = n;
        }
        for (size_t i = 0; i < n; ++i) {
            insert->bind(int(2 * i + 1), keyAndPage[from + i].first);
            insert->bind(int(2 * i + 2), keyAndPage[from + i].second);
        }
        insert->touching(0).run();
    }
    insert.reset();
    backend
        .prepare(QStringLiteral("update RivwoodSes set STRANKA = N.STRANKA from RivwoodNoveStranky N "
                                "where N.KLIC = RivwoodSes.KLIC"))
        ->touching(StandTables::Ses)
        .run();
    backend.prepare(QStringLiteral("drop table RivwoodNoveStranky"))->touching(0).run();
    tx.commit();
}

} // namespace StandPages
