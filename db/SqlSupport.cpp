#include "SqlSupport.h"

#include "DatabaseError.h"

#include <QSqlError>

namespace SqlSupport {

namespace {
QString describe(const QSqlError& e) {
    QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.trimmed();
}

[[noreturn]] void fail(const QSqlError& e, const QString& what) {
    bool numeric = false;
    const int code = e.nativeErrorCode().toInt(&numeric);
    DatabaseError::Throw(numeric ? code : 1, what, describe(e));
}
} // namespace

void Fail(const QSqlQuery& query, const QString& what) {
    fail(query.lastError(), what);
}

void Fail(const QSqlDatabase& db, const QString& what) {
    fail(db.lastError(), what);
}

DatabaseError::Cause CauseOf(const QSqlError& error) {
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? DatabaseError::CauseOf(code) : DatabaseError::Other;
}

QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
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
    return text.left(width);
}

QStringList Columns(const QSqlDatabase& db, const QString& table) {
    // table_info finds the table in whichever attached file holds it.
    QSqlQuery q(db);
    if (!q.exec(QString("pragma table_info(%1)").arg(table)))
        Fail(q, "table_info " + table);
    QStringList names;
    while (q.next())
        names.append(q.value(1).toString().toUpper());
    return names;
}

} // namespace SqlSupport
