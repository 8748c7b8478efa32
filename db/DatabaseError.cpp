#include "DatabaseError.h"

#include <sqlite3.h>

DatabaseError::Cause DatabaseError::CauseOf(int sqliteCode) {
    switch (sqliteCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Busy;
    case SQLITE_FULL:
        return DiskFull;
    case SQLITE_IOERR:
        return Io;
    case SQLITE_READONLY:
        return ReadOnly;
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        return Denied;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Damaged;
    }
    return Other;
}

QString DatabaseError::MessageFor(Cause cause, const QString& what, const QString& detail) {
    switch (cause) {
    case Busy:
        return "Databázi právě používá jiný program. Zkuste to prosím znovu.";
    case DiskFull:
        return "Na disku s databází porostů není volné místo. Změny nebyly uloženy.";
    case Io:
        return "Soubory databáze porostů nelze číst nebo zapisovat (chyba disku nebo sítě).";
    case ReadOnly:
        return "Databáze porostů je jen pro čtení, změny do ní nelze uložit.";
    case Denied:
        return "K souborům databáze porostů nemáte přístup nebo je nelze otevřít.";
    case Damaged:
        return "Soubor databáze porostů je poškozen.";
    case NeedsPassword:
        return "Databázový server žádá heslo.";
    case Other:
        break;
    }
    return what.isEmpty() ? QString("Chyba databáze: %1").arg(detail)
                          : QString("Chyba databáze: %1: %2").arg(what, detail);
}

void DatabaseError::Throw(int sqliteCode, const QString& what, const QString& detail) {
    const Cause cause = CauseOf(sqliteCode);
    // A save interrupted on these files left its journal beside them; a reader that may not write
    // cannot undo it, but the files are not damaged.
    if (sqliteCode == SQLITE_READONLY_ROLLBACK || sqliteCode == SQLITE_READONLY_RECOVERY)
        throw DatabaseError(cause, InterruptedSaveMessage());
    throw DatabaseError(cause, MessageFor(cause, what, detail));
}

QString DatabaseError::InterruptedSaveMessage() {
    return "Databázi porostů je potřeba jednou otevřít s právem zápisu, aby se dokončilo přerušené ukládání. "
           "Do té doby ji nelze číst.";
}
