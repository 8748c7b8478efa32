#include "FileErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace FileErrorText {

QString FromSystemError(int error) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("na disku není volné místo");
    case EACCES:
    case EPERM:
        return QStringLiteral("nedostatečná oprávnění");
    case EROFS:
        return QStringLiteral("médium je jen pro čtení");
    case ENOENT:
        return QStringLiteral("soubor nebo adresář neexistuje");
    case ENOTDIR:
        return QStringLiteral("část cesty není adresář");
    case EISDIR:
        return QStringLiteral("na místě souboru je adresář");
    case EFBIG:
        return QStringLiteral("soubor je příliš velký");
    case ENAMETOOLONG:
        return QStringLiteral("název souboru je příliš dlouhý");
    case EIO:
        return QStringLiteral("chyba čtení nebo zápisu na zařízení");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("soubor používá jiný program");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("je otevřeno příliš mnoho souborů");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("zařízení není dostupné");
    case 0:
        return QStringLiteral("neznámá chyba systému");
    default:
        return QStringLiteral("chyba systému č. %1").arg(error);
    }
}

QString ReadFailure(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("soubor neexistuje");
    if (info.isDir())
        return FromSystemError(EISDIR);
    if (!info.isReadable())
        return FromSystemError(EACCES);
    return QStringLiteral("soubor nelze číst");
}

QString NotFound(const QString& path) {
    return QString("Soubor\r%1\rnebyl nalezen !").arg(QDir::toNativeSeparators(path));
}

} // namespace FileErrorText
