#include "StandCopy.h"

#include "DatabaseSchema.h"
#include "NativeStatement.h"
#include "RivwoodError.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "StandRows.h"

#include <QSqlQuery>

using namespace SqlSupport;

namespace StandCopy {

namespace {

// Columns that hold truth values: 0/1 in the files, true/false on a server.
bool booleanColumn(const QString& column) {
    static const QStringList columns{"USED", "VYPOCTENO", "SOUHRN", "VYPOC_TL", "JEHL"};
    return columns.contains(column);
}

// A table's columns that both databases have, in the target's order; the row numbering of the
// server tables is each database's own.
QStringList sharedColumns(const QSqlDatabase& from, const QSqlDatabase& to, const QString& table) {
    const QStringList source = Columns(from, table);
    QStringList shared;
    for (const QString& c : Columns(to, table))
        if (c != "ROWID" && source.contains(c))
            shared << c;
    return shared;
}

struct TableCopy {
    QString table;
    QStringList columns;
    std::vector<bool> boolean;
    QString select, insert;
};

} // namespace

std::vector<int> StandKeys(StandDatabase& db) {
    std::vector<int> keys;
    QSqlQuery q = Exec(db.connection(), "select KLIC from RivwoodPor where USED = true order by KLIC");
    while (q.next())
        keys.push_back(int(Integer(q, 0)));
    return keys;
}

Result Copy(StandDatabase& from, StandDatabase& to, const std::vector<int>& keys, bool overwriteConflicts) {
    if (from.location() == to.location())
        throw RivwoodError("Zdrojová a cílová databáze porostů jsou tatáž, porosty nelze kopírovat.");
    to.RequireWritable("porosty do ní nelze kopírovat");
    QSqlDatabase source = from.connection();
    QSqlDatabase target = to.connection();
    const SqlReadSnapshot snapshot(source);

    std::vector<TableCopy> tables;
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        TableCopy c;
        c.table = StandDatabase::TableName(StandDatabase::Table(t));
        c.columns = sharedColumns(source, target, c.table);
        for (const QString& column : c.columns)
            c.boolean.push_back(booleanColumn(column));
        const bool rows = t != StandDatabase::Por; // several rows per stand, kept in their order
        c.select = QString("select %1 from %2 where KLIC = ?%3")
                       .arg(c.columns.join(", "), c.table, rows ? " order by rowid" : "");
        QStringList marks;
        for (qsizetype i = 0; i < c.columns.size(); ++i)
            marks << "?";
        c.insert =
            QString("insert into %1 (%2) values (%3)").arg(c.table, c.columns.join(", "), marks.join(", "));
        tables.push_back(std::move(c));
    }

    Result result;
    SqlTransaction tx(target);
    for (const int key : keys) {
        std::int64_t counter = 0;
        {
            QSqlQuery q = Exec(source, "select USED, ZMENA from RivwoodPor where KLIC = ?", {key});
            if (!q.next() || !Boolean(q, 0))
                throw RivwoodError(
                    QString("Porost s klíčem %1 v databázi „%2“ není.").arg(key).arg(from.location()));
            counter = Integer(q, 1);
        }
        const StandRows::RowState there = StandRows::Read(target, key);
        if (there.used && there.changeCounter != counter && !overwriteConflicts) {
            result.conflicts.push_back(key);
            continue;
        }
        for (const TableCopy& c : tables)
            Exec(target, QString("delete from %1 where KLIC = ?").arg(c.table), {key});
        for (const TableCopy& c : tables) {
            QSqlQuery rows = Exec(source, c.select, {key});
            NativeStatement insert(target, c.insert.toUtf8().constData());
            while (rows.next()) {
                for (int i = 0; i < int(c.columns.size()); ++i) {
                    const QVariant v = rows.value(i);
                    insert.bind(i + 1, c.boolean[size_t(i)] && !v.isNull()
                                           ? QVariant(v.toLongLong() != 0 || v.toBool())
                                           : v);
                }
                insert.exec();
            }
            insert.finish();
        }
        result.copied.push_back(key);
    }
    tx.commit();
    return result;
}

} // namespace StandCopy
