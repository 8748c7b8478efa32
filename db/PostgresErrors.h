#pragma once

#include "DatabaseError.h"

struct pg_conn;
struct pg_result;

// The Czech messages of a PostgreSQL server's errors, by SQLSTATE; never the SQL that failed.
namespace PostgresErrors {

// The cause of an SQLSTATE.
DatabaseError::Cause CauseOf(const char* sqlState);
// The error of a failed result, or of the connection when `result` is null or the connection is
// gone ("Spojení s databázovým serverem bylo přerušeno; změny nebyly uloženy.").
[[noreturn]] void Throw(pg_conn* connection, const pg_result* result);
// The message of a lost connection.
QString LostConnectionMessage();

} // namespace PostgresErrors
