#include "ThrowawayCluster.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr const char* kPort = "5432"; // names the socket file only: nothing listens on TCP

// The bin directory of the newest installed server.
QString serverBin() {
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(),
              [&](const QString& a, const QString& b) { return numeric(b, a); });
    for (const QString& v : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        if (QFile::exists(bin + "/initdb") && QFile::exists(bin + "/pg_ctl"))
            return bin;
    }
    return {};
}

// Runs a program to its end; its output on failure.
bool run(const QStringList& command, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(command.first(), command.mid(1));
    const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && output)
        *output = command.join(u' ') + ": " + QString::fromLocal8Bit(p.readAll()).trimmed() +
                  (p.error() == QProcess::FailedToStart ? " " + p.errorString() : QString());
    return ok;
}

std::atomic<int> g_databases{0};

} // namespace

ThrowawayCluster* ThrowawayCluster::Shared(QString* whyNot, bool durable) {
    static QString reason;
    static const std::unique_ptr<ThrowawayCluster> cluster = [&] {
        std::unique_ptr<ThrowawayCluster> c(new ThrowawayCluster);
        if (!c->start(&reason, durable))
            c.reset();
        return c;
    }();
    if (!cluster && whyNot)
        *whyNot = reason;
    return cluster.get();
}

bool ThrowawayCluster::start(QString* whyNot, bool durable) {
    m_bin = serverBin();
    if (m_bin.isEmpty())
        return *whyNot = "no PostgreSQL server installed (/usr/lib/postgresql/*/bin/initdb)", false;
    if (!m_dir.isValid())
        return *whyNot = "no temporary directory", false;
    m_data = m_dir.filePath("data");
    m_socket = m_dir.filePath("socket");
    QDir().mkpath(m_data);
    QDir().mkpath(m_socket);
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || !QFile::exists("/usr/sbin/runuser"))
            return *whyNot = "running as root without user nobody or runuser", false;
        for (const QString& path : {m_data, m_socket})
            if (chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
                return *whyNot = "cannot hand the cluster directory to nobody", false;
        chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        m_user = "nobody";
        m_runAs = {"/usr/sbin/runuser", "-u", "nobody", "--"};
    } else {
        const passwd* me = getpwuid(geteuid());
        m_user = me ? QString::fromLocal8Bit(me->pw_name) : QString("postgres");
    }
    QString output;
    if (!run(m_runAs + QStringList{m_bin + "/initdb", "-D", m_data, "-U", m_user, "-A", "trust", "-E", "UTF8",
                                   "--locale=C", "--no-sync"},
             &output))
        return *whyNot = output, false;
    const QString options =
        QString("-k %1 -p %2 -c listen_addresses='' -c max_connections=60%3")
            .arg(m_socket, kPort, durable ? "" : " -c fsync=off -c synchronous_commit=off");
    if (!run(m_runAs + QStringList{m_bin + "/pg_ctl", "-D", m_data, "-l",
                                   QDir(m_socket).filePath("server.log"), "-w", "-o", options, "start"},
             &output)) {
        QFile log(QDir(m_socket).filePath("server.log"));
        if (log.open(QIODevice::ReadOnly))
            output += "\n" + QString::fromLocal8Bit(log.readAll());
        return *whyNot = output, false;
    }
    m_running = true;
    qputenv("PGHOST", QFile::encodeName(m_socket));
    qputenv("PGPORT", kPort);
    qputenv("PGUSER", m_user.toLocal8Bit());
    for (const char* unset : {"PGPASSWORD", "PGDATABASE", "PGSERVICE", "PGHOSTADDR"})
        qunsetenv(unset);
    return true;
}

ThrowawayCluster::~ThrowawayCluster() {
    if (!m_running)
        return;
    // At the end of the process: a plain command, as Qt may be gone.
    QStringList command =
        m_runAs + QStringList{m_bin + "/pg_ctl", "-D", m_data, "-m", "immediate", "-w", "stop"};
    for (QString& part : command)
        part = "'" + part + "'";
    const QByteArray line = (command.join(u' ') + " >/dev/null 2>&1").toLocal8Bit();
    [[maybe_unused]] const int rc = std::system(line.constData());
}

QString ThrowawayCluster::CreateDatabase(const QString& prefix) {
    const QString name = QString("%1_%2_%3").arg(prefix).arg(getpid()).arg(++g_databases);
    const QString connection = "throwaway-cluster-" + name;
    bool ok = false;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", connection);
        db.setDatabaseName("postgres");
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec("create database " + name);
            error = q.lastError().text();
        } else {
            error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok)
        qFatal("create database %s: %s", qPrintable(name), qPrintable(error));
    return "postgresql:///" + name;
}

} // namespace testsupport
