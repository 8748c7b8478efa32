#pragma once

#include "StoreBackend.h"

struct sqlite3;

// The stand tables in the SQLite files of a directory, one file per table, attached into one
// connection ("main" is RivwoodPor.db, so a commit over several files goes through SQLite's
// super-journal and stays atomic). Writes take "begin immediate", waiting for another program's
// write through the busy timeout.
class SqliteBackend : public StoreBackend {
  public:
    // Opens the five table files of the directory. Each must exist and hold its table; a missing,
    // foreign or damaged file is a RivwoodError naming it, one that is only locked a busy
    // DatabaseError. Read-only opens every file for reading only.
    static std::unique_ptr<SqliteBackend> Open(const QString& directory, bool readOnly, int busyTimeoutMs);
    ~SqliteBackend() override;

    // Creates each table that is missing in its file of the directory; a statement that fails
    // (the table exists, the file is not a database) is skipped and the next one runs.
    static void CreateTables(const QString& directory, int busyTimeoutMs);
    // Drops the tables of the older version, each in its own file <name>.db of the directory; a
    // file left without tables is removed. Every error is ignored.
    static void DropOldTables(const QString& directory, int busyTimeoutMs);
    // Schema name of a table's file inside the connection ("main" for RivwoodPor.db).
    static QString SchemaName(StandDatabase::Table table);

    std::unique_ptr<SqlStatement> prepare(const QString& sql) override;
    void begin(bool write) override;
    void commit() override;
    void rollback() override;
    void savepoint() override;
    void releaseSavepoint() override;
    void rollbackToSavepoint() override;
    bool transactionAlive() override;
    void addColumn(StandDatabase::Table table, const QString& column, const QString& type) override;
    bool hasIndex(StandDatabase::Table table, const QString& name) override;
    void createIndex(StandDatabase::Table table, const QString& name, const QString& definition) override;

  protected:
    std::unique_ptr<SqlStatement> makeStatement(const QString& sql, bool kept) override;
    std::unique_ptr<SqlStatement> makeInserter(StandDatabase::Table table,
                                               const QStringList& columns) override;
    QStringList readColumns(StandDatabase::Table table) override;

  private:
    explicit SqliteBackend(sqlite3* handle) : m_handle(handle) {}
    // Runs a statement of transaction control through a kept statement.
    void control(const char* sql, const char* what);

    sqlite3* m_handle = nullptr;
};
