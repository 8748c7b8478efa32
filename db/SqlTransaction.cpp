#include "SqlTransaction.h"

#include "DatabaseError.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

SqlTransaction::SqlTransaction(StandDatabase& db) : m_backend(db.backend()) {
    m_outermost = m_backend.depth() == 0;
    if (m_outermost) {
        m_backend.keyCache() = {};
        m_backend.forgetColumns();
        m_backend.begin(true);
    } else {
        m_backend.savepoint();
    }
    m_depth = m_backend.depth();
}

SqlTransaction::~SqlTransaction() {
    // A unit already ended by the database (its outer transaction rolled back) has nothing left.
    if (m_done || m_backend.depth() < m_depth)
        return;
    // Keys handed out in the unit are free again.
    m_backend.keyCache() = {};
    if (m_outermost)
        m_backend.rollback();
    else
        m_backend.rollbackToSavepoint();
}

bool SqlTransaction::alive() const {
    return m_backend.depth() >= m_depth && m_backend.transactionAlive();
}

void SqlTransaction::commit() {
    // A unit inside a transaction the database has given up fails to be released by itself.
    if (m_outermost && !alive())
        throw DatabaseError(DatabaseError::Other,
                            "Chyba databáze: databáze změny zrušila, nic z nich nebylo uloženo.");
    if (m_backend.depth() < m_depth)
        throw DatabaseError(DatabaseError::Other,
                            "Chyba databáze: databáze změny zrušila, nic z nich nebylo uloženo.");
    if (m_outermost) {
        m_backend.keyCache() = {};
        m_backend.commit(); // a failed commit has rolled back
    } else {
        m_backend.releaseSavepoint();
    }
    m_done = true;
}

SqlReadSnapshot::SqlReadSnapshot(StandDatabase& db) : m_backend(db.backend()) {
    if (m_backend.depth() > 0)
        return;
    m_backend.begin(false);
    m_own = true;
}

SqlReadSnapshot::~SqlReadSnapshot() {
    // A read unit has nothing to store; ending it only releases the read locks.
    if (m_own && m_backend.depth() > 0)
        m_backend.rollback();
}
