#include "CaliperFile.h"

#include "CaliperLines.h"
#include "Cp1250.h"
#include "RivwoodError.h"

#include <QFileInfo>

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
    const CaliperLines lines = CaliperLines::FromFile(path);
    if (QFileInfo(path).size() > MaxFileSize)
        throw IoError(QString("Soubor %1 je příliš velký pro data registrační průměrky.").arg(path));
    return lines.ToList();
}

} // namespace CaliperFile
