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

// Runs a transaction statement on either kind of connection; a failure is a DatabaseError.
void run(const QSqlDatabase& db, sqlite3* handle, const QString& sql) {
    if (handle) {
        int rc = 0;
        if (!SqliteHandle::Exec(handle, sql.toLatin1().constData(), &rc))
            SqliteHandle::Fail(handle, rc, kWhat);
        return;
    }
    QSqlError error;
    if (!ServerSql::Exec(db, sql, &error))
        ServerSql::Fail(error, kWhat);
}

// Runs a statement that ends or undoes a transaction, where a failure has nothing left to spoil.
void runQuietly(const QSqlDatabase& db, sqlite3* handle, const QString& sql) {
    if (handle)
        SqliteHandle::Exec(handle, sql.toLatin1().constData());
    else
        ServerSql::Exec(db, sql);
}

} // namespace

SqlTransaction::SqlTransaction(const QSqlDatabase& db) : m_db(db), m_handle(sqliteOf(db)) {
    if (inTransaction(m_db, m_handle)) {
        m_name = QString("rw%1").arg(++g_counter);
        run(m_db, m_handle, "savepoint " + m_name);
        return;
    }
    if (m_handle) {
        run(m_db, m_handle, "begin immediate");
        return;
    }
    run(m_db, m_handle, "begin");
    try {
        ServerSql::LockForWrite(m_db);
    } catch (...) {
        runQuietly(m_db, m_handle, "rollback");
        throw;
    }
}

SqlTransaction::~SqlTransaction() {
    if (m_done || !inTransaction(m_db, m_handle))
        return;
    if (outermost()) {
        runQuietly(m_db, m_handle, "rollback");
        return;
    }
    runQuietly(m_db, m_handle, "rollback to " + m_name);
    runQuietly(m_db, m_handle, "release " + m_name);
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
    const QString sql = outermost() ? QStringLiteral("commit") : "release " + m_name;
    // A commit that could not get its lock or write its files leaves the transaction open; it is
    // rolled back, so a failure means that nothing was stored.
    const auto abandon = [this] {
        if (outermost() && inTransaction(m_db, m_handle))
            runQuietly(m_db, m_handle, "rollback");
        m_done = outermost();
    };
    if (!m_handle) {
        QSqlError error;
        if (!ServerSql::Exec(m_db, sql, &error)) {
            abandon();
            ServerSql::Fail(error, kWhat);
        }
    } else {
        int rc = 0;
        if (!SqliteHandle::Exec(m_handle, sql.toLatin1().constData(), &rc)) {
            const QString detail = outermost() ? SqliteHandle::Message(m_handle) : QString();
            abandon();
            DatabaseError::Throw(rc, kWhat, detail);
        }
    }
    m_done = true;
}

SqlReadSnapshot::SqlReadSnapshot(const QSqlDatabase& db) : m_db(db), m_handle(sqliteOf(db)) {
    if (inTransaction(m_db, m_handle))
        return;
    run(m_db, m_handle, m_handle ? "begin" : "begin transaction isolation level repeatable read, read only");
    m_own = true;
}

SqlReadSnapshot::~SqlReadSnapshot() {
    // A read-only transaction has nothing to store; ending it only releases the read locks.
    if (m_own && inTransaction(m_db, m_handle))
        runQuietly(m_db, m_handle, "rollback");
}
