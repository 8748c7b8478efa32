#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>

class SqlStatement;

// The rows of a query of this layer, read one after another without building values: the page
// numbering reads a few columns of every stand and every summary row. Columns are numbered
// from 0. Errors are DatabaseErrors.
class RowCursor {
  public:
    explicit RowCursor(std::unique_ptr<SqlStatement> statement);
    RowCursor(RowCursor&&) noexcept;
    ~RowCursor();

    // The next row; false after the last.
    bool next();
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    QString text(int column) const;
    // The value as stored text (UTF-8), valid until the next row.
    QByteArrayView bytes(int column) const;

  private:
    std::unique_ptr<SqlStatement> m_statement;
};
