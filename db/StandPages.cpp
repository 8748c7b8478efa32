#include "StandPages.h"

#include "CzechCollation.h"
#include "RivwoodError.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "StandDatabase.h"

#include <algorithm>
#include <optional>

namespace StandPages {

namespace {

// Stands inserted by one statement: two values each, within every backend's limit of parameters.
constexpr size_t kChunk = 250;

// While it lives, the summary file's page cache holds 128 MB: an update of every summary row then
// writes the file once at the commit, where a small cache spills pages (and syncs the journal) on
// the way. The cache size the connection had comes back after.
class RoomyCache {
  public:
    explicit RoomyCache(StandDatabase& db) : m_db(db.connection()) {
        if (db.isServer())
            return;
        m_pragma = QStringLiteral("pragma %1.cache_size").arg(StandDatabase::SchemaName(StandDatabase::Ses));
        QSqlQuery q(m_db);
        if (q.exec(m_pragma) && q.next())
            m_previous = q.value(0).toLongLong();
        SqlSupport::TryExec(m_db, m_pragma + QStringLiteral(" = -131072"));
    }
    ~RoomyCache() {
        if (m_previous)
            SqlSupport::TryExec(m_db, m_pragma + QStringLiteral(" = %1").arg(*m_previous));
    }
    RoomyCache(const RoomyCache&) = delete;
    RoomyCache& operator=(const RoomyCache&) = delete;

  private:
    QSqlDatabase m_db;
    QString m_pragma;
    std::optional<qlonglong> m_previous;
};

} // namespace

std::vector<Stand> Read(StandDatabase& db, const QStringList& columns, const QString& orderBy) {
    QSqlDatabase connection = db.connection();
    const QStringList known = SqlSupport::Columns(connection, QStringLiteral("rivwoodpor"));
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
        CzechCollation::OrderBy(orderBy);
    QSqlQuery q(connection);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        SqlSupport::Fail(q, QStringLiteral("stránky porostů"));
    std::vector<Stand> stands;
    while (q.next()) {
        Stand s;
        s.key = int(SqlSupport::Integer(q, 0));
        s.summary = SqlSupport::Boolean(q, 1);
        s.rows = int(SqlSupport::Integer(q, 2));
        s.speciesRows = int(SqlSupport::Integer(q, 3));
        if (!q.isNull(4) && SqlSupport::Integer(q, 4) == SqlSupport::Integer(q, 5) &&
            SqlSupport::Integer(q, 6) == s.rows)
            s.page = int(SqlSupport::Integer(q, 4));
        for (int c = 0; c < columns.size(); ++c)
            s.values.push_back(q.value(7 + c));
        stands.push_back(std::move(s));
    }
    return stands;
}

void Write(StandDatabase& db, const std::vector<std::pair<int, int>>& keyAndPage) {
    if (keyAndPage.empty())
        return;
    QSqlDatabase connection = db.connection();
    const RoomyCache cache(db);
    SqlTransaction tx(connection);
    // The new pages go into a table of this connection's own, and the summary rows take them in one
    // pass (the summary table has no index on the stand key).
    SqlSupport::TryExec(connection, QStringLiteral("drop table if exists RivwoodNoveStranky"));
    SqlSupport::Exec(
        connection,
        QStringLiteral(
            "create temporary table RivwoodNoveStranky (KLIC integer primary key, STRANKA integer)"));
    std::optional<QSqlQuery> insert;
    size_t prepared = 0;
    for (size_t from = 0; from < keyAndPage.size(); from += kChunk) {
        const size_t n = std::min(kChunk, keyAndPage.size() - from);
        if (n != prepared) {
            QStringList rows;
            for (size_t i = 0; i < n; ++i)
                rows << QStringLiteral("(?, ?)");
            insert =
                SqlSupport::Prepare(connection, QStringLiteral("insert into RivwoodNoveStranky values ") +
                                                    rows.join(QStringLiteral(", ")));
            prepared = n;
        }
        for (size_t i = 0; i < n; ++i) {
            insert->addBindValue(keyAndPage[from + i].first);
            insert->addBindValue(keyAndPage[from + i].second);
        }
        if (!insert->exec())
            SqlSupport::Fail(*insert, QStringLiteral("QPomSest"));
    }
    insert.reset();
    SqlSupport::Exec(connection, QStringLiteral("update RivwoodSes set STRANKA = N.STRANKA from "
                                                "RivwoodNoveStranky N where N.KLIC = RivwoodSes.KLIC"));
    SqlSupport::Exec(connection, QStringLiteral("drop table RivwoodNoveStranky"));
    tx.commit();
}

} // namespace StandPages
