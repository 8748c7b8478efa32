#include "SqliteBackend.h"

#include "CzechCollation.h"
#include "DatabaseError.h"
#include "DatabaseSchema.h"
#include "RivwoodError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// Schema names of the attached files.
const char* const kSchemas[StandDatabase::TableCount] = {"main", "dre", "tlo", "ses", "vys"};

QByteArray uriOf(const QString& path, bool readOnly) {
    return (QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            (readOnly ? "?mode=ro" : "?mode=rw"))
        .toUtf8();
}

QString messageOf(sqlite3* handle) {
    return QString::fromUtf8(sqlite3_errmsg(handle));
}

// The error of a table file that could not be opened or read; a file that is only locked is
// busy, not damaged.
[[noreturn]] void failFile(sqlite3* handle, int code, const QString& file) {
    const DatabaseError::Cause cause = DatabaseError::CauseOf(code);
    switch (cause) {
    case DatabaseError::Busy:
    case DatabaseError::ReadOnly:
        DatabaseError::Throw(code, {}, {});
    case DatabaseError::Io:
    case DatabaseError::Denied:
        throw DatabaseError(cause,
                            QString("%1 Soubor: „%2“.").arg(DatabaseError::MessageFor(cause, {}, {}), file));
    default:
        break;
    }
    const QString detail = handle ? messageOf(handle).trimmed() : QString();
    throw DatabaseError(DatabaseError::Damaged,
                        QString("Soubor „%1“ není databázový soubor porostů nebo je poškozen%2.")
                            .arg(file, detail.isEmpty() ? QString() : " (" + detail + ")"));
}

// Texts as the files store them: equal bytes need no collator (a sort mostly compares equal
// rivers and banks), the others are compared as Czech texts.
int compareUtf8(void*, int lengthA, const void* a, int lengthB, const void* b) {
    if (lengthA == lengthB && std::memcmp(a, b, size_t(lengthA)) == 0)
        return 0;
    return CzechCollation::Compare(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                                   QString::fromUtf8(static_cast<const char*>(b), lengthB));
}

// A statement on the connection's handle.
class SqliteStatement : public SqlStatement {
  public:
    SqliteStatement(sqlite3* handle, const QString& sql, bool kept) : m_handle(handle) {
        const QByteArray text = sql.toUtf8();
        const int rc = sqlite3_prepare_v3(handle, text.constData(), int(text.size()),
                                          kept ? SQLITE_PREPARE_PERSISTENT : 0, &m_stmt, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
        m_columns = sqlite3_column_count(m_stmt);
    }
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    SqlStatement& bindNull(int index) override { return check(sqlite3_bind_null(idle(), index)); }
    SqlStatement& bind(int index, std::int64_t value) override {
        return check(sqlite3_bind_int64(idle(), index, value));
    }
    SqlStatement& bind(int index, double value) override {
        return check(sqlite3_bind_double(idle(), index, value));
    }
    SqlStatement& bind(int index, QStringView text) override {
        // A null text is NULL, as a bound QString always was.
        if (text.isNull())
            return bindNull(index);
        return check(
            sqlite3_bind_text16(idle(), index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT));
    }
    SqlStatement& bindBool(int index, bool value) override {
        return check(sqlite3_bind_int(idle(), index, value ? 1 : 0));
    }

    void run() override {
        sqlite3_reset(m_stmt);
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_DONE) {
            sqlite3_reset(m_stmt);
            fail(rc);
        }
        sqlite3_reset(m_stmt);
    }
    void open() override { sqlite3_reset(m_stmt); }
    bool next() override {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        sqlite3_reset(m_stmt);
        if (rc != SQLITE_DONE)
            fail(rc);
        return false;
    }
    void reset() override { sqlite3_reset(m_stmt); }

    int columnCount() const override { return m_columns; }
    QString columnName(int column) const override {
        return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
    }
    bool isNull(int column) const override { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    std::int64_t integer(int column) const override { return sqlite3_column_int64(m_stmt, column); }
    double number(int column) const override { return sqlite3_column_double(m_stmt, column); }
    QString text(int column) const override {
        const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(m_stmt, column));
        return data
                   ? QString(reinterpret_cast<const QChar*>(data), sqlite3_column_bytes16(m_stmt, column) / 2)
                   : QString();
    }
    QByteArrayView bytes(int column) const override {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QByteArrayView(data, sqlite3_column_bytes(m_stmt, column));
    }
    bool boolean(int column) const override { return sqlite3_column_int64(m_stmt, column) != 0; }
    QVariant value(int column) const override {
        if (column < 0 || column >= m_columns)
            return {};
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, column));
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
            return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
        }
        default:
            return QVariant(text(column));
        }
    }

  private:
    // Values are bound to a statement that is not running: one still on its rows is reset.
    sqlite3_stmt* idle() {
        if (sqlite3_stmt_busy(m_stmt))
            sqlite3_reset(m_stmt);
        return m_stmt;
    }
    SqlStatement& check(int rc) {
        if (rc != SQLITE_OK)
            fail(rc);
        return *this;
    }
    [[noreturn]] void fail(int rc) const { DatabaseError::Throw(rc, {}, messageOf(m_handle)); }

    sqlite3* m_handle;
    sqlite3_stmt* m_stmt = nullptr;
    int m_columns = 0;
};

// The inserter of one table's columns: rows are gathered and written several in one statement
// (the work of a statement is then shared by them, which halves the cost of a row).
class SqliteInserter : public SqlStatement {
  public:
    static constexpr int RowsPerStatement = 16;

    SqliteInserter(sqlite3* handle, const QString& table, const QStringList& columns)
        : m_handle(handle),
          m_head(QStringLiteral("insert into %1 (%2) values ").arg(table, columns.join(u','))),
          m_columns(int(columns.size())), m_row(size_t(m_columns)) {
        m_rows.resize(size_t(RowsPerStatement * m_columns));
    }
    ~SqliteInserter() override {
        for (sqlite3_stmt* s : m_statements)
            sqlite3_finalize(s);
    }

    SqlStatement& bindNull(int index) override {
        slot(index).type = SQLITE_NULL;
        return *this;
    }
    SqlStatement& bind(int index, std::int64_t value) override {
        Value& v = slot(index);
        v.type = SQLITE_INTEGER;
        v.integer = value;
        return *this;
    }
    SqlStatement& bind(int index, double value) override {
        Value& v = slot(index);
        v.type = SQLITE_FLOAT;
        v.number = value;
        return *this;
    }
    SqlStatement& bind(int index, QStringView text) override {
        if (text.isNull())
            return bindNull(index);
        Value& v = slot(index);
        v.type = SQLITE_TEXT;
        v.text.assign(text.utf16(), size_t(text.size()));
        return *this;
    }
    SqlStatement& bindBool(int index, bool value) override {
        return bind(index, std::int64_t(value ? 1 : 0));
    }

    void run() override {
        std::copy(m_row.begin(), m_row.end(), m_rows.begin() + std::ptrdiff_t(m_pending * m_columns));
        if (++m_pending == RowsPerStatement)
            finish();
    }
    void finish() override {
        if (m_pending == 0)
            return;
        sqlite3_stmt* s = statementFor(m_pending);
        int index = 1;
        for (size_t i = 0; i < size_t(m_pending * m_columns); ++i, ++index) {
            const Value& v = m_rows[i];
            int rc = SQLITE_OK;
            switch (v.type) {
            case SQLITE_INTEGER:
                rc = sqlite3_bind_int64(s, index, v.integer);
                break;
            case SQLITE_FLOAT:
                rc = sqlite3_bind_double(s, index, v.number);
                break;
            case SQLITE_TEXT:
                rc = sqlite3_bind_text16(s, index, v.text.data(), int(v.text.size() * 2), SQLITE_STATIC);
                break;
            default:
                rc = sqlite3_bind_null(s, index);
            }
            if (rc != SQLITE_OK)
                fail(rc);
        }
        m_pending = 0;
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE)
            fail(rc);
    }
    void open() override { run(); }
    bool next() override { return false; }
    void reset() override { m_pending = 0; }
    int columnCount() const override { return 0; }
    QString columnName(int) const override { return {}; }
    bool isNull(int) const override { return true; }
    std::int64_t integer(int) const override { return 0; }
    double number(int) const override { return 0; }
    QString text(int) const override { return {}; }
    QByteArrayView bytes(int) const override { return {}; }
    bool boolean(int) const override { return false; }
    QVariant value(int) const override { return {}; }

  private:
    struct Value {
        int type = SQLITE_NULL;
        std::int64_t integer = 0;
        double number = 0;
        std::u16string text;
    };
    Value& slot(int index) {
        if (index < 1 || index > m_columns)
            fail(SQLITE_RANGE);
        return m_row[size_t(index - 1)];
    }
    // The statement of `rows` rows, prepared at its first use.
    sqlite3_stmt* statementFor(int rows) {
        if (m_statements.size() < size_t(rows))
            m_statements.resize(size_t(rows), nullptr);
        sqlite3_stmt*& s = m_statements[size_t(rows - 1)];
        if (!s) {
            QStringList marks;
            for (int c = 0; c < m_columns; ++c)
                marks << QStringLiteral("?");
            const QString row = '(' + marks.join(u',') + ')';
            QStringList values;
            for (int r = 0; r < rows; ++r)
                values << row;
            const QByteArray sql = (m_head + values.join(u',')).toUtf8();
            const int rc = sqlite3_prepare_v3(m_handle, sql.constData(), int(sql.size()),
                                              SQLITE_PREPARE_PERSISTENT, &s, nullptr);
            if (rc != SQLITE_OK)
                fail(rc);
        }
        return s;
    }
    [[noreturn]] void fail(int rc) const { DatabaseError::Throw(rc, {}, messageOf(m_handle)); }

    sqlite3* m_handle;
    QString m_head;
    int m_columns;
    std::vector<Value> m_row;  // the row being bound
    std::vector<Value> m_rows; // the rows gathered
    int m_pending = 0;
    std::vector<sqlite3_stmt*> m_statements;
};

// Runs `work` on a connection of its own to one file, closed afterwards. Another program creating
// the same tables at the same time is waited for.
template <typename Work> void withFile(const QString& path, int busyTimeoutMs, Work work) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(handle, busyTimeoutMs);
        work(handle);
    }
    sqlite3_close_v2(handle);
}

bool execQuietly(sqlite3* handle, const QString& sql) {
    return sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

QString SqliteBackend::SchemaName(StandDatabase::Table table) {
    return QString::fromLatin1(kSchemas[table]);
}

std::unique_ptr<SqliteBackend> SqliteBackend::Open(const QString& directory, bool readOnly,
                                                   int busyTimeoutMs) {
    if (directory.isEmpty() || !QFileInfo(directory).isDir())
        throw RivwoodError(
            QString("Adresář databáze „%1“ neexistuje.").arg(QDir::toNativeSeparators(directory)));
    QString paths[StandDatabase::TableCount];
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        paths[t] = StandDatabase::TablePath(directory, StandDatabase::Table(t));
        if (!QFileInfo(paths[t]).isFile())
            throw RivwoodError(QString("V adresáři databáze „%1“ chybí soubor %2.")
                                   .arg(QDir::toNativeSeparators(directory),
                                        StandDatabase::FileName(StandDatabase::Table(t))));
    }
    sqlite3* handle = nullptr;
    const int flags = SQLITE_OPEN_URI | (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    const int rc =
        sqlite3_open_v2(uriOf(paths[StandDatabase::Por], readOnly).constData(), &handle, flags, nullptr);
    // The backend owns the handle from here on, an unopened one too.
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(handle));
    if (rc != SQLITE_OK)
        failFile(handle, rc, QDir::toNativeSeparators(paths[StandDatabase::Por]));
    backend->m_readOnly = readOnly;
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, busyTimeoutMs);
    sqlite3_create_collation(handle, CzechCollation::Name, SQLITE_UTF8, nullptr, compareUtf8);
    // Savepoints of the stand saves keep their undo pages in memory.
    execQuietly(handle, QStringLiteral("pragma temp_store = memory"));
    // Each file must be an SQLite database holding its own table; each is checked as soon as it
    // is opened, so an error names the file at fault.
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        const QString file = QDir::toNativeSeparators(paths[t]);
        try {
            if (t > 0) {
                SqliteStatement attach(handle, QString("attach database ? as %1").arg(kSchemas[t]), false);
                const QByteArray uri = uriOf(paths[t], readOnly);
                attach.bind(1, QString::fromUtf8(uri)).run();
            }
            // A bulk write of many stands stays in memory until its commit instead of spilling
            // pages into the files half-way (which costs a journal sync of its own).
            SqliteStatement(handle, QString("pragma %1.cache_size = -16384").arg(kSchemas[t]), false).open();
            // The schema is read already while the statement is prepared.
            const auto tables = [&](bool ours) -> std::int64_t {
                SqliteStatement count(handle,
                                      QString("select count(*) from %1.sqlite_master where type = 'table'%2")
                                          .arg(kSchemas[t], ours ? " and lower(name) = ?" : ""),
                                      false);
                if (ours)
                    count.bind(1, StandDatabase::TableName(StandDatabase::Table(t)).toLower());
                count.open();
                return count.next() ? count.integer(0) : 0;
            };
            bool present = tables(true) > 0;
            // A file without any table is one that another program has just made and is creating
            // its table in: its table is waited for a while before the file counts as foreign.
            QElapsedTimer waited;
            waited.start();
            while (!present && tables(false) == 0 && waited.elapsed() < std::min(busyTimeoutMs, 5000)) {
                QThread::msleep(20);
                present = tables(true) > 0;
            }
            if (!present)
                throw RivwoodError(QString("Soubor „%1“ neobsahuje tabulku %2.")
                                       .arg(file, StandDatabase::TableName(StandDatabase::Table(t))));
        } catch (const DatabaseError& e) {
            // A hot journal on read-only media, a locked file: the error says so as it is.
            if (e.cause() == DatabaseError::Busy || e.cause() == DatabaseError::ReadOnly)
                throw;
            failFile(handle, sqlite3_extended_errcode(handle), file);
        }
    }
    return backend;
}

SqliteBackend::~SqliteBackend() {
    dropStatements();
    sqlite3_close_v2(m_handle);
}

void SqliteBackend::CreateTables(const QString& directory, int busyTimeoutMs) {
    if (!QFileInfo(directory).isDir())
        return;
    for (int t = 0; t < StandDatabase::TableCount; ++t) {
        const auto table = StandDatabase::Table(t);
        withFile(StandDatabase::TablePath(directory, table), busyTimeoutMs, [&](sqlite3* handle) {
            execQuietly(handle, DatabaseSchema::CreateStatement(table)); // an existing table keeps its rows
        });
    }
}

void SqliteBackend::DropOldTables(const QString& directory, int busyTimeoutMs) {
    const QDir dir(directory);
    if (!dir.exists())
        return;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& table : DatabaseSchema::OldTableNames()) {
        for (const QString& entry : entries) {
            if (entry.compare(table + ".db", Qt::CaseInsensitive) != 0)
                continue;
            const QString path = dir.filePath(entry);
            bool dropped = false, leftEmpty = false;
            withFile(path, busyTimeoutMs, [&](sqlite3* handle) {
                dropped = execQuietly(handle, "Drop Table " + table);
                sqlite3_stmt* count = nullptr;
                if (sqlite3_prepare_v2(handle, "select count(*) from sqlite_master", -1, &count, nullptr) ==
                        SQLITE_OK &&
                    sqlite3_step(count) == SQLITE_ROW)
                    leftEmpty = sqlite3_column_int(count, 0) == 0;
                sqlite3_finalize(count);
            });
            if (dropped && leftEmpty)
                QFile::remove(path);
        }
    }
}

std::unique_ptr<SqlStatement> SqliteBackend::makeStatement(const QString& sql, bool kept) {
    return std::make_unique<SqliteStatement>(m_handle, sql, kept);
}

std::unique_ptr<SqlStatement> SqliteBackend::makeInserter(StandDatabase::Table table,
                                                          const QStringList& columns) {
    return std::make_unique<SqliteInserter>(m_handle, StandDatabase::TableName(table), columns);
}

std::unique_ptr<SqlStatement> SqliteBackend::prepare(const QString& sql) {
    return makeStatement(sql, false);
}

void SqliteBackend::control(const char* sql, const char* what) {
    StatementRef s = statement(QString::fromLatin1(sql));
    try {
        s->run();
    } catch (const DatabaseError&) {
        // The cause as it was, under the name of the step.
        DatabaseError::Throw(sqlite3_extended_errcode(m_handle), QString::fromUtf8(what),
                             messageOf(m_handle));
    }
}

void SqliteBackend::begin(bool write) {
    // A write takes the write lock at once, waiting through the busy handler while another
    // program writes, so reads and writes inside never meet a lock half-way.
    control(write ? "begin immediate" : "begin", "transakce");
    m_depth = 1;
}

void SqliteBackend::commit() {
    // A commit that could not get its lock or write its files leaves the transaction open; it is
    // rolled back, so a failure means that nothing was stored.
    int rc = SQLITE_OK;
    QString detail;
    {
        StatementRef s = statement(QStringLiteral("commit"));
        try {
            s->run();
        } catch (const DatabaseError&) {
            rc = sqlite3_extended_errcode(m_handle);
            detail = messageOf(m_handle);
        }
    }
    if (rc != SQLITE_OK) {
        rollback();
        DatabaseError::Throw(rc, QStringLiteral("transakce"), detail);
    }
    m_depth = 0;
}

void SqliteBackend::rollback() {
    m_depth = 0;
    if (sqlite3_get_autocommit(m_handle) == 0)
        sqlite3_exec(m_handle, "rollback", nullptr, nullptr, nullptr);
}

void SqliteBackend::savepoint() {
    control("savepoint rw", "transakce");
    ++m_depth;
}

void SqliteBackend::releaseSavepoint() {
    control("release rw", "transakce");
    --m_depth;
}

void SqliteBackend::rollbackToSavepoint() {
    --m_depth;
    if (sqlite3_get_autocommit(m_handle) != 0)
        return;
    sqlite3_exec(m_handle, "rollback to rw", nullptr, nullptr, nullptr);
    sqlite3_exec(m_handle, "release rw", nullptr, nullptr, nullptr);
}

bool SqliteBackend::transactionAlive() {
    return sqlite3_get_autocommit(m_handle) == 0;
}

QStringList SqliteBackend::readColumns(StandDatabase::Table table) {
    // table_info finds the table in whichever attached file holds it.
    QStringList names;
    SqliteStatement q(
        m_handle, QString("pragma %1.table_info(%2)").arg(kSchemas[table], StandDatabase::TableName(table)),
        false);
    q.open();
    while (q.next())
        names.append(q.text(1).toUpper());
    return names;
}

void SqliteBackend::addColumn(StandDatabase::Table table, const QString& column, const QString& type) {
    SqliteStatement(
        m_handle,
        QString("alter table %1 add column %2 %3").arg(StandDatabase::TableName(table), column, type), false)
        .run();
    forgetColumns();
}

bool SqliteBackend::hasIndex(StandDatabase::Table table, const QString& name) {
    SqliteStatement q(m_handle,
                      QString("select count(*) from %1.sqlite_master where type = 'index' and name = ?")
                          .arg(kSchemas[table]),
                      false);
    q.bind(1, name).open();
    return q.next() && q.integer(0) > 0;
}

void SqliteBackend::createIndex(StandDatabase::Table table, const QString& name, const QString& definition) {
    SqliteStatement(m_handle,
                    QString("create index if not exists %1.%2 on %3 %4")
                        .arg(kSchemas[table], name, StandDatabase::TableName(table).toLower(), definition),
                    false)
        .run();
}
