#include "SchemaUpgrade.h"

#include "DatabaseSchema.h"
#include "SqlTransaction.h"
#include "StoreBackend.h"
#include "UserIdentification.h"

#include <QSet>

namespace S = DatabaseSchema;

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

// Each "add  NAME  TYPE," line of the statement adds its column.
void executeStatement(StoreBackend& b, const QStringList& lines) {
    for (int i = 1; i < lines.size(); ++i) {
        QString clause = lines[i].trimmed();
        if (clause.endsWith(','))
            clause.chop(1);
        const QStringList parts = clause.mid(3).simplified().split(u' ');
        b.addColumn(StandDatabase::Por, parts.value(0), parts.mid(1).join(u' '));
    }
}

// What the tables lack; found with reads only, so a database that is up to date (or read-only)
// is never written.
struct Pending {
    bool indexes = false;           // a lookup index (class, summary, height rows; free keys)
    bool firstCentreColumn = false; // TL_MIN of the species table
    bool speciesRows = false;       // species rows with a width outside 1..4 or without first centre
    bool vypocteno = false, souhrn = false, userColumns = false;
    bool changeColumn = false;
    bool copyColumns = false;

    bool any() const {
        return indexes || firstCentreColumn || speciesRows || vypocteno || souhrn || userColumns ||
               changeColumn || copyColumns;
    }
};

const StandDatabase::Table kIndexedTables[] = {StandDatabase::Tlo, StandDatabase::Ses, StandDatabase::Vys};

bool anyRow(StoreBackend& b, const QString& sql) {
    StatementRef q = b.statement(sql);
    q->open();
    return q->next() && q->integer(0) > 0;
}

Pending survey(StoreBackend& b) {
    Pending p;
    for (auto t : kIndexedTables)
        p.indexes = p.indexes || !b.hasIndex(t, S::StandIndexName(t));
    p.indexes = p.indexes || !b.hasIndex(StandDatabase::Por, S::FreeKeyIndex);
    p.firstCentreColumn = !b.columns(StandDatabase::Dre).contains("TL_MIN");
    const QString widthFault = "TL_INTERVAL is null or TL_INTERVAL not in (1, 2, 3, 4)";
    p.speciesRows =
        anyRow(b, "select count(*) from (select 1 from RivwoodDre where " +
                      (p.firstCentreColumn ? QString("1 = 1")
                                           : widthFault + " or TL_MIN is null or abs(TL_MIN) <= 0.5") +
                      " limit 1) as fault");
    const QStringList columns = b.columns(StandDatabase::Por);
    p.vypocteno = !columns.contains("VYPOCTENO");
    p.souhrn = !columns.contains("SOUHRN");
    p.userColumns = !columns.contains("ZAVOD");
    p.changeColumn = !columns.contains(S::ChangeColumn);
    p.copyColumns = !columns.contains(S::CopySourceColumn) || !columns.contains(S::CopyCounterColumn);
    return p;
}

void upgradeSpeciesTable(StoreBackend& b, const Pending& p) {
    if (p.firstCentreColumn)
        b.addColumn(StandDatabase::Dre, "TL_MIN", S::Numeric);
    if (!p.speciesRows)
        return;
    b.statement(
         "update RivwoodDre set TL_INTERVAL = 4 where TL_INTERVAL is null or TL_INTERVAL not in (1, 2, 3, 4)")
        ->run();
    // TL_MIN read as an integer (halves to even) is 0 for |TL_MIN| <= 0.5.
    b.statement(
         "update RivwoodDre set TL_MIN = case TL_INTERVAL when 1 then 8 when 2 then 8 when 3 then 9 else "
         "10 end where TL_MIN is null or abs(TL_MIN) <= 0.5")
        ->run();
}

// True when every species' stored total stock equals the sum of its class volumes.
bool summaryConsistent(StoreBackend& b, int key) {
    StatementRef species = b.statement("select DR_ZKR from RivwoodDre where KLIC = ? order by rowid");
    species->bind(1, key).open();
    bool consistent = true;
    while (species->next()) {
        const QString zkr = species->text(0);
        double sum = 0;
        StatementRef classes =
            b.statement("select OBJEMC from RivwoodTlo where KLIC = ? and DR_ZKR = ? order by rowid");
        classes->bind(1, key).bind(2, zkr).open();
        while (classes->next())
            sum += classes->number(0);
        StatementRef summary = b.statement(
            "select DR_ZAS_CEL from RivwoodSes where KLIC = ? and DR_ZKR = ? order by rowid limit 1");
        summary->bind(1, key).bind(2, zkr).open();
        const double stock = summary->next() ? summary->number(0) : 0.0;
        if (sum != stock)
            consistent = false;
    }
    return consistent;
}

} // namespace

void UpgradeTables(StandDatabase& sdb) {
    StoreBackend& b = sdb.backend();
    // A read-only database keeps its layout; the readers cope with the older one.
    if (!survey(b).any() || sdb.isReadOnly())
        return;
    SqlTransaction tx(sdb);
    // Again under the write lock: another program may have upgraded the tables meanwhile.
    const Pending pending = survey(b);
    // The class and summary rows are looked up by stand and species, the free keys by themselves.
    if (pending.indexes) {
        for (auto t : kIndexedTables)
            b.createIndex(t, S::StandIndexName(t), "(KLIC, DR_ZKR)");
        b.createIndex(StandDatabase::Por, S::FreeKeyIndex, "(KLIC) where USED = false");
    }
    upgradeSpeciesTable(b, pending);

    const bool missingV = pending.vypocteno;
    const bool missingS = pending.souhrn;
    const bool missingU = pending.userColumns;
    const QStringList statement = StandTableStatement(missingV, missingS, missingU);
    if (!statement.isEmpty()) {
        const UserIdentification user =
            missingU ? UserIdentification::Load(sdb.settingsFile()) : UserIdentification{};
        executeStatement(b, statement);

        QSet<qlonglong> notComputed;
        {
            StatementRef q = b.statement("select distinct KLIC from RivwoodDre where VYPOCTENO is not true");
            q->open();
            while (q->next())
                notComputed.insert(q->integer(0));
        }
        QList<qlonglong> keys;
        {
            StatementRef q = b.statement("select KLIC from RivwoodPor order by KLIC");
            q->open();
            while (q->next())
                keys.append(q->integer(0));
        }
        for (qlonglong key : keys) {
            const bool consistent = summaryConsistent(b, int(key));
            StatementRef flags =
                b.statement("update RivwoodPor set VYPOCTENO = ?, SOUHRN = ? where KLIC = ?");
            flags->bindBool(1, !notComputed.contains(key))
                .bindBool(2, consistent)
                .bind(3, std::int64_t(key))
                .run();
            if (missingU) {
                StatementRef users = b.statement(
                    "update RivwoodPor set ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC = ?");
                users->bind(1, user.zavod.left(S::UserWidth))
                    .bind(2, user.provoz.left(S::UserWidth))
                    .bind(3, user.taxator.left(S::UserWidth))
                    .bind(4, user.uzivatel.left(S::UserWidth))
                    .bind(5, std::int64_t(key))
                    .run();
            }
        }
    }
    // The counter comes last, after the columns of the written layout, and the copy record after it.
    if (pending.changeColumn)
        b.addColumn(StandDatabase::Por, S::ChangeColumn, "INTEGER");
    if (pending.copyColumns) {
        const QStringList columns = b.columns(StandDatabase::Por);
        if (!columns.contains(S::CopySourceColumn))
            b.addColumn(StandDatabase::Por, S::CopySourceColumn, QString("CHAR(%1)").arg(S::CopySourceWidth));
        if (!columns.contains(S::CopyCounterColumn))
            b.addColumn(StandDatabase::Por, S::CopyCounterColumn, "INTEGER");
    }
    tx.commit();
}

} // namespace SchemaUpgrade
