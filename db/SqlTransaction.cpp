#include "SqlTransaction.h"

#include "DatabaseError.h"
#include "ServerSql.h"
#include "SqliteHandle.h"

#include <QSqlQuery>
#include <atomic>

namespace {

std::atomic<unsigned> g_counter{0};

// The user reads the cause; savepoint names stay inside.
const char* const kWhat = "transakce";

sqlite3* sqliteOf(const QSqlDatabase& db) {
    return ServerSql::IsServer(db) ? nullptr : SqliteHandle::Of(db);
}

bool inTransaction(const QSqlDatabase& db, sqlite3* handle) {
    return handle ? SqliteHandle::InTransaction(handle)
                  : ServerSql::TransactionState(db) != ServerSql::State::Idle;
}

} // namespace

bool SqlTransaction::exec(const char* sql, int* code) const {
    if (m_handle)
        return SqliteHandle::Exec(m_handle, sql, code);
    QSqlError error;
    const bool ok = ServerSql::Exec(m_db, QString::fromLatin1(sql), &error);
    if (!ok && code)
        *code = 0;
    return ok;
}

SqlTransaction::SqlTransaction(const QSqlDatabase& db) : m_db(db), m_handle(sqliteOf(db)) {
    int rc = 0;
    if (!inTransaction(m_db, m_handle)) {
        if (m_handle) {
            if (!SqliteHandle::Exec(m_handle, "begin immediate", &rc))
                SqliteHandle::Fail(m_handle, rc, kWhat);
            return;
        }
        QSqlError error;
        if (!ServerSql::Exec(m_db, "begin", &error))
            ServerSql::Fail(error, kWhat);
        try {
            ServerSql::LockForWrite(m_db);
        } catch (...) {
            ServerSql::Exec(m_db, "rollback");
            throw;
        }
        return;
    }
    m_name = QString("rw%1").arg(++g_counter);
    if (m_handle) {
        if (!SqliteHandle::Exec(m_handle, ("savepoint " + m_name).toLatin1().constData(), &rc))
            SqliteHandle::Fail(m_handle, rc, kWhat);
        return;
    }
    QSqlError error;
    if (!ServerSql::Exec(m_db, "savepoint " + m_name, &error))
        ServerSql::Fail(error, kWhat);
}

SqlTransaction::~SqlTransaction() {
    if (m_done)
        return;
    if (m_handle && !alive())
        return;
    if (!m_handle && ServerSql::TransactionState(m_db) == ServerSql::State::Idle)
        return;
    if (outermost()) {
        exec("rollback");
        return;
    }
    exec(("rollback to " + m_name).toLatin1().constData());
    exec(("release " + m_name).toLatin1().constData());
}

bool SqlTransaction::alive() const {
    if (m_handle)
        return SqliteHandle::InTransaction(m_handle);
    return ServerSql::TransactionState(m_db) == ServerSql::State::InTransaction;
}

void SqlTransaction::commit() {
    if (!alive())
        throw DatabaseError(DatabaseError::Other,
                            "Chyba databáze: databáze změny zrušila, nic z nich nebylo uloženo.");
    const QByteArray sql = outermost() ? QByteArray("commit") : ("release " + m_name).toLatin1();
    if (!m_handle) {
        QSqlError error;
        if (!ServerSql::Exec(m_db, QString::fromLatin1(sql), &error)) {
            if (outermost() && ServerSql::TransactionState(m_db) != ServerSql::State::Idle)
                ServerSql::Exec(m_db, "rollback");
            m_done = outermost();
            ServerSql::Fail(error, kWhat);
        }
        m_done = true;
        return;
    }
    int rc = 0;
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

SqlReadSnapshot::SqlReadSnapshot(const QSqlDatabase& db) : m_db(db), m_handle(sqliteOf(db)) {
    if (inTransaction(m_db, m_handle))
        return;
    if (m_handle) {
        int rc = 0;
        if (!SqliteHandle::Exec(m_handle, "begin", &rc))
            SqliteHandle::Fail(m_handle, rc, kWhat);
    } else {
        QSqlError error;
        if (!ServerSql::Exec(m_db, "begin transaction isolation level repeatable read, read only", &error))
            ServerSql::Fail(error, kWhat);
    }
    m_own = true;
}

SqlReadSnapshot::~SqlReadSnapshot() {
    // A read-only transaction has nothing to store; ending it only releases the read locks.
    if (m_own && inTransaction(m_db, m_handle)) {
        if (m_handle)
            SqliteHandle::Exec(m_handle, "rollback");
        else
            ServerSql::Exec(m_db, "rollback");
    }
}
