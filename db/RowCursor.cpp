#include "RowCursor.h"

#include "SqlStatement.h"

RowCursor::RowCursor(std::unique_ptr<SqlStatement> statement) : m_statement(std::move(statement)) {}
RowCursor::RowCursor(RowCursor&&) noexcept = default;
RowCursor::~RowCursor() = default;

bool RowCursor::next() {
    return m_statement->next();
}

bool RowCursor::isNull(int column) const {
    return m_statement->isNull(column);
}

std::int64_t RowCursor::integer(int column) const {
    return m_statement->integer(column);
}

QString RowCursor::text(int column) const {
    return m_statement->text(column);
}

QByteArrayView RowCursor::bytes(int column) const {
    return m_statement->bytes(column);
}
