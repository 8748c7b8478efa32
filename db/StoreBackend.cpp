#include "StoreBackend.h"

#include <QStringList>

StatementRef::StatementRef(StatementRef&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr)), m_inUse(std::exchange(other.m_inUse, nullptr)) {
}

StatementRef& StatementRef::operator=(StatementRef&& other) noexcept {
    if (this != &other) {
        release();
        m_statement = std::exchange(other.m_statement, nullptr);
        m_inUse = std::exchange(other.m_inUse, nullptr);
    }
    return *this;
}

StatementRef::~StatementRef() {
    release();
}

void StatementRef::release() {
    if (!m_statement)
        return;
    m_statement->reset();
    *m_inUse = false;
    m_statement = nullptr;
    m_inUse = nullptr;
}

StatementRef StoreBackend::take(std::unordered_map<QString, std::vector<std::unique_ptr<Kept>>>& cache,
                                const QString& key,
                                const std::function<std::unique_ptr<SqlStatement>()>& make) {
    std::vector<std::unique_ptr<Kept>>& copies = cache[key];
    for (const std::unique_ptr<Kept>& k : copies)
        if (!k->inUse) {
            k->inUse = true;
            return {k->statement.get(), &k->inUse};
        }
    // A second user of the same statement (a query read while it runs again) gets its own copy.
    auto kept = std::make_unique<Kept>();
    kept->statement = make();
    kept->inUse = true;
    copies.push_back(std::move(kept));
    return {copies.back()->statement.get(), &copies.back()->inUse};
}

StatementRef StoreBackend::statement(const QString& sql) {
    return take(m_kept, sql, [&] { return makeStatement(sql, true); });
}

StatementRef StoreBackend::inserter(StandDatabase::Table table, const QStringList& columns) {
    return take(m_inserters, QString::number(table) + ':' + columns.join(u','),
                [&] { return makeInserter(table, columns); });
}

std::unique_ptr<SqlStatement> StoreBackend::makeInserter(StandDatabase::Table table,
                                                         const QStringList& columns) {
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return makeStatement(QStringLiteral("insert into %1 (%2) values (%3)")
                             .arg(StandDatabase::TableName(table), columns.join(QStringLiteral(", ")),
                                  marks.join(QStringLiteral(", "))),
                         true);
}

QStringList StoreBackend::columns(StandDatabase::Table table) {
    const auto found = m_columns.constFind(table);
    if (found != m_columns.constEnd())
        return *found;
    return m_columns[table] = readColumns(table);
}

void StoreBackend::deleteStandRows(int key, std::initializer_list<StandDatabase::Table> tables) {
    for (const auto table : tables) {
        StatementRef del =
            statement(QStringLiteral("delete from %1 where KLIC = ?").arg(StandDatabase::TableName(table)));
        del->bind(1, key).touching(1u << table, key).run();
    }
}
