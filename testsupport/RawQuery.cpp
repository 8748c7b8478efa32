#include "RawQuery.h"

#include "RivwoodError.h"
#include "SqlStatement.h"
#include "StandDatabase.h"
#include "StoreBackend.h"

#include <QRegularExpression>

namespace testsupport {

RawQuery::RawQuery(StandDatabase& db) : m_db(db) {}
RawQuery::~RawQuery() = default;

bool RawQuery::prepare(const QString& sql) {
    m_values.clear();
    m_rows = false;
    m_sql = sql;
    try {
        m_statement = m_db.backend().prepare(sql);
    } catch (const RivwoodError& e) {
        m_statement.reset();
        m_error = e.message();
        return false;
    }
    return true;
}

void RawQuery::addBindValue(const QVariant& value) {
    m_values.push_back(value);
}

bool RawQuery::exec(const QString& sql) {
    return prepare(sql) && exec();
}

bool RawQuery::exec() {
    if (!m_statement)
        return false;
    try {
        for (size_t i = 0; i < m_values.size(); ++i)
            m_statement->bindValue(int(i) + 1, m_values[i]);
        const QString head = m_sql.trimmed().section(QRegularExpression("\\s"), 0, 0).toLower();
        m_rows = head == "select" || head == "pragma" || head == "with" ||
                 m_sql.contains(QStringLiteral(" returning "), Qt::CaseInsensitive);
        if (m_rows) {
            // The first row is read at once, so the statement has run (a pragma that sets a value
            // too) whether or not its rows are read.
            m_statement->open();
            m_first = m_statement->next();
            m_firstTaken = false;
        } else {
            m_statement->run();
            // The result is in (a server sends it when asked), errors too.
            m_statement->columnCount();
        }
    } catch (const RivwoodError& e) {
        m_error = e.message();
        return false;
    }
    return true;
}

bool RawQuery::next() {
    if (!m_statement || !m_rows)
        return false;
    if (!m_firstTaken) {
        m_firstTaken = true;
        return m_first;
    }
    try {
        return m_statement->next();
    } catch (const RivwoodError& e) {
        m_error = e.message();
        return false;
    }
}

QVariant RawQuery::value(int column) const {
    return m_statement ? m_statement->value(column) : QVariant();
}

QVariant RawQuery::value(const QString& name) const {
    for (int i = 0; i < columnCount(); ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return value(i);
    return {};
}

bool RawQuery::isNull(int column) const {
    return !m_statement || m_statement->isNull(column);
}

int RawQuery::columnCount() const {
    return m_statement ? m_statement->columnCount() : 0;
}

QString RawQuery::fieldName(int column) const {
    return m_statement ? m_statement->columnName(column) : QString();
}

} // namespace testsupport
