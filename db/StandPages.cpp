#include "StandPages.h"

#include "CzechCollation.h"
#include "RivwoodError.h"
#include "SqlTransaction.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace StandPages {

namespace {

// Stands inserted by one statement: two values each, within every backend's limit of parameters.
constexpr size_t kChunk = 250;

} // namespace

std::vector<Stand> Read(StandDatabase& db, const QStringList& columns) {
    const QStringList known = db.backend().columns(StandDatabase::Por);
    QStringList selected{QStringLiteral("KLIC"), QStringLiteral("SOUHRN")};
    for (const QString& c : columns) {
        if (!known.contains(c.toUpper()))
            throw RivwoodError(QStringLiteral("Tabulka porostů nemá sloupec %1.").arg(c));
        selected << c;
    }
    // Both reads see one state of the database.
    const SqlReadSnapshot snapshot(db);
    std::vector<Stand> stands;
    std::unordered_map<std::int64_t, size_t> index;
    {
        const std::unique_ptr<SqlStatement> q = db.backend().prepare(
            QStringLiteral("select %1 from RivwoodPor where USED = true and VYPOCTENO = true\n")
                .arg(selected.join(QStringLiteral(", "))) +
            CzechCollation::OrderBy(
                QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, KLIC")));
        q->open();
        while (q->next()) {
            Stand s;
            s.key = int(q->integer(0));
            s.summary = q->boolean(1);
            for (int c = 0; c < columns.size(); ++c)
                s.values.push_back(q->value(2 + c));
            index.emplace(s.key, stands.size());
            stands.push_back(std::move(s));
        }
    }
    // The summary rows are counted in one plain pass over the table: grouping them in the query
    // costs a sort or a look-up per row, several times the pass.
    struct Pages {
        std::int64_t low = 0, high = 0;
        int numbered = 0;
    };
    std::vector<Pages> pages(stands.size());
    const std::unique_ptr<SqlStatement> q =
        db.backend().prepare(QStringLiteral("select KLIC, DR_ZKR is not null, STRANKA from RivwoodSes"));
    q->open();
    while (q->next()) {
        const auto found = index.find(q->integer(0));
        if (found == index.end())
            continue;
        Stand& s = stands[found->second];
        Pages& p = pages[found->second];
        ++s.rows;
        s.speciesRows += q->boolean(1) ? 1 : 0;
        if (q->isNull(2))
            continue;
        const std::int64_t page = q->integer(2);
        p.low = p.numbered == 0 ? page : std::min(p.low, page);
        p.high = p.numbered == 0 ? page : std::max(p.high, page);
        ++p.numbered;
    }
    for (size_t i = 0; i < stands.size(); ++i)
        if (pages[i].numbered > 0 && pages[i].numbered == stands[i].rows && pages[i].low == pages[i].high)
            stands[i].page = int(pages[i].low);
    return stands;
}

void Write(StandDatabase& db, const std::vector<std::pair<int, int>>& keyAndPage) {
    if (keyAndPage.empty())
        return;
    StoreBackend& backend = db.backend();
    SqlTransaction tx(db);
    // The new pages go into a table of this connection's own, and the summary rows take them in one
    // statement instead of one update per stand.
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
