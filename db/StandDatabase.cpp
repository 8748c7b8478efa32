#include "StandDatabase.h"

#include "CzechCollation.h"
#include "RivwoodError.h"
#include "SqlSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

const char* const kNames[StandDatabase::TableCount] = {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes",
                                                       "RivwoodVys"};
// Schema names of the attached files; RivwoodPor.db is the main file, so a commit over several
// files goes through SQLite's super-journal and stays atomic.
const char* const kSchemas[StandDatabase::TableCount] = {"main", "dre", "tlo", "ses", "vys"};

QString uriOf(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) + "?mode=rw";
}

} // namespace

QString StandDatabase::TableName(Table table) {
    return QString::fromLatin1(kNames[table]);
}

QString StandDatabase::SchemaName(Table table) {
    return QString::fromLatin1(kSchemas[table]);
}

QString StandDatabase::FileName(Table table) {
    return TableName(table) + ".db";
}

QString StandDatabase::TablePath(const QString& directory, Table table) {
    const QString name = FileName(table);
    const QDir dir(directory);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    // Files copied from other systems may differ in case.
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return dir.filePath(name);
}

bool StandDatabase::TableFileExists(const QString& directory, Table table) {
    return QFileInfo(TablePath(directory, table)).isFile();
}

StandDatabase::StandDatabase(QString settingsFile, const QString& connectionName)
    : m_settingsFile(std::move(settingsFile)), m_name(connectionName) {
    for (int n = 2; QSqlDatabase::contains(m_name); ++n)
        m_name = QString("%1#%2").arg(connectionName).arg(n);
    // Registered at once, so a second instance sees the name taken.
    QSqlDatabase::addDatabase("QSQLITE", m_name);
}

StandDatabase::~StandDatabase() {
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void StandDatabase::setDirectory(const QString& directory) {
    QString d = QDir::fromNativeSeparators(directory);
    while (d.size() > 1 && d.endsWith('/'))
        d.chop(1);
    if (d == m_directory)
        return;
    close();
    m_directory = d;
}

void StandDatabase::CheckDatabaseFiles() {
    int present = 0;
    for (int t = 0; t < TableCount; ++t)
        present += TableFileExists(m_directory, Table(t)) ? 1 : 0;
    m_complete = present == TableCount;
    m_empty = present == 0;
    if (m_empty)
        m_complete = true;
    if (m_directory.isEmpty() || !QFileInfo(m_directory).isDir())
        m_complete = false;
}

void StandDatabase::close() {
    if (!m_open)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    m_open = false;
}

QSqlDatabase StandDatabase::connection() {
    if (!m_open)
        open();
    return QSqlDatabase::database(m_name, false);
}

void StandDatabase::open() {
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isValid())
        throw RivwoodError("Ovladač databáze SQLite (QSQLITE) není k dispozici.");
    if (m_directory.isEmpty() || !QFileInfo(m_directory).isDir())
        throw RivwoodError(
            QString("Adresář databáze „%1“ neexistuje.").arg(QDir::toNativeSeparators(m_directory)));
    QString paths[TableCount];
    for (int t = 0; t < TableCount; ++t) {
        paths[t] = TablePath(m_directory, Table(t));
        if (!QFileInfo(paths[t]).isFile())
            throw RivwoodError(QString("V adresáři databáze „%1“ chybí soubor %2.")
                                   .arg(QDir::toNativeSeparators(m_directory), FileName(Table(t))));
    }
    db.setConnectOptions("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000");
    db.setDatabaseName(uriOf(paths[Por]));
    if (!db.open())
        throw RivwoodError(QString("Databázový soubor „%1“ nelze otevřít: %2")
                               .arg(QDir::toNativeSeparators(paths[Por]), db.lastError().text()));
    CzechCollation::Register(db);
    try {
        // Savepoints of the stand saves keep their undo pages in memory.
        QSqlQuery(db).exec("pragma temp_store = memory");
        // Each file must be an SQLite database holding its own table; each is checked as soon as
        // it is opened, so an error names the file at fault.
        for (int t = 0; t < TableCount; ++t) {
            const QString file = QDir::toNativeSeparators(paths[t]);
            QSqlQuery q(db);
            if (t > 0) {
                q.prepare(QString("attach database ? as %1").arg(kSchemas[t]));
                q.addBindValue(uriOf(paths[t]));
                if (!q.exec())
                    throw RivwoodError(QString("Databázový soubor „%1“ nelze otevřít: %2")
                                           .arg(file, q.lastError().databaseText()));
            }
            q.prepare(
                QString("select count(*) from %1.sqlite_master where type = 'table' and lower(name) = ?")
                    .arg(kSchemas[t]));
            q.addBindValue(TableName(Table(t)).toLower());
            if (!q.exec() || !q.next())
                throw RivwoodError(
                    QString("Soubor „%1“ není databázový soubor porostů nebo je poškozen (%2).")
                        .arg(file, q.lastError().databaseText()));
            if (q.value(0).toInt() == 0)
                throw RivwoodError(
                    QString("Soubor „%1“ neobsahuje tabulku %2.").arg(file, TableName(Table(t))));
        }
    } catch (...) {
        db.close();
        throw;
    }
    m_open = true;
}
