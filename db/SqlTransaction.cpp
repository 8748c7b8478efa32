#include "SqlTransaction.h"

#include "DatabaseError.h"
#include "SqliteHandle.h"

#include <atomic>

namespace {

std::atomic<unsigned> g_counter{0};

// The user reads the cause; savepoint names stay inside.
const char* const kWhat = "transakce";

} // namespace

SqlTransaction::SqlTransaction(const QSqlDatabase& db) : m_handle(SqliteHandle::Of(db)) {
    int rc = 0;
    if (!SqliteHandle::InTransaction(m_handle)) {
        if (!SqliteHandle::Exec(m_handle, "begin immediate", &rc))
            SqliteHandle::Fail(m_handle, rc, kWhat);
        return;
    }
    m_name = QString("rw%1").arg(++g_counter);
    if (!SqliteHandle::Exec(m_handle, ("savepoint " + m_name).toLatin1().constData(), &rc))
        SqliteHandle::Fail(m_handle, rc, kWhat);
}

SqlTransaction::~SqlTransaction() {
    if (m_done || !alive())
        return;
    if (outermost()) {
        SqliteHandle::Exec(m_handle, "rollback");
        return;
    }
    SqliteHandle::Exec(m_handle, ("rollback to " + m_name).toLatin1().constData());
    SqliteHandle::Exec(m_handle, ("release " + m_name).toLatin1().constData());
}

bool SqlTransaction::alive() const {
    return SqliteHandle::InTransaction(m_handle);
}

void SqlTransaction::commit() {
    if (!alive())
        throw DatabaseError(DatabaseError::Other,
                            "Chyba databáze: databáze změny zrušila, nic z nich nebylo uloženo.");
    int rc = 0;
    const QByteArray sql = outermost() ? QByteArray("commit") : ("release " + m_name).toLatin1();
    if (!SqliteHandle::Exec(m_handle, sql.constData(), &rc)) {
        // A commit that could not get its lock or write its files leaves the transaction open;
        // it is rolled back, so a failure means that nothing was stored.
        const QString detail = outermost() ? SqliteHandle::Message(m_handle) : QString();
        if (outermost() && alive())
            SqliteHandle::Exec(m_handle, "rollback");
        m_done = outermost();
        DatabaseError::Throw(rc, kWhat, detail);
    }
    m_done = true;
}

SqlReadSnapshot::SqlReadSnapshot(const QSqlDatabase& db) : m_handle(SqliteHandle::Of(db)) {
    if (SqliteHandle::InTransaction(m_handle))
        return;
    int rc = 0;
    if (!SqliteHandle::Exec(m_handle, "begin", &rc))
        SqliteHandle::Fail(m_handle, rc, kWhat);
    m_own = true;
}

SqlReadSnapshot::~SqlReadSnapshot() {
    // A read-only transaction has nothing to store; ending it only releases the read locks.
    if (m_own && SqliteHandle::InTransaction(m_handle))
        SqliteHandle::Exec(m_handle, "rollback");
}
