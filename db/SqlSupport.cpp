#include "SqlSupport.h"

#include "DatabaseError.h"
#include "ServerSql.h"
#include "TextUtils.h"

#include <QSqlDriver>
#include <QSqlError>

namespace SqlSupport {

namespace {
QString describe(const QSqlError& e) {
    QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.trimmed();
}

[[noreturn]] void fail(const QSqlError& e, const QString& what, const QSqlDriver* driver) {
    if (driver && driver->dbmsType() == QSqlDriver::PostgreSQL)
        ServerSql::Fail(e, what);
    bool numeric = false;
    const int code = e.nativeErrorCode().toInt(&numeric);
    DatabaseError::Throw(numeric ? code : 1, what, describe(e));
}
} // namespace

void Fail(const QSqlQuery& query, const QString& what) {
    fail(query.lastError(), what, query.driver());
}

void Fail(const QSqlDatabase& db, const QString& what) {
    fail(db.lastError(), what, db.driver());
}

DatabaseError::Cause CauseOf(const QSqlError& error) {
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? DatabaseError::CauseOf(code) : DatabaseError::Other;
}

QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    // The server driver reads a forward-only result row by row and loses it when another
    // statement runs meanwhile; the store reads the rows of one query while running others.
    q.setForwardOnly(!ServerSql::IsServer(db));
    if (!q.prepare(sql))
        Fail(q, sql.simplified());
    return q;
}

void Exec(QSqlQuery& query, std::initializer_list<QVariant> values) {
    int i = 0;
    for (const QVariant& v : values)
        query.bindValue(i++, v);
    if (!query.exec())
        Fail(query, query.lastQuery().simplified());
}

QSqlQuery Exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values) {
    if (ServerSql::IsServer(db)) {
        // Sent in one piece: a statement run once costs one round trip instead of three, and a
        // server prepares only queries and data changes, not SET or DDL.
        QSqlQuery q(db);
        if (!q.exec(values.size() == 0 ? sql : ServerSql::Inline(db, sql, values)))
            Fail(q, sql.simplified());
        return q;
    }
    QSqlQuery q = Prepare(db, sql);
    Exec(q, values);
    return q;
}

bool TryExec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    return q.exec(sql);
}

double Number(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    return v.isNull() ? 0.0 : v.toDouble();
}

qlonglong Integer(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    return v.isNull() ? 0 : v.toLongLong();
}

bool Boolean(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    return !v.isNull() && v.toLongLong() != 0;
}

QString Text(const QSqlQuery& q, int column) {
    return q.value(column).toString();
}

QVariant Char(const QString& text, int width) {
    return CutAtCharacter(text, width);
}

QStringList Columns(const QSqlDatabase& db, const QString& table) {
    QStringList names;
    if (ServerSql::IsServer(db)) {
        // The table as the search path finds it, like every other statement.
        QSqlQuery q = Exec(db,
                           "select attname from pg_attribute where attrelid = to_regclass(?) and attnum > 0 "
                           "and not attisdropped order by attnum",
                           {table.toLower()});
        while (q.next())
            names.append(q.value(0).toString().toUpper());
        return names;
    }
    // table_info finds the table in whichever attached file holds it.
    QSqlQuery q(db);
    if (!q.exec(QString("pragma table_info(%1)").arg(table)))
        Fail(q, "table_info " + table);
    while (q.next())
        names.append(q.value(1).toString().toUpper());
    return names;
}

} // namespace SqlSupport
