#include "ServerSql.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QVariant>
#include <libpq-fe.h>

namespace ServerSql {

namespace {

// The key of the advisory lock that every write transaction takes.
constexpr qint64 kWriteLock = 0x52697677'6f6f64LL;

PGconn* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

bool contains(const QString& text, const char* part) {
    return text.contains(QLatin1String(part), Qt::CaseInsensitive);
}

} // namespace

bool IsServer(const QSqlDatabase& db) {
    return db.driver() && db.driver()->dbmsType() == QSqlDriver::PostgreSQL;
}

State TransactionState(const QSqlDatabase& db) {
    PGconn* conn = handleOf(db);
    if (!conn)
        throw RivwoodError("Chyba databáze: spojení s databázovým serverem není otevřeno.");
    switch (PQtransactionStatus(conn)) {
    case PQTRANS_IDLE:
    case PQTRANS_UNKNOWN:
        return State::Idle;
    case PQTRANS_INERROR:
        return State::Failed;
    default:
        return State::InTransaction;
    }
}

bool Exec(const QSqlDatabase& db, const QString& sql, QSqlError* error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError();
    return false;
}

void LockForWrite(const QSqlDatabase& db) {
    QSqlError error;
    if (!Exec(db, QString("select pg_advisory_xact_lock(%1)").arg(kWriteLock), &error))
        Fail(error, "zámek zápisu");
}

QString Literal(const QSqlDatabase& db, const QVariant& value) {
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isNull()))
        return QStringLiteral("NULL");
    const QVariant v =
        value.typeId() == QMetaType::QByteArray ? QVariant(QString::fromUtf8(value.toByteArray())) : value;
    QSqlField field(QString(), v.metaType());
    field.setValue(v);
    return db.driver()->formatValue(field);
}

QString Inline(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> values) {
    QString out;
    out.reserve(sql.size() + 16 * qsizetype(values.size()));
    auto next = values.begin();
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == u'\'')
            quoted = !quoted;
        if (c == u'?' && !quoted && next != values.end())
            out += Literal(db, *next++);
        else
            out += c;
    }
    return out;
}

DatabaseError::Cause CauseOf(const QSqlError& error) {
    const QString state = error.nativeErrorCode();
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

void Fail(const QSqlError& error, const QString& what) {
    const DatabaseError::Cause cause = CauseOf(error);
    const QString detail = (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
    switch (cause) {
    case DatabaseError::DiskFull:
        throw DatabaseError(cause, "Databázový server nemá volné místo na disku. Změny nebyly uloženy.");
    case DatabaseError::Denied:
        throw DatabaseError(cause, "K databázi porostů na serveru nemáte potřebná práva.");
    case DatabaseError::Io:
        throw DatabaseError(cause, "Spojení s databázovým serverem bylo přerušeno. Změny, které nebyly "
                                   "dokončeny, nebyly uloženy.");
    case DatabaseError::Damaged:
        throw DatabaseError(cause, "Databázový server ohlásil vnitřní chybu: " + detail);
    default: // busy, read-only and other faults have the file database's messages
        break;
    }
    throw DatabaseError(cause, DatabaseError::MessageFor(cause, what, detail));
}

void FailConnection(const QSqlError& error, const QString& address) {
    const QString text = error.databaseText() + ' ' + error.driverText();
    if (contains(text, "password authentication failed") || contains(text, "no password supplied") ||
        contains(text, "authentication failed") ||
        (contains(text, "role") && contains(text, "does not exist")))
        throw DatabaseError(DatabaseError::Denied,
                            QString("Přihlášení k databázovému serveru „%1“ se nezdařilo: neznámý uživatel "
                                    "nebo chybné heslo.")
                                .arg(address));
    if (contains(text, "database") && contains(text, "does not exist"))
        throw DatabaseError(DatabaseError::Denied,
                            QString("Databáze „%1“ na serveru neexistuje.").arg(address));
    if (contains(text, "permission denied"))
        throw DatabaseError(DatabaseError::Denied, QString("K databázi „%1“ nemáte přístup.").arg(address));
    if (contains(text, "timeout expired"))
        throw DatabaseError(DatabaseError::Io, QString("Databázový server „%1“ neodpovídá.").arg(address));
    throw DatabaseError(DatabaseError::Io,
                        QString("K databázovému serveru „%1“ se nelze připojit (server neběží, je "
                                "nedostupný nebo odmítl spojení).")
                            .arg(address));
}

void CreateCollation(const QSqlDatabase& db) {
    {
        QSqlQuery q(db);
        if (q.exec("select 1 from pg_collation where collname = 'czech' and "
                   "collnamespace = (select oid from pg_namespace where nspname = current_schema())") &&
            q.next())
            return;
    }
    // Each attempt in a savepoint of its own when a transaction is open, so a failed one leaves
    // it usable.
    const bool inTransaction = TransactionState(db) != State::Idle;
    for (const char* definition :
         {"(provider = icu, locale = 'cs-CZ-u-ks-level2')", "(locale = 'cs_CZ.utf8')", "from \"C\""}) {
        if (inTransaction)
            Exec(db, "savepoint czech_collation");
        const bool created = Exec(db, QString("create collation if not exists czech %1").arg(definition));
        if (inTransaction)
            Exec(db, created ? "release savepoint czech_collation" : "rollback to savepoint czech_collation");
        if (created)
            return;
    }
}

QString Translate(const QString& statement) {
    static const QRegularExpression doubleType(QStringLiteral("\\bDOUBLE\\b(?!\\s+precision)"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression charType(QStringLiteral("\\bCHAR\\s*\\("),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression blobType(QStringLiteral("\\bBLOB\\s*(\\(\\s*\\d+\\s*\\))?"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression create(QStringLiteral("^\\s*create\\s+table\\s+(?!if\\s)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString s = statement;
    s.replace(doubleType, QStringLiteral("double precision"));
    s.replace(charType, QStringLiteral("varchar("));
    s.replace(blobType, QStringLiteral("text"));
    s.replace(create, QStringLiteral("create table if not exists "));
    return s;
}

} // namespace ServerSql
