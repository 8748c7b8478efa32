#include "StandDatabase.h"

#include "DatabaseError.h"
#include "IniFile.h"
#include "OldDatabaseDirectory.h"
#include "PostgresBackend.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"
#include "SqliteBackend.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {

const char* const kNames[StandDatabase::TableCount] = {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes",
                                                       "RivwoodVys"};

// Passwords typed for servers in this run, by address: asked once, never stored.
QHash<QString, QString>& passwords() {
    static QHash<QString, QString> known;
    return known;
}

} // namespace

QString StandDatabase::TableName(Table table) {
    return QString::fromLatin1(kNames[table]);
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

StandDatabase::StandDatabase(QString settingsFile) : m_settingsFile(std::move(settingsFile)) {}

StandDatabase::~StandDatabase() {
    close();
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
}

void StandDatabase::setServer(const ServerAddress& server) {
    if (isServer() && server == m_server)
        return;
    close();
    m_server = server;
    m_directory.clear();
    m_password = passwords().value(server.display());
}

void StandDatabase::setPassword(const QString& password) {
    if (password == m_password)
        return;
    close();
    m_password = password;
}

QString StandDatabase::location() const {
    return isServer() ? m_server.display() : QDir::toNativeSeparators(m_directory);
}

QString StandDatabase::filesDirectory() const {
    return isServer() ? ProgramPaths::WorkDirectory() : m_directory;
}

void StandDatabase::CheckDatabaseFiles() {
    if (isServer()) {
        if (!isOpen())
            open(); // counts the tables
        else
            static_cast<PostgresBackend&>(*m_backend).survey(m_readOnlyMode);
        const auto& server = static_cast<const PostgresBackend&>(*m_backend);
        m_empty = server.empty();
        m_complete = server.complete();
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
    m_backend.reset();
}

StoreBackend& StandDatabase::backend() {
    open();
    return *m_backend;
}

void StandDatabase::CreateTables() {
    if (isServer()) {
        static_cast<PostgresBackend&>(backend()).createTables();
    } else {
        close();
        SqliteBackend::CreateTables(m_directory, busyTimeoutMs());
    }
    close();
}

void StandDatabase::DropOldTables() {
    close();
    if (!isServer())
        SqliteBackend::DropOldTables(m_directory, busyTimeoutMs());
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
    if (m_backend)
        return m_backend->readOnly();
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

void StandDatabase::open() {
    // A connection that was lost is made again; what it held is gone with it.
    if (m_backend && m_backend->broken() && m_backend->depth() == 0)
        close();
    if (m_backend)
        return;
    if (isServer()) {
        auto server = PostgresBackend::Open(m_server, m_password, busyTimeoutMs(), m_readOnlyMode);
        m_empty = server->empty();
        m_complete = server->complete();
        if (!m_password.isEmpty())
            passwords().insert(m_server.display(), m_password);
        m_backend = std::move(server);
        return;
    }
    m_backend =
        SqliteBackend::Open(m_directory, m_readOnlyMode || !FilesWritable(m_directory), busyTimeoutMs());
}
