#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// A write unit on the connection. The outermost unit takes the write lock at its start ("begin
// immediate", waiting through the busy handler while another program writes), so reads and
// writes inside it never meet a lock half-way; units inside it are savepoints (a stand's save
// inside a bulk import's chunk). Leaving the scope without commit() rolls the unit back.
class SqlTransaction {
  public:
    explicit SqlTransaction(const QSqlDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    // Makes the unit's changes part of the enclosing one, or, for the outermost, stores them.
    // A commit that fails leaves nothing of the unit behind and is a DatabaseError.
    void commit();
    // False once the database has rolled the whole transaction back by itself (after a full
    // disk or an I/O error): nothing of it will be stored.
    bool alive() const;
    bool outermost() const { return m_name.isEmpty(); }

  private:
    sqlite3* m_handle;
    QString m_name; // the savepoint of a nested unit
    bool m_done = false;
};

// A read unit: the reads inside it see one committed state of the database, as no other program
// can commit a write into files it has read until the unit ends. Nothing happens when the
// connection is already inside a transaction.
class SqlReadSnapshot {
  public:
    explicit SqlReadSnapshot(const QSqlDatabase& db);
    ~SqlReadSnapshot();
    SqlReadSnapshot(const SqlReadSnapshot&) = delete;
    SqlReadSnapshot& operator=(const SqlReadSnapshot&) = delete;

  private:
    sqlite3* m_handle;
    bool m_own = false;
};
