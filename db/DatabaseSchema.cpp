#include "DatabaseSchema.h"

#include "ServerSql.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <atomic>
#include <functional>

namespace DatabaseSchema {

namespace {

std::atomic<unsigned> g_counter{0};

// Runs `work` on a private connection to one file, removed afterwards. Another program creating
// the same tables at the same time is waited for.
void withFile(const QString& path, int busyTimeoutMs, const std::function<void(QSqlDatabase&)>& work) {
    const QString name = QString("rivwood-schema-%1").arg(++g_counter);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        db.setDatabaseName(path);
        if (db.open())
            work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QString old(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

QString CreateStatement(StandDatabase::Table table) {
    const QString n = Numeric;
    switch (table) {
    case StandDatabase::Por:
        return "create table rivwoodpor (KLIC INTEGER, USED BOOLEAN, NazevTok CHAR(20), NazevBreh CHAR(2), "
               "NazevRKm CHAR(16), NazevAkce CHAR(30), PLOCHA " +
               n + ", VEK INTEGER, POC_DREV SMALLINT, KROVINY " + n +
               ", POPIS CHAR(80), KOMENT BLOB(1), KODPOROSTU CHAR(70), DATUM CHAR(16), VYPOCTENO BOOLEAN, "
               "SOUHRN BOOLEAN, PRIMARY KEY (KLIC))";
    case StandDatabase::Dre:
        return "create table rivwooddre (KLIC INTEGER, DR_ZKR CHAR(3), DR_VYP CHAR(3), DR_TAB CHAR(3), "
               "JHK SMALLINT, TLOUSTKA " +
               n + ", VYPOC_TL BOOLEAN, VYSKA " + n + ", VYPOCTENO BOOLEAN, TAB_ZAS " + n +
               ", TL_INTERVAL SMALLINT, POCET_TL SMALLINT, TL_MIN " + n + ", PRIMARY KEY (KLIC, DR_ZKR))";
    case StandDatabase::Tlo:
        return "create table rivwoodtlo (KLIC INTEGER, DR_ZKR CHAR(3), TLOUSTKA " + n + ", CETNOST " + n +
               ", OBJEMJ " + n + ", OBJEMC " + n + ")";
    case StandDatabase::Ses: {
        QString s = "create table rivwoodses (KLIC INTEGER, PLOCHA " + n + ", ZAKM " + n +
                    ", DR_ZKR CHAR(3), DR_KOD SMALLINT, POR_V_ZAP SMALLINT";
        for (const char* c : {"DR_ZAKM", "DR_PLO", "DR_PLO_RED", "DR_PLO_RHA", "DR_ZAST"})
            s += QString(", %1 %2").arg(c, n);
        s += ", JEHL BOOLEAN";
        for (const char* c : {"VYSKA", "TLOUSTKA", "JHK", "GHA", "DR_G", "ZTJ", "ZTL", "ZT", "ZHA",
                              "ZHA_JEHL", "ZHA_LIST", "DR_ZAS_J", "DR_ZAS_L", "DR_ZAS_CEL"})
            s += QString(", %1 %2").arg(c, n);
        return s + ", STRANKA SMALLINT)";
    }
    case StandDatabase::Vys:
        return "create table rivwoodvys (KLIC INTEGER, DR_ZKR CHAR(3), TLOUSTKA " + n + ", VYSKA " + n + ")";
    }
    return {};
}

QStringList OldTableNames() {
    return {old("rivwoopor"), old("jhkdre"), old("jhktlo"), old("jhkses"), old("jhkvys")};
}

void CreateTables(StandDatabase& db, const QString& directory) {
    db.close();
    if (!QFileInfo(directory).isDir())
        return;
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        const auto table = StandDatabase::Table(t);
        withFile(StandDatabase::TablePath(directory, table), db.busyTimeoutMs(), [&](QSqlDatabase& c) {
            QSqlQuery q(c);
            q.exec(CreateStatement(table)); // an existing table keeps its rows
        });
    }
}

void CreateServerTables(StandDatabase& db) {
    QSqlDatabase c = db.connection();
    SqlTransaction tx(c);
    ServerSql::CreateCollation(c);
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        QString sql = ServerSql::Translate(CreateStatement(StandDatabase::Table(t)));
        if (t != StandDatabase::Por)
            sql.insert(sql.indexOf(u'(') + 1, QStringLiteral("rowid bigserial, "));
        SqlSupport::Exec(c, sql);
    }
    tx.commit();
    db.close();
}

void DropOldTables(StandDatabase& db, const QString& directory) {
    db.close();
    const QDir dir(directory);
    if (!dir.exists())
        return;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& table : OldTableNames()) {
        for (const QString& entry : entries) {
            if (entry.compare(table + ".db", Qt::CaseInsensitive) != 0)
                continue;
            const QString path = dir.filePath(entry);
            bool dropped = false, leftEmpty = false;
            withFile(path, db.busyTimeoutMs(), [&](QSqlDatabase& c) {
                QSqlQuery q(c);
                dropped = q.exec("Drop Table " + table);
                leftEmpty =
                    q.exec("select count(*) from sqlite_master") && q.next() && q.value(0).toInt() == 0;
            });
            if (dropped && leftEmpty)
                QFile::remove(path);
        }
    }
}

} // namespace DatabaseSchema
