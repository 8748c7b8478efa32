#include "ServerAddress.h"

#include "RivwoodError.h"

#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace {

// Waiting for a server that does not answer ends after this, unless the address says otherwise.
constexpr const char* kConnectTimeout = "connect_timeout=10";

QString schemeOf(const QString& text) {
    const qsizetype colon = text.indexOf(QStringLiteral("://"));
    return colon < 0 ? QString() : text.left(colon).toLower();
}

} // namespace

bool ServerAddress::IsServerAddress(const QString& text) {
    const QString scheme = schemeOf(text.trimmed());
    return scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
}

ServerAddress::ServerAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!IsServerAddress(trimmed) || !url.isValid() || url.path().count(u'/') > 1)
        throw RivwoodError(QString("Adresa databázového serveru „%1“ není platná. Zadejte ji ve tvaru "
                                   "postgresql://uživatel@server:port/databáze.")
                               .arg(QUrl(trimmed).toString(QUrl::RemovePassword)));
    m_url = url.toString(QUrl::FullyEncoded);
    m_display = url.toString(QUrl::RemovePassword);
}

void ServerAddress::apply(QSqlDatabase& db) const {
    const QUrl url(m_url, QUrl::StrictMode);
    db.setHostName(url.host());
    db.setPort(url.port());
    QString name = url.path();
    if (name.startsWith(u'/'))
        name.remove(0, 1);
    db.setDatabaseName(name);
    db.setUserName(url.userName());
    db.setPassword(url.password());
    QStringList options;
    bool timeout = false;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        // Values go into a libpq connection string: quoted, so spaces and quotes stay theirs.
        QString quoted = value;
        quoted.replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
        options << key + "='" + quoted + "'";
        timeout = timeout || key == QLatin1String("connect_timeout");
    }
    if (!timeout)
        options << QString::fromLatin1(kConnectTimeout);
    db.setConnectOptions(options.join(u';'));
}
