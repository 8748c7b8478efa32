#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// The rows of a query read straight from the connection's SQLite handle. The page numbering reads
// a few columns of every stand and every summary row; through QSqlQuery each value would cost
// more than reading it. On a server connection the rows come through QSqlQuery, the result being
// fetched whole anyway. Errors are RivwoodErrors with the database's message.
class NativeRows {
  public:
    NativeRows(const QSqlDatabase& db, const QString& sql);
    ~NativeRows();
    NativeRows(const NativeRows&) = delete;
    NativeRows& operator=(const NativeRows&) = delete;

    // The next row; false after the last.
    bool next();
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    // The value as stored text (UTF-8), valid until the next row.
    QByteArrayView bytes(int column) const;

  private:
    [[noreturn]] void fail() const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    std::optional<QSqlQuery> m_query; // a server's rows
    mutable QByteArray m_text;        // of bytes() on a server
};
