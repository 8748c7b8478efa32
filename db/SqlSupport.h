#pragma once

#include "DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>

// Small helpers over QSqlQuery: statements that must succeed end the command with a
// DatabaseError naming the cause (busy, disk full, …), or for other faults
// "Chyba databáze: <what>: <driver text>".
namespace SqlSupport {

[[noreturn]] void Fail(const QSqlQuery& query, const QString& what);
[[noreturn]] void Fail(const QSqlDatabase& db, const QString& what);
// The cause of a driver error.
DatabaseError::Cause CauseOf(const QSqlError& error);

// Prepares a statement; a statement that does not compile is a RivwoodError.
QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql);
// Binds the values positionally and executes a prepared statement.
void Exec(QSqlQuery& query, std::initializer_list<QVariant> values = {});
// Prepares, binds and executes one statement.
QSqlQuery Exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values = {});
// Executes and ignores any error; true when it ran.
bool TryExec(const QSqlDatabase& db, const QString& sql);

// A NULL-tolerant read of a column: empty reads as 0 / false / "".
double Number(const QSqlQuery& q, int column);
qlonglong Integer(const QSqlQuery& q, int column);
bool Boolean(const QSqlQuery& q, int column);
QString Text(const QSqlQuery& q, int column);

// A text cut to the width of its CHAR column.
QVariant Char(const QString& text, int width);

// Column names of a table of the connection (upper case).
QStringList Columns(const QSqlDatabase& db, const QString& table);

} // namespace SqlSupport
