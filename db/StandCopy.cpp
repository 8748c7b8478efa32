#include "StandCopy.h"

#include "DatabaseSchema.h"
#include "RivwoodError.h"
#include "SqlTransaction.h"
#include "StandStore.h"
#include "StoreBackend.h"

#include <QHash>
#include <optional>

namespace S = DatabaseSchema;

namespace StandCopy {

namespace {

// What the stand table says of a key: its counter and where its stand was last copied from.
struct Copied {
    bool used = false;
    std::int64_t counter = 0;
    QString source;                    // KOPIE_ZDROJ
    std::optional<std::int64_t> taken; // KOPIE_ZMENA: the counter copied
};

QString recordColumns(StoreBackend& b) {
    const QStringList columns = b.columns(StandDatabase::Por);
    const bool recorded = columns.contains(S::CopySourceColumn) && columns.contains(S::CopyCounterColumn);
    return recorded ? QString("%1, %2").arg(S::CopySourceColumn, S::CopyCounterColumn)
                    : QStringLiteral("NULL, NULL");
}

Copied readCopied(const SqlStatement& q) {
    Copied c;
    c.used = q.boolean(1);
    c.counter = q.integer(2);
    c.source = q.text(3);
    if (!q.isNull(4))
        c.taken = q.integer(4);
    return c;
}

// A table's columns that both databases have, in the target's order; the row numbering of the
// server tables and the copy record are each database's own.
QStringList sharedColumns(StoreBackend& from, StoreBackend& to, StandDatabase::Table table) {
    const QStringList source = from.columns(table);
    QStringList shared;
    for (const QString& c : to.columns(table))
        if (c != "ROWID" && c != S::CopySourceColumn && c != S::CopyCounterColumn && source.contains(c))
            shared << c;
    return shared;
}

} // namespace

std::vector<int> StandKeys(StandDatabase& db) {
    return StandStore(db).StandKeys();
}

Result Copy(StandDatabase& from, StandDatabase& to, const std::vector<int>& keys, bool overwriteConflicts) {
    if (from.location() == to.location())
        throw RivwoodError("Zdrojová a cílová databáze porostů jsou tatáž, porosty nelze kopírovat.");
    to.RequireWritable("porosty do ní nelze kopírovat");
    StoreBackend& source = from.backend();
    StoreBackend& target = to.backend();
    const SqlReadSnapshot snapshot(from);
    // Locations as the copy record keeps them.
    const QString fromName = from.location().left(S::CopySourceWidth),
                  toName = to.location().left(S::CopySourceWidth);

    struct TableCopy {
        StandDatabase::Table table;
        QStringList columns;
        QString select;
    };
    std::vector<TableCopy> tables;
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        TableCopy c{StandDatabase::Table(t), sharedColumns(source, target, StandDatabase::Table(t)), {}};
        const bool rows = t != StandDatabase::Por; // several rows per stand, kept in their order
        c.select =
            QString("select %1 from %2 where KLIC = ?%3")
                .arg(c.columns.join(", "), StandDatabase::TableName(c.table), rows ? " order by rowid" : "");
        tables.push_back(std::move(c));
    }
    const bool record = recordColumns(target) != "NULL, NULL";
    QStringList porColumns = tables[StandDatabase::Por].columns;
    if (record)
        porColumns << S::CopySourceColumn << S::CopyCounterColumn;

    Result result;
    SqlTransaction tx(to);
    // Keys come and go here without the allocation knowing.
    target.keyCache() = {};
    QHash<int, Copied> there;
    {
        StatementRef q = target.statement(
            QString("select KLIC, USED, %1, %2 from RivwoodPor").arg(S::ChangeColumn, recordColumns(target)));
        q->touching(StandTables::Por).open();
        while (q->next())
            there.insert(int(q->integer(0)), readCopied(*q));
    }
    StatementRef state = source.statement(
        QString("select KLIC, USED, %1, %2 from RivwoodPor where KLIC = ?")
            .arg(source.columns(StandDatabase::Por).contains(S::ChangeColumn) ? S::ChangeColumn : "NULL",
                 recordColumns(source)));
    for (const int key : keys) {
        // The source's rows of the stand are asked at once, its state first.
        state->bind(1, key).open();
        std::vector<StatementRef> rows;
        for (const TableCopy& c : tables) {
            rows.push_back(source.statement(c.select));
            rows.back()->bind(1, key).open();
        }
        if (!state->next() || !state->boolean(1))
            throw RivwoodError(
                QString("Porost s klíčem %1 v databázi „%2“ není.").arg(key).arg(from.location()));
        const Copied here = readCopied(*state);
        const auto found = there.constFind(key);
        if (found != there.constEnd() && found->used && !overwriteConflicts) {
            const Copied& t = *found;
            // The target's stand is as it was copied into it, or as the source took it from there.
            const bool unchanged = (t.taken && *t.taken == t.counter) ||
                                   (here.source == toName && here.taken && *here.taken == t.counter);
            if (!unchanged) {
                result.conflicts.push_back(key);
                continue;
            }
        }
        target.deleteStandRows(
            key, {StandDatabase::Dre, StandDatabase::Tlo, StandDatabase::Ses, StandDatabase::Vys});
        {
            StatementRef del = target.statement(QStringLiteral("delete from RivwoodPor where KLIC = ?"));
            del->bind(1, key).touching(StandTables::Por, key).run();
        }
        for (size_t t = 0; t < tables.size(); ++t) {
            const TableCopy& c = tables[t];
            const bool stand = c.table == StandDatabase::Por;
            StatementRef insert = target.inserter(c.table, stand ? porColumns : c.columns);
            SqlStatement& from = *rows[t];
            const int n = int(c.columns.size());
            while (from.next()) {
                for (int i = 0; i < n; ++i)
                    insert->bindValue(i + 1, from.value(i));
                if (stand && record)
                    insert->bind(n + 1, fromName).bind(n + 2, here.counter);
                insert->run();
            }
            insert->finish();
        }
        result.copied.push_back(key);
    }
    target.keyCache() = {};
    tx.commit();
    return result;
}

} // namespace StandCopy
