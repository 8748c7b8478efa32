#pragma once

#include "ServerAddress.h"
#include "StoreBackend.h"

class PostgresSession;

// The stand tables in a database on a PostgreSQL server, through libpq. Statements go through
// a pipelined session (PostgresSession); rows go in bulk with COPY. Every write transaction of
// every program takes one advisory lock first, so writes (and the key allocation in them) follow
// one after another; a lock not got within the busy timeout is a busy DatabaseError. The tables
// that keep several rows per stand have a column "rowid" numbering the rows in the order they
// were written, as SQLite does by itself.
class PostgresBackend : public StoreBackend {
  public:
    // Connects and finds out what is there (survey()). A password given is used for this
    // connection only; a server that asks for one the address and ~/.pgpass do not give is a
    // DatabaseError with the cause NeedsPassword, as is a password it refuses.
    static std::unique_ptr<PostgresBackend> Open(const ServerAddress& address, const QString& password,
                                                 int busyTimeoutMs, bool readOnlyMode);
    ~PostgresBackend() override;

    // Counts the stand tables and settles what the user may do with them.
    void survey(bool readOnlyMode);
    bool empty() const { return m_empty; }
    bool complete() const { return m_complete; }
    // Creates each missing table in its first layout, and the collation "czech".
    void createTables();

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
    bool broken() const override;

    // A statement of the file layout (CREATE TABLE, ALTER TABLE) in the server's types: DOUBLE is
    // double precision, CHAR(n) varchar(n) (not padded), BLOB text; tables get "if not exists".
    static QString Translate(const QString& statement);

  protected:
    std::unique_ptr<SqlStatement> makeStatement(const QString& sql, bool kept) override;
    std::unique_ptr<SqlStatement> makeInserter(StandDatabase::Table table,
                                               const QStringList& columns) override;
    QStringList readColumns(StandDatabase::Table table) override;

  private:
    explicit PostgresBackend(std::shared_ptr<PostgresSession> session);
    // Runs a statement without values and waits for it.
    void execute(const QString& sql);
    // The collation "czech" (ICU cs-CZ case-insensitive, else the system's cs_CZ locale, else
    // byte order when the server has neither), created when missing.
    void createCollation();

    std::shared_ptr<PostgresSession> m_session;
    unsigned long m_statements = 0;
    bool m_empty = false;
    bool m_complete = false;
};
