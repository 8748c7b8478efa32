#include "SchemaUpgrade.h"

#include "DatabaseSchema.h"
#include "ServerSql.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "UserIdentification.h"

#include <QSet>
#include <QSqlQuery>

using namespace SqlSupport;

namespace SchemaUpgrade {

QStringList StandTableStatement(bool missingVypocteno, bool missingSouhrn, bool missingUserColumns) {
    QStringList lines{"Alter Table RIVWOODPOR"};
    if (missingVypocteno)
        lines << "add  VYPOCTENO  BOOLEAN,";
    if (missingSouhrn)
        lines << "add  SOUHRN  BOOLEAN,";
    if (missingUserColumns)
        lines << "add  ZAVOD  CHAR(80),"
              << "add  PROVOZ  CHAR(80),"
              << "add  TAXATOR  CHAR(80),"
              << "add  UZIVATEL  CHAR(80)";
    if (lines.size() == 1)
        return {};
    QString& last = lines.last();
    last = last.trimmed();
    const qsizetype comma = last.indexOf(',');
    if (comma >= 0)
        last.remove(comma, 1);
    return lines;
}

namespace {

// SQLite adds one column per ALTER TABLE: each "add  NAME  TYPE," line becomes its own statement.
void executeStatement(QSqlDatabase& db, const QStringList& lines) {
    for (int i = 1; i < lines.size(); ++i) {
        QString clause = lines[i].trimmed();
        if (clause.endsWith(','))
            clause.chop(1);
        const QString column = clause.mid(3).simplified();
        const QString sql = "alter table RIVWOODPOR add column " + column;
        Exec(db, ServerSql::IsServer(db) ? ServerSql::Translate(sql) : sql);
    }
}

// What the tables lack; found with reads only, so a database that is up to date (or read-only)
// is never written.
struct Pending {
    bool indexes = false;           // a lookup index of the class, summary or height rows
    bool firstCentreColumn = false; // TL_MIN of the species table
    bool speciesRows = false;       // species rows with a width outside 1..4 or without first centre
    bool vypocteno = false, souhrn = false, userColumns = false;
    bool changeColumn = false;

    bool any() const {
        return indexes || firstCentreColumn || speciesRows || vypocteno || souhrn || userColumns ||
               changeColumn;
    }
};

const StandDatabase::Table kIndexedTables[] = {StandDatabase::Tlo, StandDatabase::Ses, StandDatabase::Vys};

QString indexName(StandDatabase::Table t) {
    return StandDatabase::TableName(t).toLower() + "_klic";
}

bool anyRow(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values = {}) {
    QSqlQuery q = Exec(db, sql, values);
    return q.next() && Integer(q, 0) > 0;
}

Pending survey(const QSqlDatabase& db) {
    Pending p;
    const bool server = ServerSql::IsServer(db);
    for (auto t : kIndexedTables)
        p.indexes =
            p.indexes ||
            !anyRow(db,
                    server
                        ? QString("select count(*) from pg_indexes where schemaname = current_schema() and "
                                  "indexname = ?")
                        : QString("select count(*) from %1.sqlite_master where type = 'index' and name = ?")
                              .arg(StandDatabase::SchemaName(t)),
                    {indexName(t)});
    p.firstCentreColumn = !Columns(db, "RivwoodDre").contains("TL_MIN");
    const QString widthFault = "TL_INTERVAL is null or TL_INTERVAL not in (1, 2, 3, 4)";
    p.speciesRows =
        anyRow(db, "select count(*) from (select 1 from RivwoodDre where " +
                       (p.firstCentreColumn ? QString("1")
                                            : widthFault + " or TL_MIN is null or abs(TL_MIN) <= 0.5") +
                       " limit 1) as fault");
    const QStringList columns = Columns(db, "RivwoodPor");
    p.vypocteno = !columns.contains("VYPOCTENO");
    p.souhrn = !columns.contains("SOUHRN");
    p.userColumns = !columns.contains("ZAVOD");
    p.changeColumn = !columns.contains(DatabaseSchema::ChangeColumn);
    return p;
}

void upgradeSpeciesTable(QSqlDatabase& db, const Pending& p) {
    if (p.firstCentreColumn) {
        const QString sql =
            QString("alter table RivwoodDre add column TL_MIN %1").arg(DatabaseSchema::Numeric);
        Exec(db, ServerSql::IsServer(db) ? ServerSql::Translate(sql) : sql);
    }
    if (!p.speciesRows)
        return;
    Exec(
        db,
        "update RivwoodDre set TL_INTERVAL = 4 where TL_INTERVAL is null or TL_INTERVAL not in (1, 2, 3, 4)");
    // TL_MIN read as an integer (halves to even) is 0 for |TL_MIN| <= 0.5.
    Exec(db, "update RivwoodDre set TL_MIN = case TL_INTERVAL when 1 then 8 when 2 then 8 when 3 then 9 else "
             "10 end "
             "where TL_MIN is null or abs(TL_MIN) <= 0.5");
}

// True when every species' stored total stock equals the sum of its class volumes.
bool summaryConsistent(QSqlQuery& species, QSqlQuery& classes, QSqlQuery& summary, int key) {
    Exec(species, {key});
    bool consistent = true;
    while (species.next()) {
        const QString zkr = Text(species, 0);
        double sum = 0;
        Exec(classes, {key, zkr});
        while (classes.next())
            sum += Number(classes, 0);
        Exec(summary, {key, zkr});
        const double stock = summary.next() ? Number(summary, 0) : 0.0;
        if (sum != stock)
            consistent = false;
    }
    return consistent;
}

} // namespace

void UpgradeTables(StandDatabase& sdb) {
    QSqlDatabase db = sdb.connection();
    // A read-only database keeps its layout; the readers cope with the older one.
    if (!survey(db).any() || sdb.isReadOnly())
        return;
    SqlTransaction tx(db);
    // Again under the write lock: another program may have upgraded the tables meanwhile.
    const Pending pending = survey(db);
    // The class and summary rows are looked up by stand and species.
    if (pending.indexes)
        for (auto t : kIndexedTables)
            Exec(db, QString("create index if not exists %1%2 on %3 (KLIC, DR_ZKR)")
                         .arg(ServerSql::IsServer(db) ? QString() : StandDatabase::SchemaName(t) + ".",
                              indexName(t), StandDatabase::TableName(t).toLower()));
    upgradeSpeciesTable(db, pending);

    const bool missingV = pending.vypocteno;
    const bool missingS = pending.souhrn;
    const bool missingU = pending.userColumns;
    const QStringList statement = StandTableStatement(missingV, missingS, missingU);
    if (!statement.isEmpty()) {
        const UserIdentification user =
            missingU ? UserIdentification::Load(sdb.settingsFile()) : UserIdentification{};
        executeStatement(db, statement);

        QSet<qlonglong> notComputed;
        {
            QSqlQuery q = Exec(db, "select distinct KLIC from RivwoodDre where VYPOCTENO is not true");
            while (q.next())
                notComputed.insert(Integer(q, 0));
        }
        QList<qlonglong> keys;
        {
            QSqlQuery q = Exec(db, "select KLIC from RivwoodPor order by KLIC");
            while (q.next())
                keys.append(Integer(q, 0));
        }
        QSqlQuery species = Prepare(db, "select DR_ZKR from RivwoodDre where KLIC = ? order by rowid");
        QSqlQuery classes =
            Prepare(db, "select OBJEMC from RivwoodTlo where KLIC = ? and DR_ZKR = ? order by rowid");
        QSqlQuery summary = Prepare(
            db, "select DR_ZAS_CEL from RivwoodSes where KLIC = ? and DR_ZKR = ? order by rowid limit 1");
        QSqlQuery flags = Prepare(db, "update RivwoodPor set VYPOCTENO = ?, SOUHRN = ? where KLIC = ?");
        QSqlQuery users = Prepare(
            db, "update RivwoodPor set ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC = ?");
        for (qlonglong key : keys) {
            const bool consistent = summaryConsistent(species, classes, summary, int(key));
            Exec(flags, {!notComputed.contains(key), consistent, key});
            if (missingU)
                Exec(users, {Char(user.zavod, DatabaseSchema::UserWidth),
                             Char(user.provoz, DatabaseSchema::UserWidth),
                             Char(user.taxator, DatabaseSchema::UserWidth),
                             Char(user.uzivatel, DatabaseSchema::UserWidth), key});
        }
    }
    // The counter comes last, after the columns of the written layout.
    if (pending.changeColumn)
        Exec(db, QString("alter table RIVWOODPOR add column %1 INTEGER").arg(DatabaseSchema::ChangeColumn));
    tx.commit();
}

} // namespace SchemaUpgrade
