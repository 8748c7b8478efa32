#include "ServerAddress.h"

#include "RivwoodError.h"

#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace {

// Waiting for a server that does not answer ends after this, unless the address says otherwise.
constexpr const char* kConnectTimeout = "10";

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

std::vector<std::pair<QByteArray, QByteArray>> ServerAddress::parameters() const {
    const QUrl url(m_url, QUrl::StrictMode);
    std::vector<std::pair<QByteArray, QByteArray>> out;
    const auto add = [&out](const char* key, const QString& value) {
        if (!value.isEmpty())
            out.emplace_back(QByteArray(key), value.toUtf8());
    };
    add("host", url.host());
    if (url.port() > 0)
        add("port", QString::number(url.port()));
    QString name = url.path();
    if (name.startsWith(u'/'))
        name.remove(0, 1);
    add("dbname", name);
    add("user", url.userName());
    add("password", url.password());
    bool timeout = false;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        out.emplace_back(key.toUtf8(), value.toUtf8());
        timeout = timeout || key == QLatin1String("connect_timeout");
    }
    if (!timeout)
        out.emplace_back("connect_timeout", kConnectTimeout);
    return out;
}
