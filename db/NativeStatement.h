#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement on the connection's own SQLite handle. The stand save inserts some two
// hundred rows per stand; binding through QSqlQuery costs more than the inserts themselves, so
// those rows go through here. Values are bound by position from 1; exec() runs the statement and
// makes it ready for the next row. Errors are DatabaseErrors with their cause.
class NativeStatement {
  public:
    NativeStatement(const QSqlDatabase& db, const char* sql);
    ~NativeStatement();
    NativeStatement(const NativeStatement&) = delete;
    NativeStatement& operator=(const NativeStatement&) = delete;

    NativeStatement& bind(int index, double value);
    NativeStatement& bind(int index, int value);
    NativeStatement& bind(int index, const QString& text);
    NativeStatement& bindNull(int index);
    void exec();

  private:
    // The error of a result code; 0 takes the connection's last one.
    [[noreturn]] void fail(int code = 0) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};
