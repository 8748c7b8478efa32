#include "NativeRows.h"

#include "RivwoodError.h"
#include "ServerSql.h"
#include "SqlSupport.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

NativeRows::NativeRows(const QSqlDatabase& db, const QString& sql) : m_sql(sql) {
    if (ServerSql::IsServer(db)) {
        m_query.emplace(db);
        if (!m_query->exec(sql))
            SqlSupport::Fail(*m_query, sql.simplified());
        return;
    }
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3* const*>(handle.constData());
    if (!m_db)
        throw RivwoodError("Chyba databáze: spojení s databází porostů není otevřeno.");
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

NativeRows::~NativeRows() {
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

void NativeRows::fail() const {
    throw RivwoodError(
        QString("Chyba databáze: %1: %2").arg(m_sql.simplified(), QString::fromUtf8(sqlite3_errmsg(m_db))));
}

bool NativeRows::next() {
    if (m_query)
        return m_query->next();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail();
    return false;
}

bool NativeRows::isNull(int column) const {
    if (m_query)
        return m_query->isNull(column);
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 NativeRows::integer(int column) const {
    if (m_query)
        return m_query->value(column).toLongLong();
    return sqlite3_column_int64(m_stmt, column);
}

QString NativeRows::text(int column) const {
    if (m_query)
        return m_query->value(column).toString();
    const QByteArrayView b = bytes(column);
    return QString::fromUtf8(b.data(), b.size());
}

QByteArrayView NativeRows::bytes(int column) const {
    if (m_query) {
        m_text = m_query->value(column).toString().toUtf8();
        return m_text;
    }
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QByteArrayView(data, sqlite3_column_bytes(m_stmt, column));
}
