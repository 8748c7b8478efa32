#pragma once

#include <QSqlDatabase>
#include <QString>

// A unit of work on the connection: a savepoint, so units nest (a stand's save inside a bulk
// import's batch). Leaving the scope without commit() rolls the unit back, whatever it wrote.
class SqlTransaction {
  public:
    explicit SqlTransaction(QSqlDatabase db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    void commit();

  private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_done = false;
};
