#pragma once

class StandDatabase;
class StoreBackend;

// A write unit on the stand database. The outermost unit takes the write lock at its start
// (SQLite: "begin immediate", waiting through the busy handler while another program writes; a
// server: the database's advisory write lock, waited for up to the busy timeout), so reads and
// writes inside it never meet a lock half-way and see every write committed before; units inside
// it are savepoints (a stand's save inside a bulk import's chunk). Leaving the scope without
// commit() rolls the unit back.
class SqlTransaction {
  public:
    explicit SqlTransaction(StandDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    // Makes the unit's changes part of the enclosing one, or, for the outermost, stores them.
    // A commit that fails leaves nothing of the unit behind and is a DatabaseError.
    void commit();
    // False once the database has rolled the whole transaction back by itself (after a full
    // disk or an I/O error) or an error has spoilt it: nothing of it will be stored.
    bool alive() const;
    bool outermost() const { return m_outermost; }

  private:
    StoreBackend& m_backend;
    int m_depth = 0; // of the backend inside this unit
    bool m_outermost = false;
    bool m_done = false;
};

// A read unit: the reads inside it see one committed state of the database (SQLite: no other
// program can commit into files it has read until the unit ends; a server: one snapshot).
// Nothing happens when a transaction is open already.
class SqlReadSnapshot {
  public:
    explicit SqlReadSnapshot(StandDatabase& db);
    ~SqlReadSnapshot();
    SqlReadSnapshot(const SqlReadSnapshot&) = delete;
    SqlReadSnapshot& operator=(const SqlReadSnapshot&) = delete;

  private:
    StoreBackend& m_backend;
    bool m_own = false;
};
