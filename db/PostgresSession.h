#pragma once

#include "DatabaseError.h"
#include "SqlStatement.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

struct pg_conn;
struct pg_result;

class PostgresStatement;

// A libpq connection in pipeline mode. Statements are sent as they come and their results read
// only when someone needs them (sync()), so a save or a load of a stand costs one round trip
// however many statements it runs. Rows inserted through an inserter are gathered as COPY data
// per table and sent with COPY … FROM STDIN before any statement that could see them and at the
// commit; the savepoints of the transaction keep track of which gathered rows they may undo. The
// statements keep the session alive: one that outlives its database's connection ends harmlessly.
class PostgresSession : public std::enable_shared_from_this<PostgresSession> {
  public:
    explicit PostgresSession(pg_conn* connection);
    ~PostgresSession();
    PostgresSession(const PostgresSession&) = delete;
    PostgresSession& operator=(const PostgresSession&) = delete;

    pg_conn* connection() const { return m_conn; }

    // Sends a statement (a kept one is prepared on its first use); `statement` gets the result
    // when it comes, unless a later send of the same statement has replaced it meanwhile.
    void send(PostgresStatement* statement, const std::string& sql, const std::string* preparedName,
              bool needsPrepare, const std::vector<std::string>& values, const std::vector<char>& nulls);
    // Sends a statement without values whose result nobody reads; `quiet` drops its error (an
    // undo that has nothing left to undo).
    void sendCommand(const char* sql, bool quiet = false);
    // Reads every result sent so far; the first error of them is thrown.
    void sync();
    // Sends what is queued without waiting for it: its results (and errors) are dropped when the
    // next sync() comes.
    void push();
    // True when statements other than transaction steps were sent since the last sync.
    bool unsynced() const { return m_unsyncedWork > 0; }
    // A statement that goes away drops its results.
    void forget(const PostgresStatement* statement);

    // Rows gathered for COPY: one buffer per table and column list.
    struct RowBuffer {
        unsigned table = 0;   // StandTables bit
        std::string name;     // of the table
        std::string columns;  // "KLIC, DR_ZKR, …"
        bool numbered = true; // the rows are numbered by the table's rowid
        bool binary = false;  // COPY's binary form (else its text form)
        std::string data;
        std::vector<size_t> lines; // where each row starts in `data`
        std::unordered_set<int> keys;
    };
    RowBuffer& rowBuffer(unsigned table, const std::string& name, const std::string& columns);
    // Sends the gathered rows that a statement touching `tables` (of the stand `key` when not 0)
    // could meet.
    void beforeStatement(unsigned tables, int key);
    // Sends every gathered row.
    void flushRows();
    // Savepoints of the row buffers: opened, released into the enclosing one, undone.
    void markRows();
    void releaseRowMark();
    void undoRows();
    void dropRows();

    // The error of a failed result (or of the connection when null); marks a lost connection.
    [[noreturn]] void fail(const pg_result* result);
    bool lost() const;

  private:
    struct Pending {
        PostgresStatement* statement = nullptr; // receives the result
        unsigned long ticket = 0;
        std::string preparedName; // of a Prepare: remembered as prepared when it succeeds
        bool sync = false;        // the end of a pipeline segment
        bool quiet = false;       // errors dropped
    };
    void readUntilSync();
    // Sends a buffer's rows as one insert with the next statements.
    void sendInsert(RowBuffer& buffer);

    pg_conn* m_conn;
    std::deque<Pending> m_pending;
    int m_unsynced = 0;     // commands since the last sync marker
    int m_unsyncedWork = 0; // of them statements (not transaction steps)
    unsigned long m_tickets = 0;
    std::unordered_set<std::string> m_prepared;
    std::vector<std::unique_ptr<RowBuffer>> m_rows;
    std::vector<std::vector<size_t>> m_rowMarks; // buffer sizes at each open savepoint

    friend class PostgresStatement;
};

// A statement on a PostgresSession: values bound as text parameters, the result read whole.
class PostgresStatement : public SqlStatement {
  public:
    // `kept` statements are prepared on the server under a name of their own.
    PostgresStatement(PostgresSession& session, const QString& sql, bool kept, unsigned long id);
    ~PostgresStatement() override;

    SqlStatement& bindNull(int index) override;
    SqlStatement& bind(int index, std::int64_t value) override;
    SqlStatement& bind(int index, double value) override;
    SqlStatement& bind(int index, QStringView text) override;
    SqlStatement& bindBool(int index, bool value) override;

    void run() override;
    void open() override;
    bool next() override;
    void reset() override;

    int columnCount() const override;
    QString columnName(int column) const override;
    bool isNull(int column) const override;
    std::int64_t integer(int column) const override;
    double number(int column) const override;
    QString text(int column) const override;
    QByteArrayView bytes(int column) const override;
    bool boolean(int column) const override;
    QVariant value(int column) const override;
    // The command tag of the result ("COMMIT", "UPDATE 1", …).
    QByteArray commandStatus() const;

  private:
    friend class PostgresSession;
    void send();
    void receive(pg_result* result, unsigned long ticket);
    void ensureResult() const;
    std::string& slot(int index);

    PostgresSession& m_session;
    std::shared_ptr<PostgresSession> m_keep; // of m_session
    std::string m_sql;
    std::string m_name; // of a kept statement
    std::vector<std::string> m_values;
    std::vector<char> m_nulls;
    pg_result* m_result = nullptr;
    unsigned long m_awaited = 0; // ticket of the send whose result is wanted
    int m_row = -1;
};

// The inserter of one table's columns: each run() adds a row of COPY data to the session's
// buffer; nothing goes to the server until the buffer is flushed. Values are written in COPY's
// binary form for the column types the stand tables have (no number is printed and parsed
// again), in its text form when a table has columns of other types.
class PostgresInserter : public SqlStatement {
  public:
    PostgresInserter(PostgresSession& session, unsigned table, const QString& tableName,
                     const QStringList& columns);

    SqlStatement& bindNull(int index) override;
    SqlStatement& bind(int index, std::int64_t value) override;
    SqlStatement& bind(int index, double value) override;
    SqlStatement& bind(int index, QStringView text) override;
    SqlStatement& bindBool(int index, bool value) override;

    void run() override;
    void open() override { run(); }
    bool next() override { return false; }
    void reset() override {}
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
    std::string& field(int index);

    PostgresSession& m_session;
    std::shared_ptr<PostgresSession> m_keep; // of m_session
    PostgresSession::RowBuffer* m_buffer;
    std::vector<unsigned> m_types;     // of the columns, by the server's type numbers
    std::vector<std::string> m_values; // each in COPY's form, with its length in the binary one
    int m_rowKey = 0;
};

// Numbers as PostgreSQL reads them back exactly.
void AppendNumber(std::string& out, double value);
void AppendNumber(std::string& out, std::int64_t value);
