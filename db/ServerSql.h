#pragma once

#include "DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>
#include <initializer_list>

// What the stand database needs of a PostgreSQL connection beyond plain queries: the transaction
// state, the write lock shared by every program on the database, the Czech messages of server
// errors and the server's spelling of the table layout.
namespace ServerSql {

// True for a connection through the QPSQL driver.
bool IsServer(const QSqlDatabase& db);

enum class State { Idle, InTransaction, Failed };
// The connection's transaction state; Failed is a transaction that an error ended, whose changes
// will not be stored.
State TransactionState(const QSqlDatabase& db);

// Runs a statement without results; false when it failed (the error is the query's).
bool Exec(const QSqlDatabase& db, const QString& sql, QSqlError* error = nullptr);
// Takes the database's write lock for the running transaction, waiting while another program
// holds it at most the connection's lock_timeout (the busy timeout, set when it is opened). Every write
// transaction of every program takes it first, so writes (and the key allocation in them) follow one after
// another. A lock not got in time is a Busy DatabaseError.
void LockForWrite(const QSqlDatabase& db);

// A value as an SQL literal of the server (NULL for a null value or a null text, as a bound value
// would be); a text read from a BLOB column of a file database is the text of its bytes.
QString Literal(const QSqlDatabase& db, const QVariant& value);
// The statement with each "?" outside quotes replaced by the literal of its value: one round trip
// to the server instead of preparing, running and freeing a statement that runs once.
QString Inline(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values);

// The cause of a server error by its SQLSTATE.
DatabaseError::Cause CauseOf(const QSqlError& error);
// The error of a failed statement: the Czech message of its cause, or for other faults
// "Chyba databáze: <what>: <server text>".
[[noreturn]] void Fail(const QSqlError& error, const QString& what);
// The error of a connection that could not be opened to the server shown as `address`; the
// address is shown without its password.
[[noreturn]] void FailConnection(const QSqlError& error, const QString& address);

// The collation "czech" on the server (ICU cs-CZ case-insensitive, else the system's cs_CZ
// locale, else byte order when the server has neither), created when missing.
void CreateCollation(const QSqlDatabase& db);
// A CREATE TABLE or ALTER TABLE statement of the file layout in the server's types: DOUBLE is
// double precision, CHAR(n) varchar(n) (not padded), BLOB text; tables get "if not exists".
QString Translate(const QString& statement);

} // namespace ServerSql
