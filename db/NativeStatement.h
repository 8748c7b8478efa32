#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// An insert of many rows. The stand save inserts some two hundred rows per stand; binding through
// QSqlQuery costs more than the inserts themselves. On SQLite the statement is prepared on the
// connection's own handle and runs for each row; on a server the rows are gathered and sent as
// one multi-row insert per RowsPerStatement rows (a round trip per row would cost far more).
// Values are bound by position from 1; exec() takes the row; finish() sends what is gathered and
// must come before the rows are read. Errors are DatabaseErrors with their cause.
class NativeStatement {
  public:
    static constexpr int RowsPerStatement = 200;

    // `sql` is "insert into T (columns) values (?, …)".
    NativeStatement(const QSqlDatabase& db, const char* sql);
    ~NativeStatement();
    NativeStatement(const NativeStatement&) = delete;
    NativeStatement& operator=(const NativeStatement&) = delete;

    NativeStatement& bind(int index, double value);
    NativeStatement& bind(int index, int value);
    NativeStatement& bind(int index, const QString& text);
    // A BOOLEAN column: 0/1 on SQLite, true/false on a server.
    NativeStatement& bindBool(int index, bool value);
    NativeStatement& bindNull(int index);
    // A value as read from another database; a boolean column's value is given as bool.
    NativeStatement& bind(int index, const QVariant& value);
    void exec();
    void finish();

  private:
    // The error of a result code; 0 takes the connection's last one.
    [[noreturn]] void fail(int code = 0) const;
    void flush();

    QSqlDatabase m_connection;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    // A server's statement: its head up to "values", the row being bound, the rows as SQL
    // literals.
    QString m_head;
    std::vector<QVariant> m_row;
    QStringList m_rows;
};
