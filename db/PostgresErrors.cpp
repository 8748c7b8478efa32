#include "PostgresErrors.h"

#include <QString>
#include <cstring>
#include <libpq-fe.h>

namespace PostgresErrors {

QString LostConnectionMessage() {
    return "Spojení s databázovým serverem bylo přerušeno; změny nebyly uloženy.";
}

DatabaseError::Cause CauseOf(const char* sqlState) {
    const QString state = QString::fromLatin1(sqlState ? sqlState : "");
    if (state == "55P03" || state == "40P01" || state == "40001" || state == "57014")
        return DatabaseError::Busy; // lock not available, deadlock, serialization, timeout
    if (state == "53100")
        return DatabaseError::DiskFull;
    if (state == "25006")
        return DatabaseError::ReadOnly;
    if (state == "42501" || state.startsWith("28"))
        return DatabaseError::Denied;
    if (state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03")
        return DatabaseError::Io;
    if (state.startsWith("XX"))
        return DatabaseError::Damaged;
    return DatabaseError::Other;
}

void Throw(pg_conn* connection, const pg_result* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const DatabaseError::Cause cause = CauseOf(state);
    if (!state || cause == DatabaseError::Io || (connection && PQstatus(connection) != CONNECTION_OK))
        throw DatabaseError(DatabaseError::Io, LostConnectionMessage());
    // The primary message alone: the server's context lines quote the statement.
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const QString detail = QString::fromUtf8(primary ? primary : "").trimmed();
    switch (cause) {
    case DatabaseError::DiskFull:
        throw DatabaseError(cause, "Databázový server nemá volné místo na disku. Změny nebyly uloženy.");
    case DatabaseError::Denied:
        throw DatabaseError(cause, "K databázi porostů na serveru nemáte potřebná práva.");
    case DatabaseError::Damaged:
        throw DatabaseError(cause, "Databázový server ohlásil vnitřní chybu: " + detail);
    default: // busy, read-only and other faults have the file database's messages
        break;
    }
    throw DatabaseError(cause, DatabaseError::MessageFor(cause, {}, detail));
}

} // namespace PostgresErrors
