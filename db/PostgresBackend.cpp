#include "PostgresBackend.h"

#include "DatabaseSchema.h"
#include "PostgresErrors.h"
#include "PostgresSession.h"
#include "RivwoodError.h"

#include <QRegularExpression>
#include <algorithm>
#include <libpq-fe.h>

namespace {

// The key of the advisory lock that every write transaction takes.
constexpr qint64 kWriteLock = 0x52697677'6f6f64LL;

bool contains(const QString& text, const char* part) {
    return text.contains(QLatin1String(part), Qt::CaseInsensitive);
}

// The error of a connection that could not be made to the server shown as `address`.
[[noreturn]] void failConnection(PGconn* conn, const QString& address, bool passwordGiven) {
    const QString text = QString::fromUtf8(PQerrorMessage(conn));
    const bool usedPassword = PQconnectionUsedPassword(conn) || passwordGiven;
    if (PQconnectionNeedsPassword(conn))
        throw DatabaseError(DatabaseError::NeedsPassword,
                            QString("Databázový server „%1“ žádá heslo.").arg(address));
    if (contains(text, "password authentication failed") || contains(text, "authentication failed") ||
        (contains(text, "role") && contains(text, "does not exist")))
        throw DatabaseError(usedPassword ? DatabaseError::NeedsPassword : DatabaseError::Denied,
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

} // namespace

std::unique_ptr<PostgresBackend> PostgresBackend::Open(const ServerAddress& address, const QString& password,
                                                       int busyTimeoutMs, bool readOnlyMode) {
    std::vector<std::pair<QByteArray, QByteArray>> parameters = address.parameters();
    if (!password.isEmpty())
        parameters.emplace_back("password", password.toUtf8());
    parameters.emplace_back("client_encoding", "UTF8");
    parameters.emplace_back("fallback_application_name", "rivwood");
    std::vector<const char*> keys, values;
    for (const auto& [key, value] : parameters) {
        keys.push_back(key.constData());
        values.push_back(value.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (!conn)
        throw DatabaseError(DatabaseError::Io, PostgresErrors::LostConnectionMessage());
    if (PQstatus(conn) != CONNECTION_OK) {
        try {
            failConnection(conn, address.display(), !password.isEmpty());
        } catch (...) {
            PQfinish(conn);
            throw;
        }
    }
    // The busy timeout bounds every wait for a lock, the write lock of the transactions too; 0
    // would wait for ever. Notices ("already exists, skipping" of tables made by another program)
    // are no news.
    const std::string setup = "set lock_timeout = " + std::to_string(std::max(busyTimeoutMs, 1)) +
                              "; set client_min_messages = warning";
    PGresult* r = PQexec(conn, setup.c_str());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    if (!ok) {
        try {
            PostgresErrors::Throw(conn, r);
        } catch (...) {
            PQclear(r);
            PQfinish(conn);
            throw;
        }
    }
    PQclear(r);
    std::unique_ptr<PostgresBackend> backend(new PostgresBackend(std::make_shared<PostgresSession>(conn)));
    backend->survey(readOnlyMode);
    if (!backend->m_readOnly && !backend->m_empty)
        backend->createCollation(); // tables made by hand or restored without it
    return backend;
}

PostgresBackend::PostgresBackend(std::shared_ptr<PostgresSession> session) : m_session(std::move(session)) {}

PostgresBackend::~PostgresBackend() {
    dropStatements();
}

bool PostgresBackend::broken() const {
    return m_session->lost();
}

std::unique_ptr<SqlStatement> PostgresBackend::makeStatement(const QString& sql, bool kept) {
    return std::make_unique<PostgresStatement>(*m_session, sql, kept, ++m_statements);
}

std::unique_ptr<SqlStatement> PostgresBackend::prepare(const QString& sql) {
    return makeStatement(sql, false);
}

std::unique_ptr<SqlStatement> PostgresBackend::makeInserter(StandDatabase::Table table,
                                                            const QStringList& columns) {
    return std::make_unique<PostgresInserter>(*m_session, 1u << table,
                                              StandDatabase::TableName(table).toLower(), columns);
}

void PostgresBackend::execute(const QString& sql) {
    PostgresStatement s(*m_session, sql, false, 0);
    s.open();
    s.next();
}

void PostgresBackend::survey(bool readOnlyMode) {
    QStringList names;
    for (int t = 0; t < StandDatabase::TableCount; ++t)
        names << "'" + StandDatabase::TableName(StandDatabase::Table(t)).toLower() + "'";
    PostgresStatement q(
        *m_session,
        QString("select count(*), coalesce(bool_and(has_table_privilege(c.oid, 'insert') and "
                "has_table_privilege(c.oid, 'update') and has_table_privilege(c.oid, 'delete')), false), "
                "has_schema_privilege(current_schema(), 'create'), "
                "current_setting('transaction_read_only') = 'on' from pg_class c where c.relnamespace = "
                "(select oid from pg_namespace where nspname = current_schema()) and c.relkind in ('r', "
                "'p') and c.relname in (%1)")
            .arg(names.join(", ")),
        false, 0);
    q.open();
    if (!q.next())
        throw DatabaseError(DatabaseError::Other, "Chyba databáze: tabulky databáze porostů nelze spočítat.");
    const std::int64_t present = q.integer(0);
    m_empty = present == 0;
    m_complete = present == StandDatabase::TableCount || m_empty;
    const bool mayWrite = m_empty ? q.boolean(2) : q.boolean(1);
    const bool readOnly = readOnlyMode || !mayWrite || q.boolean(3);
    if (readOnly != m_readOnly)
        execute(QString("set session characteristics as transaction %1")
                    .arg(readOnly ? "read only" : "read write"));
    m_readOnly = readOnly;
    forgetColumns();
}

void PostgresBackend::createCollation() {
    {
        PostgresStatement q(*m_session,
                            "select count(*) from pg_collation where collname = 'czech' and "
                            "collnamespace = (select oid from pg_namespace where nspname = current_schema())",
                            false, 0);
        q.open();
        if (q.next() && q.integer(0) > 0)
            return;
    }
    // Each attempt in a savepoint of its own when a transaction is open, so a failed one leaves
    // it usable.
    for (const char* definition :
         {"(provider = icu, locale = 'cs-CZ-u-ks-level2')", "(locale = 'cs_CZ.utf8')", "from \"C\""}) {
        const bool inTransaction = m_depth > 0;
        if (inTransaction)
            m_session->sendCommand("savepoint czech_collation");
        try {
            execute(QString("create collation if not exists czech %1").arg(definition));
        } catch (const DatabaseError&) {
            if (inTransaction) {
                m_session->sendCommand("rollback to savepoint czech_collation", true);
                m_session->sync();
            }
            continue;
        }
        if (inTransaction)
            m_session->sendCommand("release savepoint czech_collation");
        return;
    }
}

void PostgresBackend::createTables() {
    begin(true);
    try {
        createCollation();
        for (int t = 0; t < StandDatabase::TableCount; ++t) {
            QString sql = Translate(DatabaseSchema::CreateStatement(StandDatabase::Table(t)));
            if (t != StandDatabase::Por)
                sql.insert(sql.indexOf(u'(') + 1, QStringLiteral("rowid bigserial, "));
            execute(sql);
        }
        commit();
    } catch (...) {
        rollback();
        throw;
    }
    forgetColumns();
}

void PostgresBackend::begin(bool write) {
    if (write) {
        m_session->sendCommand("begin");
        m_session->sendCommand(
            QString("select pg_advisory_xact_lock(%1)").arg(kWriteLock).toLatin1().constData());
    } else {
        m_session->sendCommand("begin transaction isolation level repeatable read, read only");
    }
    m_depth = 1;
}

void PostgresBackend::commit() {
    // The gathered rows go first; a commit that fails leaves nothing of the transaction behind.
    try {
        m_session->flushRows();
        PostgresStatement commit(*m_session, QStringLiteral("commit"), false, 0);
        commit.open();
        commit.next();
        // A transaction that an error had spoilt ends with ROLLBACK instead.
        if (commit.commandStatus() != "COMMIT")
            throw DatabaseError(DatabaseError::Other,
                                "Chyba databáze: databáze změny zrušila, nic z nich nebylo uloženo.");
    } catch (...) {
        rollback();
        throw;
    }
    m_depth = 0;
}

void PostgresBackend::rollback() {
    m_session->dropRows();
    m_depth = 0;
    m_session->sendCommand("rollback", true);
    m_session->push();
}

void PostgresBackend::savepoint() {
    m_session->sendCommand("savepoint rw");
    m_session->markRows();
    ++m_depth;
}

void PostgresBackend::releaseSavepoint() {
    // Errors of the unit's statements come out here, while the unit can still be undone alone. A
    // unit inside another unit leaves that to the enclosing one: its errors come out there, and
    // undoing the enclosing unit undoes it too.
    if (m_depth <= 2 && m_session->unsynced())
        m_session->sync();
    m_session->sendCommand("release savepoint rw");
    m_session->releaseRowMark();
    --m_depth;
}

void PostgresBackend::rollbackToSavepoint() {
    m_session->undoRows();
    --m_depth;
    m_session->sendCommand("rollback to savepoint rw", true);
    m_session->sendCommand("release savepoint rw", true);
}

bool PostgresBackend::transactionAlive() {
    // An error of a statement still on its way is the reason, and comes out as itself.
    m_session->sync();
    return PQtransactionStatus(m_session->connection()) == PQTRANS_INTRANS;
}

QStringList PostgresBackend::readColumns(StandDatabase::Table table) {
    // The table as the search path finds it, like every other statement.
    PostgresStatement q(
        *m_session,
        "select attname from pg_attribute where attrelid = to_regclass(?) and attnum > 0 and not "
        "attisdropped order by attnum",
        false, 0);
    q.bind(1, StandDatabase::TableName(table).toLower()).open();
    QStringList names;
    while (q.next())
        names.append(q.text(0).toUpper());
    return names;
}

void PostgresBackend::addColumn(StandDatabase::Table table, const QString& column, const QString& type) {
    execute(Translate(
        QString("alter table %1 add column %2 %3").arg(StandDatabase::TableName(table), column, type)));
    forgetColumns();
}

bool PostgresBackend::hasIndex(StandDatabase::Table, const QString& name) {
    PostgresStatement q(
        *m_session, "select count(*) from pg_indexes where schemaname = current_schema() and indexname = ?",
        false, 0);
    q.bind(1, name).open();
    return q.next() && q.integer(0) > 0;
}

void PostgresBackend::createIndex(StandDatabase::Table table, const QString& name,
                                  const QString& definition) {
    execute(QString("create index if not exists %1 on %2 %3")
                .arg(name, StandDatabase::TableName(table).toLower(), definition));
}

QString PostgresBackend::Translate(const QString& statement) {
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
