#include "CaliperFile.h"

#include "Cp1250.h"
#include "RivwoodError.h"

#include <QFile>

namespace CaliperFile {

QStringList SplitLines(const QByteArray& bytes) {
    const QString text = Cp1250::decode(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw IoError(QString("Soubor %1 nelze otevřít.").arg(path));
    if (f.size() > MaxFileSize)
        throw IoError(QString("Soubor %1 je příliš velký pro data registrační průměrky.").arg(path));
    const QByteArray bytes = f.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize)
        throw IoError(QString("Soubor %1 je příliš velký pro data registrační průměrky.").arg(path));
    if (f.error() != QFileDevice::NoError)
        throw IoError(QString("Soubor %1 nelze přečíst.").arg(path));
    return SplitLines(bytes);
}

} // namespace CaliperFile
