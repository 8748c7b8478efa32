#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// The SQLite handle under an open QSQLITE connection, for what Qt does not offer: transaction
// state and exact result codes.
namespace SqliteHandle {

// The handle; a connection that is not open is a RivwoodError.
sqlite3* Of(const QSqlDatabase& db);
// True while the connection is inside a transaction.
bool InTransaction(sqlite3* handle);
// Runs a statement without results; false (with the result code) when it failed.
bool Exec(sqlite3* handle, const char* sql, int* code = nullptr);
// The database's text of the last failure.
QString Message(sqlite3* handle);
// The error of a result code, with the database's text.
[[noreturn]] void Fail(sqlite3* handle, int code, const QString& what);

} // namespace SqliteHandle
