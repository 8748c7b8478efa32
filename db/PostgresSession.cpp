#include "PostgresSession.h"

#include "PostgresErrors.h"
#include "RivwoodError.h"

#include <QHash>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstring>
#include <libpq-fe.h>
#include <optional>

namespace {

// Results wait in the socket while the queue grows; a sync now and then keeps both ends moving.
constexpr int kMaxUnsynced = 128;
// Gathered rows up to this many go as inserts, more with COPY.
constexpr size_t kInsertedRows = 1000;

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

// A number in network byte order, `bytes` long.
void putBigEndian(std::string& out, std::uint64_t value, int bytes);

// A server text cannot hold the NUL character (libpq would cut the text there without a word).
void requireNoNul(QStringView text) {
    if (text.contains(QChar(u'\0')))
        throw RivwoodError(QString("Text „%1“ obsahuje nepovolený znak NUL, databázový server jej nepřijme.")
                               .arg(text.left(40).toString().replace(QChar(u'\0'), QChar(u'\u2400'))));
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
    m_unsyncedWork = 0;
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
    ++m_unsyncedWork;
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
    m_unsyncedWork = 0;
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
        m_unsyncedWork = 0;
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

PostgresSession::RowBuffer& PostgresSession::rowBuffer(unsigned table, const std::string& name,
                                                       const std::string& columns) {
    for (const auto& b : m_rows)
        if (b->name == name && b->columns == columns)
            return *b;
    auto buffer = std::make_unique<RowBuffer>();
    buffer->table = table;
    buffer->name = name;
    buffer->columns = columns;
    buffer->numbered = table != StandTables::Por;
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
    std::vector<RowBuffer*> full;
    size_t rows = 0;
    bool binary = true;
    for (const auto& b : m_rows)
        if (!b->data.empty()) {
            full.push_back(b.get());
            rows += b->lines.size();
            binary = binary && b->binary;
        }
    if (full.empty())
        return;
    // A few rows (the save of one stand) go as inserts with the statements around them, without a
    // round trip of their own; COPY pays off for many.
    if (binary && rows <= kInsertedRows) {
        for (RowBuffer* b : full)
            sendInsert(*b);
        for (std::vector<size_t>& marks : m_rowMarks)
            std::fill(marks.begin(), marks.end(), 0);
        return;
    }
    // Each table's rows get their numbers in one go from its sequence (the write lock keeps other
    // programs from drawing numbers meanwhile), instead of one call of it per row on the server.
    std::vector<std::unique_ptr<PostgresStatement>> ranges;
    for (RowBuffer* b : full) {
        ranges.push_back(nullptr);
        if (!b->numbered)
            continue;
        ranges.back() = std::make_unique<PostgresStatement>(
            *this,
            QStringLiteral(
                "select setval(s, nextval(s) + ? - 1) from (select pg_get_serial_sequence(?, 'rowid') "
                "as s) as q"),
            false, 0);
        ranges.back()->bind(1, std::int64_t(b->lines.size())).bind(2, QString::fromStdString(b->name));
        ranges.back()->touching(0).open();
    }
    sync();
    // COPY runs outside the pipeline.
    PQexitPipelineMode(m_conn);
    const auto restore = [this] { PQenterPipelineMode(m_conn); };
    for (size_t n = 0; n < full.size(); ++n) {
        RowBuffer* b = full[n];
        std::string columns = b->columns;
        const std::string* data = &b->data;
        std::string numbered;
        if (ranges[n] && ranges[n]->next() && !ranges[n]->isNull(0)) {
            std::int64_t id = ranges[n]->integer(0) - std::int64_t(b->lines.size()) + 1;
            numbered.reserve(b->data.size() + b->lines.size() * 16);
            for (size_t line = 0; line < b->lines.size(); ++line) {
                const size_t from = b->lines[line];
                const size_t to = line + 1 < b->lines.size() ? b->lines[line + 1] : b->data.size();
                if (b->binary) {
                    // The field count grows by the number put first.
                    const unsigned fields =
                        (unsigned(std::uint8_t(b->data[from])) << 8) | std::uint8_t(b->data[from + 1]);
                    putBigEndian(numbered, fields + 1, 2);
                    putBigEndian(numbered, 8, 4);
                    putBigEndian(numbered, std::uint64_t(id++), 8);
                    numbered.append(b->data, from + 2, to - from - 2);
                } else {
                    AppendNumber(numbered, id++);
                    numbered += '\t';
                    numbered.append(b->data, from, to - from);
                }
            }
            columns = "rowid, " + columns;
            data = &numbered;
        }
        std::string framed;
        if (b->binary) {
            // Signature, flags and header extension; the rows; the end mark.
            framed.assign("PGCOPY\n\377\r\n\0", 11);
            putBigEndian(framed, 0, 4);
            putBigEndian(framed, 0, 4);
            framed += *data;
            putBigEndian(framed, 0xFFFF, 2);
            data = &framed;
        }
        const std::string copy =
            "copy " + b->name + " (" + columns + ") from stdin" + (b->binary ? " with (format binary)" : "");
        PGresult* r = PQexec(m_conn, copy.c_str());
        if (PQresultStatus(r) != PGRES_COPY_IN) {
            dropRows();
            restore();
            fail(r);
        }
        PQclear(r);
        bool sent = true;
        constexpr size_t chunk = 1 << 20;
        for (size_t at = 0; sent && at < data->size(); at += chunk)
            sent = PQputCopyData(m_conn, data->data() + at, int(std::min(chunk, data->size() - at))) == 1;
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
        b->lines.clear();
        b->keys.clear();
    }
    // What was sent is the server's to undo now.
    for (std::vector<size_t>& marks : m_rowMarks)
        std::fill(marks.begin(), marks.end(), 0);
    restore();
}

void PostgresSession::sendInsert(RowBuffer& b) {
    // The rows' fields in COPY's binary form are the values' binary form as parameters.
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::string sql = "insert into " + b.name + " (" + b.columns + ") values ";
    int parameter = 0;
    for (size_t line = 0; line < b.lines.size(); ++line) {
        size_t at = b.lines[line];
        const auto read = [&](int bytes) {
            std::uint64_t v = 0;
            for (int i = 0; i < bytes; ++i)
                v = (v << 8) | std::uint8_t(b.data[at++]);
            return v;
        };
        const int fields = int(read(2));
        sql += line == 0 ? "(" : ",(";
        for (int f = 0; f < fields; ++f) {
            const auto length = std::int32_t(std::uint32_t(read(4)));
            values.push_back(length < 0 ? nullptr : b.data.data() + at);
            lengths.push_back(std::max(length, 0));
            at += size_t(std::max(length, 0));
            sql += (f == 0 ? "$" : ",$") + std::to_string(++parameter);
        }
        sql += ')';
    }
    const std::vector<int> formats(values.size(), 1);
    if (m_unsynced >= kMaxUnsynced)
        sync();
    if (!PQsendQueryParams(m_conn, sql.c_str(), parameter, nullptr, values.data(), lengths.data(),
                           formats.data(), 0))
        fail(nullptr);
    m_pending.push_back({});
    ++m_unsynced;
    ++m_unsyncedWork;
    b.data.clear();
    b.lines.clear();
    b.keys.clear();
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
        while (!b.lines.empty() && b.lines.back() >= mark)
            b.lines.pop_back();
        // The keys stay as a superset: they only decide when the rows are sent.
    }
    m_rowMarks.pop_back();
}

void PostgresSession::dropRows() {
    for (const auto& b : m_rows) {
        b->data.clear();
        b->lines.clear();
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
    requireNoNul(text);
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

namespace {

// Type numbers of the server's catalogue.
enum : unsigned {
    Bool = 16,
    Int8 = 20,
    Int2 = 21,
    Int4 = 23,
    Text = 25,
    Float4 = 700,
    Float8 = 701,
    Bpchar = 1042,
    Varchar = 1043
};

bool binaryType(unsigned type) {
    switch (type) {
    case Bool:
    case Int8:
    case Int2:
    case Int4:
    case Text:
    case Float4:
    case Float8:
    case Bpchar:
    case Varchar:
        return true;
    }
    return false;
}

bool textType(unsigned type) {
    return type == Text || type == Bpchar || type == Varchar;
}

void putBigEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xFF);
}

// A floating-point number in a binary field: its IEEE bits, big-endian, after the length.
void putFloat4(std::string& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putBigEndian(out, 4, 4);
    putBigEndian(out, bits, 4);
}

void putFloat8(std::string& out, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    putBigEndian(out, 8, 4);
    putBigEndian(out, bits, 8);
}

// A whole number in a binary field of the column's type.
void putInteger(std::string& out, unsigned type, std::int64_t value) {
    switch (type) {
    case Bool:
        putBigEndian(out, 1, 4);
        out += char(value != 0 ? 1 : 0);
        return;
    case Int2:
    case Int4:
        if (value < (type == Int2 ? INT16_MIN : INT32_MIN) || value > (type == Int2 ? INT16_MAX : INT32_MAX))
            throw DatabaseError(DatabaseError::Other,
                                QString("Chyba databáze: hodnota %1 je mimo rozsah sloupce.").arg(value));
        putBigEndian(out, type == Int2 ? 2 : 4, 4);
        putBigEndian(out, std::uint64_t(value), type == Int2 ? 2 : 4);
        return;
    case Int8:
        putBigEndian(out, 8, 4);
        putBigEndian(out, std::uint64_t(value), 8);
        return;
    case Float4:
        putFloat4(out, float(value));
        return;
    case Float8:
        putFloat8(out, double(value));
        return;
    default: {
        std::string text;
        AppendNumber(text, value);
        putBigEndian(out, text.size(), 4);
        out += text;
    }
    }
}

void putDouble(std::string& out, unsigned type, double value) {
    switch (type) {
    case Float4:
        putFloat4(out, float(value));
        return;
    case Float8:
        putFloat8(out, value);
        return;
    case Bool:
        putInteger(out, type, value != 0 ? 1 : 0);
        return;
    case Int2:
    case Int4:
    case Int8:
        if (!(std::trunc(value) == value) || std::abs(value) > 9.2e18)
            throw DatabaseError(DatabaseError::Other,
                                QString("Chyba databáze: hodnota %1 není celé číslo.").arg(value));
        putInteger(out, type, std::int64_t(value));
        return;
    default: {
        std::string text;
        AppendNumber(text, value);
        putBigEndian(out, text.size(), 4);
        out += text;
    }
    }
}

} // namespace

PostgresInserter::PostgresInserter(PostgresSession& session, unsigned table, const QString& tableName,
                                   const QStringList& columns)
    : m_session(session), m_keep(session.shared_from_this()) {
    // The column types decide the form of the data.
    PostgresStatement q(
        session,
        "select upper(attname), atttypid from pg_attribute where attrelid = to_regclass(?) and "
        "attnum > 0 and not attisdropped",
        false, 0);
    q.bind(1, tableName).touching(0).open();
    QHash<QString, unsigned> types;
    while (q.next())
        types.insert(q.text(0), unsigned(q.integer(1)));
    bool binary = true;
    for (const QString& c : columns) {
        m_types.push_back(types.value(c.toUpper()));
        binary = binary && binaryType(m_types.back());
    }
    m_buffer =
        &session.rowBuffer(table, tableName.toStdString(), columns.join(QStringLiteral(", ")).toStdString());
    m_buffer->binary = binary;
    m_values.resize(size_t(columns.size()));
    for (int i = 1; i <= int(columns.size()); ++i)
        bindNull(i);
}

std::string& PostgresInserter::field(int index) {
    if (index < 1 || index > int(m_values.size()))
        throw DatabaseError(DatabaseError::Other, "Chyba databáze: hodnota mimo sloupce tabulky.");
    std::string& s = m_values[size_t(index - 1)];
    s.clear();
    return s;
}

SqlStatement& PostgresInserter::bindNull(int index) {
    std::string& s = field(index);
    if (m_buffer->binary)
        putBigEndian(s, 0xFFFFFFFFu, 4);
    else
        s = "\\N";
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, std::int64_t value) {
    std::string& s = field(index);
    if (m_buffer->binary)
        putInteger(s, m_types[size_t(index - 1)], value);
    else
        AppendNumber(s, value);
    if (index == 1)
        m_rowKey = int(value);
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, double value) {
    std::string& s = field(index);
    if (m_buffer->binary)
        putDouble(s, m_types[size_t(index - 1)], value);
    else
        AppendNumber(s, value);
    return *this;
}

SqlStatement& PostgresInserter::bind(int index, QStringView text) {
    if (text.isNull())
        return bindNull(index);
    requireNoNul(text);
    const unsigned type = m_types[size_t(index - 1)];
    if (m_buffer->binary && !textType(type)) {
        // A number kept as text by a file database goes into its number column as the number.
        double v = 0;
        const QByteArray latin = text.trimmed().toLatin1();
        const auto r = std::from_chars(latin.constData(), latin.constData() + latin.size(), v);
        if (r.ec != std::errc() || r.ptr != latin.constData() + latin.size())
            throw DatabaseError(DatabaseError::Other,
                                QString("Chyba databáze: text „%1“ není číslo.").arg(text.left(40)));
        return bind(index, v);
    }
    std::string& s = field(index);
    if (m_buffer->binary) {
        const QByteArray utf8 = text.toUtf8();
        putBigEndian(s, std::uint64_t(utf8.size()), 4);
        s.append(utf8.constData(), size_t(utf8.size()));
    } else {
        appendCopyText(s, text);
    }
    return *this;
}

SqlStatement& PostgresInserter::bindBool(int index, bool value) {
    if (m_buffer->binary)
        return bind(index, std::int64_t(value ? 1 : 0));
    field(index) = value ? "t" : "f";
    return *this;
}

void PostgresInserter::run() {
    std::string& data = m_buffer->data;
    m_buffer->lines.push_back(data.size());
    if (m_buffer->binary) {
        putBigEndian(data, m_values.size(), 2);
        for (const std::string& v : m_values)
            data += v;
    } else {
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (i > 0)
                data += '\t';
            data += m_values[i];
        }
        data += '\n';
    }
    m_buffer->keys.insert(m_rowKey);
}
