#include "NativeStatement.h"

#include "SqliteHandle.h"

#include <sqlite3.h>

NativeStatement::NativeStatement(const QSqlDatabase& db, const char* sql)
    : m_db(SqliteHandle::Of(db)), m_sql(QString::fromUtf8(sql)) {
    if (sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

NativeStatement::~NativeStatement() {
    sqlite3_finalize(m_stmt);
}

void NativeStatement::fail(int code) const {
    SqliteHandle::Fail(m_db, code ? code : sqlite3_errcode(m_db), m_sql.simplified());
}

NativeStatement& NativeStatement::bind(int index, double value) {
    if (sqlite3_bind_double(m_stmt, index, value) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bind(int index, int value) {
    if (sqlite3_bind_int(m_stmt, index, value) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bind(int index, const QString& text) {
    if (sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bindNull(int index) {
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        fail();
    return *this;
}

void NativeStatement::exec() {
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(rc);
}
