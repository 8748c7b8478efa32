#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace testsupport {

// A PostgreSQL cluster of its own for tests and benchmarks: initdb and pg_ctl of the installed
// server (/usr/lib/postgresql/<version>/bin) make it in a temporary directory, listening only on
// a socket there; run as "nobody" when we are root, as the server refuses to run as root. The
// process environment (PGHOST, PGPORT, PGUSER) then points every connection without a host at
// it, rivwood-cli processes started by the test too, so "postgresql:///NAME" is a database of the
// cluster. The destructor stops the server and removes the directory.
class ThrowawayCluster {
  public:
    // The cluster of this process, started at the first call; null, with the reason in
    // `whyNot`, when no server can be run here. `durable` keeps the server's fsync on (the
    // benchmark); tests run without it.
    static ThrowawayCluster* Shared(QString* whyNot, bool durable = false);
    ~ThrowawayCluster();
    ThrowawayCluster(const ThrowawayCluster&) = delete;
    ThrowawayCluster& operator=(const ThrowawayCluster&) = delete;

    // A new empty database on the cluster; its address "postgresql:///<prefix>_<n>".
    QString CreateDatabase(const QString& prefix = QStringLiteral("rivwood"));
    const QString& socketDirectory() const { return m_socket; }
    // The cluster's files (pg_hba.conf …).
    const QString& dataDirectory() const { return m_data; }

  private:
    ThrowawayCluster() = default;
    bool start(QString* whyNot, bool durable);

    QTemporaryDir m_dir{QStringLiteral("/tmp/rivwood-pg-XXXXXX")};
    QString m_bin, m_data, m_socket, m_user;
    QStringList m_runAs; // the command prefix that runs a server program as its owner
    bool m_running = false;
};

} // namespace testsupport
