#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class SqlStatement;
class StandDatabase;

namespace testsupport {

// A statement of a test on the stand database's own connection (either backend), to build odd
// rows and look at what the store wrote. Values bound by position ("?"); a failure is reported
// by exec() and lastError(), never thrown.
class RawQuery {
  public:
    explicit RawQuery(StandDatabase& db);
    ~RawQuery();

    bool exec(const QString& sql);
    bool prepare(const QString& sql);
    void addBindValue(const QVariant& value);
    bool exec();
    bool next();
    QVariant value(int column) const;
    QVariant value(const QString& name) const;
    bool isNull(int column) const;
    int columnCount() const;
    QString fieldName(int column) const;
    const QString& lastError() const { return m_error; }

  private:
    StandDatabase& m_db;
    std::unique_ptr<SqlStatement> m_statement;
    QString m_sql;
    std::vector<QVariant> m_values;
    bool m_rows = false;
    bool m_first = false, m_firstTaken = true;
    QString m_error;
};

} // namespace testsupport
