#include "SqlTransaction.h"

#include "SqlSupport.h"

#include <QSqlQuery>
#include <atomic>

namespace {
std::atomic<unsigned> g_counter{0};
}

SqlTransaction::SqlTransaction(QSqlDatabase db)
    : m_db(std::move(db)), m_name(QString("rw%1").arg(++g_counter)) {
    QSqlQuery q(m_db);
    if (!q.exec("savepoint " + m_name))
        SqlSupport::Fail(q, "savepoint");
}

SqlTransaction::~SqlTransaction() {
    if (m_done)
        return;
    QSqlQuery q(m_db);
    q.exec("rollback to " + m_name);
    q.exec("release " + m_name);
}

void SqlTransaction::commit() {
    QSqlQuery q(m_db);
    if (!q.exec("release " + m_name))
        SqlSupport::Fail(q, "commit");
    m_done = true;
}
