#include "NativeStatement.h"

#include "ServerSql.h"
#include "SqlSupport.h"
#include "SqliteHandle.h"

#include <QSqlDriver>
#include <QSqlField>
#include <sqlite3.h>

NativeStatement::NativeStatement(const QSqlDatabase& db, const char* sql)
    : m_connection(db), m_sql(QString::fromUtf8(sql)) {
    if (ServerSql::IsServer(db)) {
        const qsizetype values = m_sql.lastIndexOf(QLatin1String("values"), -1, Qt::CaseInsensitive);
        m_head = m_sql.left(values + 6);
        m_row.resize(size_t(m_sql.count(u'?')));
        return;
    }
    m_db = SqliteHandle::Of(db);
    if (sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

NativeStatement::~NativeStatement() {
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

void NativeStatement::fail(int code) const {
    SqliteHandle::Fail(m_db, code ? code : sqlite3_errcode(m_db), m_sql.simplified());
}

NativeStatement& NativeStatement::bind(int index, const QVariant& value) {
    if (!m_db) {
        m_row.at(size_t(index - 1)) = value;
        return *this;
    }
    if (value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
        return bind(index, value.toInt());
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (sqlite3_bind_int64(m_stmt, index, value.toLongLong()) != SQLITE_OK)
            fail();
        return *this;
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(index, value.toDouble());
    default:
        return bind(index, value.toString());
    }
}

NativeStatement& NativeStatement::bind(int index, double value) {
    if (!m_db)
        return bind(index, QVariant(value));
    if (sqlite3_bind_double(m_stmt, index, value) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bind(int index, int value) {
    if (!m_db)
        return bind(index, QVariant(value));
    if (sqlite3_bind_int(m_stmt, index, value) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bind(int index, const QString& text) {
    if (!m_db)
        return bind(index, QVariant(text));
    if (sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
    return *this;
}

NativeStatement& NativeStatement::bindBool(int index, bool value) {
    return m_db ? bind(index, int(value)) : bind(index, QVariant(value));
}

NativeStatement& NativeStatement::bindNull(int index) {
    if (!m_db)
        return bind(index, QVariant());
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        fail();
    return *this;
}

void NativeStatement::exec() {
    if (!m_db) {
        QStringList values;
        // Bound values stay for the next row, as SQLite keeps them.
        for (const QVariant& bound : m_row)
            values << ServerSql::Literal(m_connection, bound);
        m_rows << "(" + values.join(u',') + ")";
        if (m_rows.size() >= RowsPerStatement)
            flush();
        return;
    }
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(rc);
}

void NativeStatement::flush() {
    if (m_rows.isEmpty())
        return;
    const QString sql = m_head + ' ' + m_rows.join(u',');
    m_rows.clear();
    QSqlQuery q(m_connection);
    if (!q.exec(sql))
        ServerSql::Fail(q.lastError(), m_head.simplified());
}

void NativeStatement::finish() {
    if (!m_db)
        flush();
}
