#include "StandDatabase.h"

#include "CzechCollation.h"
#include "DatabaseError.h"
#include "IniFile.h"
#include "OldDatabaseDirectory.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "ServerSql.h"
#include "SettingsKeys.h"
#include "SqlSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <algorithm>

namespace {

const char* const kNames[StandDatabase::TableCount] = {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes",
                                                       "RivwoodVys"};
// Schema names of the attached files; RivwoodPor.db is the main file, so a commit over several
// files goes through SQLite's super-journal and stays atomic.
const char* const kSchemas[StandDatabase::TableCount] = {"main", "dre", "tlo", "ses", "vys"};

QString uriOf(const QString& path, bool readOnly) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (readOnly ? "?mode=ro" : "?mode=rw");
}

// The error of a table file that could not be opened or read; a file that is only locked is
// busy, not damaged.
[[noreturn]] void failFile(const QSqlError& error, const QString& file) {
    const DatabaseError::Cause cause = SqlSupport::CauseOf(error);
    switch (cause) {
    case DatabaseError::Busy:
        throw DatabaseError(cause, DatabaseError::MessageFor(cause, {}, {}));
    case DatabaseError::Io:
    case DatabaseError::Denied:
        throw DatabaseError(cause,
                            QString("%1 Soubor: „%2“.").arg(DatabaseError::MessageFor(cause, {}, {}), file));
    default:
        break;
    }
    const QString detail = error.databaseText().trimmed();
    throw DatabaseError(DatabaseError::Damaged,
                        QString("Soubor „%1“ není databázový soubor porostů nebo je poškozen%2.")
                            .arg(file, detail.isEmpty() ? QString() : " (" + detail + ")"));
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
    if (d == m_directory && !isServer())
        return;
    close();
    m_server = {};
    m_directory = d;
    useDriver("QSQLITE");
}

void StandDatabase::setServer(const ServerAddress& server) {
    if (isServer() && server == m_server)
        return;
    close();
    m_server = server;
    m_directory.clear();
    useDriver("QPSQL");
}

QString StandDatabase::location() const {
    return isServer() ? m_server.display() : QDir::toNativeSeparators(m_directory);
}

QString StandDatabase::filesDirectory() const {
    return isServer() ? ProgramPaths::WorkDirectory() : m_directory;
}

void StandDatabase::useDriver(const char* driver) {
    if (QSqlDatabase::database(m_name, false).driverName() == QLatin1String(driver))
        return;
    close();
    QSqlDatabase::removeDatabase(m_name);
    QSqlDatabase::addDatabase(QString::fromLatin1(driver), m_name);
}

void StandDatabase::CheckDatabaseFiles() {
    if (isServer()) {
        if (!m_open)
            open(); // counts the tables
        else
            surveyServer();
        return;
    }
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

bool StandDatabase::FilesWritable(const QString& directory) {
    if (!QFileInfo(directory).isWritable())
        return false; // SQLite writes its journal beside the files
    for (int t = 0; t < TableCount; ++t) {
        const QFileInfo file(TablePath(directory, Table(t)));
        if (file.exists() && !file.isWritable())
            return false;
    }
    return true;
}

void StandDatabase::setReadOnlyMode(bool readOnly) {
    if (readOnly == m_readOnlyMode)
        return;
    close();
    m_readOnlyMode = readOnly;
}

bool StandDatabase::isReadOnly() const {
    if (m_open)
        return m_readOnly;
    return m_readOnlyMode || (!isServer() && !FilesWritable(m_directory));
}

UserMessage StandDatabase::ReadOnlyMessage() const {
    if (isServer())
        return {UserMessage::Information,
                QString("Databáze porostů na serveru „%1“ je pro vás jen pro čtení. Porosty lze prohlížet, "
                        "tisknout a exportovat, ukládat a rušit je nelze.")
                    .arg(m_server.display())};
    return {UserMessage::Information,
            QString("Databáze porostů v adresáři „%1“ je jen pro čtení. Porosty lze prohlížet, tisknout a "
                    "exportovat, ukládat a rušit je nelze.")
                .arg(QDir::toNativeSeparators(m_directory))};
}

void StandDatabase::RequireWritable(const QString& what) const {
    if (isReadOnly())
        throw DatabaseError(DatabaseError::ReadOnly,
                            QString("Databáze porostů je jen pro čtení, %1.").arg(what));
}

int StandDatabase::busyTimeoutMs() const {
    int seconds = DefaultBusyTimeoutSeconds;
    if (!m_settingsFile.isEmpty()) {
        try {
            seconds = IniFile(m_settingsFile)
                          .ReadInteger(SettingsKeys::DataBase, SettingsKeys::BusyTimeout,
                                       DefaultBusyTimeoutSeconds);
        } catch (const IoError&) {
            // An unreadable settings file leaves the default.
        }
    }
    return std::clamp(seconds, 0, 3600) * 1000;
}

void StandDatabase::openServer() {
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isValid())
        throw RivwoodError("Ovladač databáze PostgreSQL (QPSQL) není k dispozici.");
    m_server.apply(db);
    if (!db.open())
        ServerSql::FailConnection(db.lastError(), m_server.display());
    try {
        // The busy timeout bounds every wait for a lock, the write lock of the transactions too;
        // 0 would wait for ever.
        QSqlError error;
        if (!ServerSql::Exec(db, QString("set lock_timeout = %1").arg(std::max(busyTimeoutMs(), 1)), &error))
            ServerSql::Fail(error, "lock_timeout");
        // Notices ("already exists, skipping" of tables made by another program) are no news.
        ServerSql::Exec(db, "set client_min_messages = warning");
        m_open = true;
        m_readOnly = false; // a new session writes until told otherwise
        surveyServer();
        if (!m_readOnly && !m_empty)
            ServerSql::CreateCollation(db); // tables made by hand or restored without it
    } catch (...) {
        m_open = false;
        db.close();
        throw;
    }
}

void StandDatabase::surveyServer() {
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QStringList names;
    for (int t = 0; t < TableCount; ++t)
        names << "'" + TableName(Table(t)).toLower() + "'";
    QSqlQuery q = SqlSupport::Exec(
        db, QString("select count(*), coalesce(bool_and(has_table_privilege(c.oid, 'insert') and "
                    "has_table_privilege(c.oid, 'update') and has_table_privilege(c.oid, 'delete')), false), "
                    "has_schema_privilege(current_schema(), 'create'), "
                    "current_setting('transaction_read_only') = 'on' from pg_class c where c.relnamespace = "
                    "(select oid from pg_namespace where nspname = current_schema()) and c.relkind in ('r', "
                    "'p') and c.relname in (%1)")
                .arg(names.join(", ")));
    if (!q.next())
        SqlSupport::Fail(q, "tabulky");
    const int present = q.value(0).toInt();
    m_empty = present == 0;
    m_complete = present == TableCount || m_empty;
    const bool mayWrite = m_empty ? q.value(2).toBool() : q.value(1).toBool();
    const bool readOnly = m_readOnlyMode || !mayWrite || q.value(3).toBool();
    QSqlError error;
    if (readOnly != m_readOnly && !ServerSql::Exec(db,
                                                   QString("set session characteristics as transaction %1")
                                                       .arg(readOnly ? "read only" : "read write"),
                                                   &error))
        ServerSql::Fail(error, "read only");
    m_readOnly = readOnly;
}

void StandDatabase::open() {
    if (isServer()) {
        openServer();
        return;
    }
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isValid())
        throw RivwoodError("Ovladač databáze SQLite (QSQLITE) není k dispozici.");
    if (m_directory.isEmpty() || !QFileInfo(m_directory).isDir())
        throw RivwoodError(
            QString("Adresář databáze „%1“ neexistuje.").arg(QDir::toNativeSeparators(m_directory)));
    OldDatabaseDirectory::Refuse(m_directory); // never opened as SQLite
    QString paths[TableCount];
    for (int t = 0; t < TableCount; ++t) {
        paths[t] = TablePath(m_directory, Table(t));
        if (!QFileInfo(paths[t]).isFile())
            throw RivwoodError(QString("V adresáři databáze „%1“ chybí soubor %2.")
                                   .arg(QDir::toNativeSeparators(m_directory), FileName(Table(t))));
    }
    const bool readOnly = m_readOnlyMode || !FilesWritable(m_directory);
    QString options = QString("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs());
    if (readOnly)
        options += ";QSQLITE_OPEN_READONLY";
    db.setConnectOptions(options);
    db.setDatabaseName(uriOf(paths[Por], readOnly));
    if (!db.open())
        failFile(db.lastError(), QDir::toNativeSeparators(paths[Por]));
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
                if (!q.prepare(QString("attach database ? as %1").arg(kSchemas[t])))
                    failFile(q.lastError(), file);
                q.addBindValue(uriOf(paths[t], readOnly));
                if (!q.exec())
                    failFile(q.lastError(), file);
            }
            // The schema is read already while the statement is prepared.
            if (!q.prepare(
                    QString("select count(*) from %1.sqlite_master where type = 'table' and lower(name) = ?")
                        .arg(kSchemas[t])))
                failFile(q.lastError(), file);
            q.addBindValue(TableName(Table(t)).toLower());
            if (!q.exec() || !q.next())
                failFile(q.lastError(), file);
            if (q.value(0).toInt() == 0)
                throw RivwoodError(
                    QString("Soubor „%1“ neobsahuje tabulku %2.").arg(file, TableName(Table(t))));
        }
    } catch (...) {
        db.close();
        throw;
    }
    m_readOnly = readOnly;
    m_open = true;
}
