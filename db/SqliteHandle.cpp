#include "SqliteHandle.h"

#include "DatabaseError.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace SqliteHandle {

sqlite3* Of(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    sqlite3* h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3* const*>(handle.constData());
    if (!h)
        throw RivwoodError("Chyba databáze: spojení s databází porostů není otevřeno.");
    return h;
}

bool InTransaction(sqlite3* handle) {
    return sqlite3_get_autocommit(handle) == 0;
}

bool Exec(sqlite3* handle, const char* sql, int* code) {
    const int rc = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
    if (code)
        *code = rc;
    return rc == SQLITE_OK;
}

QString Message(sqlite3* handle) {
    return QString::fromUtf8(sqlite3_errmsg(handle));
}

void Fail(sqlite3* handle, int code, const QString& what) {
    DatabaseError::Throw(code, what, Message(handle));
}

} // namespace SqliteHandle
