#pragma once

#include "SqlStatement.h"
#include "StandDatabase.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <vector>

// A kept statement in use; when the use ends the statement is reset (SQLite lets go of the read
// lock of an unfinished query) and free for the next user.
class StatementRef {
  public:
    StatementRef() = default;
    StatementRef(StatementRef&& other) noexcept;
    StatementRef& operator=(StatementRef&& other) noexcept;
    ~StatementRef();
    StatementRef(const StatementRef&) = delete;
    StatementRef& operator=(const StatementRef&) = delete;

    SqlStatement* operator->() const { return m_statement; }
    SqlStatement& operator*() const { return *m_statement; }

  private:
    friend class StoreBackend;
    StatementRef(SqlStatement* statement, bool* inUse) : m_statement(statement), m_inUse(inUse) {}
    void release();

    SqlStatement* m_statement = nullptr;
    bool* m_inUse = nullptr;
};

// What the stand store needs of the place its tables live in: the SQLite table files of a
// directory (SqliteBackend) or a database on a PostgreSQL server (PostgresBackend). The store's
// SQL is written once over SqlStatement; each backend holds the SQL of its own kind (opening,
// locking, schema, table layout) in its own files. Nothing outside this layer sees a backend.
class StoreBackend {
  public:
    virtual ~StoreBackend() = default;

    // A statement kept while the connection is open and run again and again (the statements of
    // the store): prepared once, bound afresh for each use.
    StatementRef statement(const QString& sql);
    // A statement for one use.
    virtual std::unique_ptr<SqlStatement> prepare(const QString& sql) = 0;
    // The kept statement that inserts rows into a table's columns (the first one KLIC). Rows go in
    // several at a time: all of them are written by its finish() (on a server they may go in bulk
    // later in the transaction, before anything that could see them and at the latest with the
    // commit).
    StatementRef inserter(StandDatabase::Table table, const QStringList& columns);

    // Transactions. begin(true) takes the database's write lock: the writes of every program
    // follow one after another, and what is read inside sees every write committed before.
    // begin(false) is a read unit that sees one committed state. Savepoints nest inside either.
    // rollback() and rollbackToSavepoint() never fail.
    virtual void begin(bool write) = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual void savepoint() = 0;
    virtual void releaseSavepoint() = 0;
    virtual void rollbackToSavepoint() = 0;
    // Savepoints and the transaction open now (0: none).
    int depth() const { return m_depth; }
    // False once the database has rolled the open transaction back by itself (a full disk, an
    // I/O error) or an error has spoilt it: nothing of it will be stored. The error of a change
    // that a server had not yet answered is thrown.
    virtual bool transactionAlive() = 0;

    // The columns of a stand table as the connection finds them, upper case; read once and kept
    // until forgotten (at each write transaction, as another program may have upgraded them).
    QStringList columns(StandDatabase::Table table);
    void forgetColumns() { m_columns.clear(); }
    // Adds a column of the file layout's type (DOUBLE, CHAR(n), INTEGER, BOOLEAN).
    virtual void addColumn(StandDatabase::Table table, const QString& column, const QString& type) = 0;
    // An index of a table: whether it is there, and making it ("(KLIC, DR_ZKR)", "(KLIC) where
    // USED = false").
    virtual bool hasIndex(StandDatabase::Table table, const QString& name) = 0;
    virtual void createIndex(StandDatabase::Table table, const QString& name, const QString& definition) = 0;

    // Deletes the rows of a stand in some of the tables that hold several rows per stand.
    void deleteStandRows(int key, std::initializer_list<StandDatabase::Table> tables);

    // What the write transaction under way has learnt of the free keys of the stand table, so
    // that handing out many keys in it asks the database once: every program's writes wait for
    // the write lock, so nobody else hands out keys meanwhile. Forgotten whenever a write
    // transaction begins or ends, whenever a unit in it is undone and whenever a write other than
    // the allocation adds or frees a key.
    struct KeyCache {
        bool known = false;
        std::deque<std::pair<int, std::int64_t>> free; // free keys, lowest first, with their counters
        bool more = false;                             // more free keys than those
        std::int64_t max = 0;                          // the highest key
    };
    KeyCache& keyCache() { return m_keys; }

    // True while the database takes no changes.
    bool readOnly() const { return m_readOnly; }
    // The connection was lost: the database opens a new one at its next use.
    virtual bool broken() const { return false; }

  protected:
    virtual std::unique_ptr<SqlStatement> makeStatement(const QString& sql, bool kept) = 0;
    virtual std::unique_ptr<SqlStatement> makeInserter(StandDatabase::Table table,
                                                       const QStringList& columns);
    virtual QStringList readColumns(StandDatabase::Table table) = 0;
    // Drops the kept statements, before the connection they belong to closes.
    void dropStatements() {
        m_kept.clear();
        m_inserters.clear();
    }

    int m_depth = 0;
    bool m_readOnly = false;
    KeyCache m_keys;

  private:
    struct Kept {
        std::unique_ptr<SqlStatement> statement;
        bool inUse = false;
    };
    StatementRef take(std::unordered_map<QString, std::vector<std::unique_ptr<Kept>>>& cache,
                      const QString& key, const std::function<std::unique_ptr<SqlStatement>()>& make);

    std::unordered_map<QString, std::vector<std::unique_ptr<Kept>>> m_kept;
    std::unordered_map<QString, std::vector<std::unique_ptr<Kept>>> m_inserters;
    QHash<int, QStringList> m_columns;
};
