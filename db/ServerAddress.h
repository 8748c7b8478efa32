#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// The address of a stand database on a PostgreSQL server:
// postgresql://[user[:password]@][host][:port]/[database][?key=value&…]. A part left out falls
// back as in every PostgreSQL client: the environment (PGHOST, PGPORT, PGUSER, PGDATABASE, …),
// the password from ~/.pgpass or PGPASSWORD. Query keys are libpq connection keywords
// (sslmode=require, host=/run/postgresql, …). A password is used for the connection only; the
// address is shown and stored without it.
class ServerAddress {
  public:
    ServerAddress() = default;
    // Throws a RivwoodError naming the fault when `text` is not such an address.
    explicit ServerAddress(const QString& text);

    // True when the text is meant as a server address (starts with postgresql:// or postgres://),
    // as opposed to a database directory.
    static bool IsServerAddress(const QString& text);

    bool isEmpty() const { return m_url.isEmpty(); }
    // The address without the password, for messages and the settings file.
    const QString& display() const { return m_display; }
    // The libpq connection keywords of the address: host, port, dbname, user, password (when the
    // address has one) and the query keys; connect_timeout is 10 seconds unless given.
    std::vector<std::pair<QByteArray, QByteArray>> parameters() const;

    friend bool operator==(const ServerAddress& a, const ServerAddress& b) { return a.m_url == b.m_url; }

  private:
    QString m_url;
    QString m_display;
};
