#pragma once

#include "ServerAddress.h"
#include "UserMessage.h"

#include <QString>
#include <memory>

class StoreBackend;

// The stand database: five SQLite files in one directory, one per table (RivwoodPor.db,
// RivwoodDre.db, RivwoodTlo.db, RivwoodSes.db, RivwoodVys.db). They are attached into one
// connection, so that joins over the tables, their filters and their ordering run as plain SQL.
// The connection is opened on first use and closed whenever the directory changes.
//
// Several programs may use one directory at once (a shared drive): an operation that meets the
// database locked by another waits up to the settings file's "DataBase"/"BusyTimeout" seconds
// (default 30) before it fails with "Databázi právě používá jiný program. …". A directory or
// table file that cannot be written is opened read-only: listing, loading, reports and exports
// work, writes are refused with a message of their own.
//
// The same five tables may instead live in one database on a PostgreSQL server (setServer): the
// connection then goes through libpq, writes wait for the database's write lock up to the same
// busy timeout, and a user without the rights to change the tables gets the read-only behaviour.
// Nothing above this layer needs to know which of the two it talks to: the store, the lists and
// the report queries run on either backend (StoreBackend), which only this layer sees.
class StandDatabase {
  public:
    static constexpr int DefaultBusyTimeoutSeconds = 30;

    enum Table { Por, Dre, Tlo, Ses, Vys };
    static constexpr int TableCount = 5;
    static QString TableName(Table table); // "RivwoodPor", …
    static QString FileName(Table table);  // "RivwoodPor.db", …

    // The settings file supplies the user identification and the stored directory.
    explicit StandDatabase(QString settingsFile = {});
    ~StandDatabase();
    StandDatabase(const StandDatabase&) = delete;
    StandDatabase& operator=(const StandDatabase&) = delete;

    const QString& settingsFile() const { return m_settingsFile; }
    // The current database directory, without a trailing separator.
    const QString& directory() const { return m_directory; }
    // Switches the directory; an open connection is closed and reopens on the next use.
    void setDirectory(const QString& directory);
    // Switches to a database on a server, likewise; the directory is then empty.
    void setServer(const ServerAddress& server);
    // The password for the server when it asks for one that neither the address nor ~/.pgpass
    // gives (a DatabaseError with the cause NeedsPassword). Kept in memory for the rest of the
    // run, for this server address only; never written anywhere.
    void setPassword(const QString& password);
    bool isServer() const { return !m_server.isEmpty(); }
    const ServerAddress& server() const { return m_server; }
    // Where the database is, for messages: the directory or the server address (no password).
    QString location() const;
    // Where files made from the database (workbooks, CSV) go unless the user says otherwise: the
    // database directory, or for a server the work directory (home when installed).
    QString filesDirectory() const;

    // Flags of the last CheckDatabaseFiles: every table file exists (or none does, the tables
    // are then to be created) / none exists. On a server the tables are counted, which opens the
    // connection (a server that cannot be reached is a DatabaseError).
    bool complete() const { return m_complete; }
    bool empty() const { return m_empty; }
    void CheckDatabaseFiles();

    // The file of a table in a directory, its name matched case-insensitively; the plain name
    // when there is no such file.
    static QString TablePath(const QString& directory, Table table);
    static bool TableFileExists(const QString& directory, Table table);

    // Opens the connection to the current directory or server, when it is not open. Every table
    // file must exist and hold its table; a missing, foreign or damaged file is a RivwoodError
    // naming it. A connection that was lost is opened afresh.
    void open();
    bool isOpen() const { return m_backend != nullptr; }
    void close();
    // The backend of the open connection (opened when needed): for this layer only.
    StoreBackend& backend();

    // Creates the missing tables of the current directory or server in their first layout (on a
    // server with the collation "czech"). The connection is closed afterwards.
    void CreateTables();
    // Drops the tables of the older version from the current directory (DatabaseSchema).
    void DropOldTables();

    // Opens the files read-only even where they could be written (archives, tests run as root).
    // Takes effect at the next opening of the connection.
    void setReadOnlyMode(bool readOnly);
    // The database takes no changes: read-only mode, or the directory or a table file cannot be
    // written by this user. Known for certain once the connection is open.
    bool isReadOnly() const;
    // What the window tells once when it opens a read-only database.
    UserMessage ReadOnlyMessage() const;
    // A DatabaseError telling that the database is read-only and `what` cannot be done
    // ("porost nelze uložit"), when it is.
    void RequireWritable(const QString& what) const;
    // True when the user may write the directory and every table file in it.
    static bool FilesWritable(const QString& directory);

    // Milliseconds an operation waits for a lock held by another program.
    int busyTimeoutMs() const;

  private:
    void openServer();

    QString m_settingsFile;
    QString m_directory;
    ServerAddress m_server;
    QString m_password;
    bool m_complete = false;
    bool m_empty = false;
    bool m_readOnlyMode = false;
    std::unique_ptr<StoreBackend> m_backend;
};
