#include "PostgresSession.h"

#include "PostgresErrors.h"

#include <QStringList>
#include <charconv>
#include <cstring>
#include <libpq-fe.h>
#include <optional>

namespace {

// Results wait in the socket while the queue grows; a sync now and then keeps both ends moving.
constexpr int kMaxUnsynced = 128;

// The SQL with each "?" outside quotes numbered as PostgreSQL's parameters $1, $2, …
std::string numberParameters(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    std::string out;
    out.reserve(size_t(text.size()) + 16);
    bool quoted = false;
    int n = 0;
    for (const char c : text) {
        if (c == '\'')
            quoted = !quoted;
        if (c == '?' && !quoted)
            out += '$' + std::to_string(++n);
        else
            out += c;
    }
    return out;
}

int parameterCount(const QString& sql) {
    int n = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == u'\'')
            quoted = !quoted;
        else if (c == u'?' && !quoted)
            ++n;
    }
    return n;
}

// A text in COPY's text form: backslash, tab, newline and carriage return escaped.
void appendCopyText(std::string& out, QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

void noNotices(void*, const PGresult*) {
    // Warnings of the server ("there is no transaction in progress" …) are no news to the user.
}

} // namespace

void AppendNumber(std::string& out, double value) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, r.ptr);
}

void AppendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, r.ptr);
}

// --- session ---

PostgresSession::PostgresSession(pg_conn* connection) : m_conn(connection) {
    PQsetNoticeReceiver(m_conn, noNotices, nullptr);
    PQenterPipelineMode(m_conn);
}

PostgresSession::~PostgresSession() {
    if (PQstatus(m_conn) == CONNECTION_OK) {
        try {
            sync();
        } catch (const std::exception&) {
            // The connection goes away; so does whatever it had left to say.
        }
    }
    PQfinish(m_conn);
}

bool PostgresSession::lost() const {
    return PQstatus(m_conn) != CONNECTION_OK;
}

void PostgresSession::fail(const pg_result* result) {
    m_pending.clear();
    m_unsynced = 0;
    PostgresErrors::Throw(m_conn, result);
}

void PostgresSession::send(PostgresStatement* statement, const std::string& sql,
                           const std::string* preparedName, bool needsPrepare,
                           const std::vector<std::string>& values, const std::vector<char>& nulls) {
    if (lost())
        fail(nullptr);
    if (m_unsynced >= kMaxUnsynced)
        sync();
    std::vector<const char*> params(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        params[i] = nulls[i] ? nullptr : values[i].c_str();
    const int n = int(params.size());
    if (preparedName && needsPrepare) {
        if (!PQsendPrepare(m_conn, preparedName->c_str(), sql.c_str(), 0, nullptr))
            fail(nullptr);
        // Prepared from now on for the statements that follow; forgotten again if it fails.
        m_prepared.insert(*preparedName);
        Pending p;
        p.preparedName = *preparedName;
        m_pending.push_back(std::move(p));
        ++m_unsynced;
    }
    const int ok =
        preparedName
            ? PQsendQueryPrepared(m_conn, preparedName->c_str(), n, params.data(), nullptr, nullptr, 0)
            : PQsendQueryParams(m_conn, sql.c_str(), n, nullptr, params.data(), nullptr, nullptr, 0);
    if (!ok)
        fail(nullptr);
    Pending p;
    p.statement = statement;
    p.ticket = ++m_tickets;
    if (statement)
        statement->m_awaited = p.ticket;
    m_pending.push_back(std::move(p));
    ++m_unsynced;
}

void PostgresSession::sendCommand(const char* sql, bool quiet) {
    if (lost()) {
        if (quiet)
            return;
        fail(nullptr);
    }
    if (m_unsynced >= kMaxUnsynced)
        sync();
    if (!PQsendQueryParams(m_conn, sql, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
        if (quiet)
            return;
        fail(nullptr);
    }
    Pending p;
    p.quiet = quiet;
    m_pending.push_back(std::move(p));
    ++m_unsynced;
}

void PostgresSession::push() {
    if (m_unsynced == 0 || lost())
        return;
    for (Pending& p : m_pending)
        p.quiet = true;
    if (!PQpipelineSync(m_conn))
        return;
    Pending marker;
    marker.sync = true;
    m_pending.push_back(std::move(marker));
    m_unsynced = 0;
}

void PostgresSession::sync() {
    if (m_pending.empty())
        return;
    if (m_unsynced > 0) {
        if (!PQpipelineSync(m_conn))
            fail(nullptr);
        Pending marker;
        marker.sync = true;
        m_pending.push_back(std::move(marker));
        m_unsynced = 0;
    }
    readUntilSync();
}

void PostgresSession::readUntilSync() {
    std::optional<DatabaseError> error;
    while (!m_pending.empty()) {
        Pending p = std::move(m_pending.front());
        m_pending.pop_front();
        PGresult* r = PQgetResult(m_conn);
        if (!r) {
            // Nothing came where a result was due: the connection is gone.
            fail(nullptr);
        }
        const ExecStatusType status = PQresultStatus(r);
        if (p.sync) {
            PQclear(r);
            if (status != PGRES_PIPELINE_SYNC)
                fail(nullptr);
            continue;
        }
        if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK) {
            if (p.statement)
                p.statement->receive(r, p.ticket);
            else
                PQclear(r);
        } else {
            if (!p.preparedName.empty())
                m_prepared.erase(p.preparedName);
            if (status != PGRES_PIPELINE_ABORTED && !p.quiet && !error) {
                try {
                    PostgresErrors::Throw(m_conn, r);
                } catch (const DatabaseError& e) {
                    error = e;
                }
            }
            PQclear(r);
            if (PQstatus(m_conn) != CONNECTION_OK) {
                m_pending.clear();
                m_unsynced = 0;
                if (error)
                    throw *error;
                fail(nullptr);
            }
        }
        // Each command's results end with a null result.
        while (PGresult* extra = PQgetResult(m_conn))
            PQclear(extra);
    }
    if (error)
        throw *error;
}

void PostgresSession::forget(const PostgresStatement* statement) {
    for (Pending& p : m_pending)
        if (p.statement == statement)
            p.statement = nullptr;
}

// --- gathered rows ---

PostgresSession::RowBuffer& PostgresSession::rowBuffer(unsigned table, const std::string& copySql) {
    for (const auto& b : m_rows)
        if (b->copySql == copySql)
            return *b;
    auto buffer = std::make_unique<RowBuffer>();
    buffer->table = table;
    buffer->copySql = copySql;
    m_rows.push_back(std::move(buffer));
    // Open savepoints saw this buffer empty.
    for (std::vector<size_t>& marks : m_rowMarks)
        marks.resize(m_rows.size(), 0);
    return *m_rows.back();
}

void PostgresSession::beforeStatement(unsigned tables, int key) {
    for (const auto& b : m_rows)
        if (!b->data.empty() && (b->table & tables) && (key == 0 || b->keys.count(key))) {
            flushRows();
            return;
        }
}

void PostgresSession::flushRows() {
    bool any = false;
    for (const auto& b : m_rows)
        any = any || !b->data.empty();
    if (!any)
        return;
    sync();
    // COPY runs outside the pipeline.
    PQexitPipelineMode(m_conn);
    const auto restore = [this] { PQenterPipelineMode(m_conn); };
    for (const auto& b : m_rows) {
        if (b->data.empty())
            continue;
        PGresult* r = PQexec(m_conn, b->copySql.c_str());
        if (PQresultStatus(r) != PGRES_COPY_IN) {
            dropRows();
            restore();
            fail(r);
        }
        PQclear(r);
        bool sent = true;
        constexpr size_t chunk = 1 << 20;
        for (size_t at = 0; sent && at < b->data.size(); at += chunk)
            sent = PQputCopyData(m_conn, b->data.data() + at, int(std::min(chunk, b->data.size() - at))) == 1;
        sent = PQputCopyEnd(m_conn, sent ? nullptr : "aborted") == 1 && sent;
        r = PQgetResult(m_conn);
        const bool ok = sent && PQresultStatus(r) == PGRES_COMMAND_OK;
        while (PGresult* extra = PQgetResult(m_conn))
            PQclear(extra);
        if (!ok) {
            dropRows();
            restore();
            fail(r);
        }
        PQclear(r);
        b->data.clear();
        b->keys.clear();
    }
    // What was sent is the server's to undo now.
    for (std::vector<size_t>& marks : m_rowMarks)
        std::fill(marks.begin(), marks.end(), 0);
    restore();
}

void PostgresSession::markRows() {
    std::vector<size_t> sizes;
    for (const auto& b : m_rows)
        sizes.push_back(b->data.size());
    m_rowMarks.push_back(std::move(sizes));
}

void PostgresSession::releaseRowMark() {
    if (!m_rowMarks.empty())
        m_rowMarks.pop_back();
}

void PostgresSession::undoRows() {
    if (m_rowMarks.empty())
        return;
    const std::vector<size_t>& marks = m_rowMarks.back();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        RowBuffer& b = *m_rows[i];
        const size_t mark = i < marks.size() ? marks[i] : 0;
        if (b.data.size() > mark)
            b.data.resize(mark);
        // The keys stay as a superset: they only decide when the rows are sent.
    }
    m_rowMarks.pop_back();
}

void PostgresSession::dropRows() {
    for (const auto& b : m_rows) {
        b->data.clear();
        b->keys.clear();
    }
    m_rowMarks.clear();
}

// --- statement ---

PostgresStatement::PostgresStatement(PostgresSession& session, const QString& sql, bool kept,
                                     unsigned long id)
    : m_session(session), m_sql(numberParameters(sql)) {
    if (kept)
        m_name = "rivwood_" + std::to_string(id);
    const int n = parameterCount(sql);
    m_values.resize(size_t(n));
    m_nulls.assign(size_t(n), 1);
}

PostgresStatement::~PostgresStatement() {
    m_session.forget(this);
    PQclear(m_result);
}

std::string& PostgresStatement::slot(int index) {
    if (index < 1 || index > int(m_values.size()))
        throw DatabaseError(DatabaseError::Other, "Chyba databáze: hodnota mimo parametry příkazu.");
    m_nulls[size_t(index - 1)] = 0;
    std::string& s = m_values[size_t(index - 1)];
    s.clear();
    return s;
}

SqlStatement& PostgresStatement::bindNull(int index) {
    slot(index);
    m_nulls[size_t(index - 1)] = 1;
    return *this;
}

SqlStatement& PostgresStatement::bind(int index, std::int64_t value) {
    AppendNumber(slot(index), value);
    return *this;
}

SqlStatement& PostgresStatement::bind(int index, double value) {
    AppendNumber(slot(index), value);
    return *this;
}

SqlStatement& PostgresStatement::bind(int index, QStringView text) {
    if (text.isNull())
        return bindNull(index);
    const QByteArray utf8 = text.toUtf8();
    slot(index).assign(utf8.constData(), size_t(utf8.size()));
    return *this;
}

SqlStatement& PostgresStatement::bindBool(int index, bool value) {
    slot(index) = value ? "t" : "f";
    return *this;
}

void PostgresStatement::send() {
    m_session.beforeStatement(m_tables, m_key);
    m_tables = StandTables::All;
    m_key = 0;
    PQclear(m_result);
    m_result = nullptr;
    m_row = -1;
    const bool prepared = !m_name.empty();
    m_session.send(this, m_sql, prepared ? &m_name : nullptr, prepared && !m_session.m_prepared.count(m_name),
                   m_values, m_nulls);
}

void PostgresStatement::run() {
    send();
}

void PostgresStatement::open() {
    send();
}

void PostgresStatement::receive(pg_result* result, unsigned long ticket) {
    if (ticket != m_awaited) {
        PQclear(result);
        return;
    }
    PQclear(m_result);
    m_result = result;
    m_awaited = 0;
}

void PostgresStatement::ensureResult() const {
    if (m_awaited != 0)
        m_session.sync();
}

bool PostgresStatement::next() {
    ensureResult();
    if (!m_result)
        return false;
    if (m_row + 1 >= PQntuples(m_result))
        return false;
    ++m_row;
    return true;
}

void PostgresStatement::reset() {
    // A result still on its way is dropped when it comes.
    m_awaited = 0;
    PQclear(m_result);
    m_result = nullptr;
    m_row = -1;
}

int PostgresStatement::columnCount() const {
    ensureResult();
    return m_result ? PQnfields(m_result) : 0;
}

QString PostgresStatement::columnName(int column) const {
    ensureResult();
    return m_result ? QString::fromUtf8(PQfname(m_result, column)) : QString();
}

bool PostgresStatement::isNull(int column) const {
    return !m_result || m_row < 0 || PQgetisnull(m_result, m_row, column);
}

std::int64_t PostgresStatement::integer(int column) const {
    if (isNull(column))
        return 0;
    const char* v = PQgetvalue(m_result, m_row, column);
    const size_t n = size_t(PQgetlength(m_result, m_row, column));
    std::int64_t out = 0;
    if (n == 1 && (v[0] == 't' || v[0] == 'f'))
        return v[0] == 't' ? 1 : 0;
    if (std::from_chars(v, v + n, out).ec != std::errc())
        return std::int64_t(number(column));
    return out;
}

double PostgresStatement::number(int column) const {
    if (isNull(column))
        return 0;
    const char* v = PQgetvalue(m_result, m_row, column);
    const size_t n = size_t(PQgetlength(m_result, m_row, column));
    double out = 0;
    if (n == 1 && (v[0] == 't' || v[0] == 'f'))
        return v[0] == 't' ? 1 : 0;
    std::from_chars(v, v + n, out);
    return out;
}

QString PostgresStatement::text(int column) const {
    if (isNull(column))
        return {};
    return QString::fromUtf8(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
}

QByteArrayView PostgresStatement::bytes(int column) const {
    if (isNull(column))
        return {};
    return QByteArrayView(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
}

bool PostgresStatement::boolean(int column) const {
    return integer(column) != 0;
}

QVariant PostgresStatement::value(int column) const {
    ensureResult();
    if (!m_result || column < 0 || column >= PQnfields(m_result))
        return {};
    // Type numbers of the server's catalogue.
    enum : Oid { Bool = 16, Int8 = 20, Int2 = 21, Int4 = 23, Float4 = 700, Float8 = 701, Numeric = 1700 };
    const Oid type = PQftype(m_result, column);
    if (isNull(column)) {
        switch (type) {
        case Bool:
            return QVariant(QMetaType::fromType<bool>());
        case Int2:
        case Int4:
        case Int8:
            return QVariant(QMetaType::fromType<qlonglong>());
        case Float4:
        case Float8:
        case Numeric:
            return QVariant(QMetaType::fromType<double>());
        default:
            return QVariant(QMetaType::fromType<QString>());
        }
    }
    switch (type) {
    case Bool:
        return QVariant(boolean(column));
    case Int2:
    case Int4:
    case Int8:
        return QVariant(qlonglong(integer(column)));
    case Float4:
    case Float8:
    case Numeric:
        return QVariant(number(column));
    default:
        return QVariant(text(column));
    }
}

QByteArray PostgresStatement::commandStatus() const {
    ensureResult();
    return m_result ? QByteArray(PQcmdStatus(m_result)) : QByteArray();
}

// --- inserter ---

PostgresInserter::PostgresInserter(PostgresSession& session, unsigned table, const QString& tableName,
                                   const QStringList& columns)
    : m_session(session) {
    const std::string sql = QStringLiteral("copy %1 (%2) from stdin")
                                .arg(tableName, columns.join(QStringLiteral(", ")))
                                .toStdString();
    m_buffer = &session.rowBuffer(table, sql);
    m_values.assign(size_t(columns.size()), "\\N");
}

SqlStatement& PostgresInserter::bindNull(int index) {
    m_values.at(size_t(index - 1)) = "\\N";
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, std::int64_t value) {
    std::string& s = m_values.at(size_t(index - 1));
    s.clear();
    AppendNumber(s, value);
    if (index == 1)
        m_rowKey = int(value);
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, double value) {
    std::string& s = m_values.at(size_t(index - 1));
    s.clear();
    AppendNumber(s, value);
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, QStringView text) {
    if (text.isNull())
        return bindNull(index);
    std::string& s = m_values.at(size_t(index - 1));
    s.clear();
    appendCopyText(s, text);
    return *this;
}

SqlStatement& PostgresInserter::bindBool(int index, bool value) {
    m_values.at(size_t(index - 1)) = value ? "t" : "f";
    return *this;
}

void PostgresInserter::run() {
    std::string& data = m_buffer->data;
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (i > 0)
            data += '\t';
        data += m_values[i];
    }
    data += '\n';
    m_buffer->keys.insert(m_rowKey);
}
