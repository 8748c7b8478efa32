#include "CaliperLines.h"

#include "CaliperFile.h"
#include "Cp1250.h"
#include "FileErrorText.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

CaliperLines CaliperLines::FromFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw IoError(
            QString("Soubor %1 nelze otevřít: %2.").arg(shown(path), FileErrorText::ReadFailure(path)));
    const QFileInfo info(path);
    CaliperLines lines;
    lines.m_path = path;
    lines.m_size = info.size();
    lines.m_modified = info.lastModified();
    return lines;
}

void CaliperLines::ForEach(const Visitor& visit) const {
    if (!m_path.isEmpty()) {
        forEachInFile(visit);
        return;
    }
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (!visit(i, m_lines[i]))
            return;
}

QStringList CaliperLines::ToList() const {
    if (m_path.isEmpty())
        return m_lines;
    QStringList lines;
    ForEach([&](qsizetype, const QString& line) {
        lines.append(line);
        return true;
    });
    return lines;
}

// CR LF, LF and a lone CR end a line; a last line without an end counts when it is not empty.
void CaliperLines::forEachInFile(const Visitor& visit) const {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        throw IoError(
            QString("Soubor %1 nelze otevřít: %2.").arg(shown(m_path), FileErrorText::ReadFailure(m_path)));
    const QFileInfo info(m_path);
    if (info.size() != m_size || info.lastModified() != m_modified)
        throw RivwoodError(QString("Soubor %1 se od načtení změnil; načtěte jej znovu.").arg(shown(m_path)));
    qsizetype index = 0;
    QByteArray pending; // the start of a line that goes on in the next chunk
    const auto tooLong = [&] {
        return IoError(QString("Řádek %1 souboru %2 je delší než %3 znaků, soubor průměrky je poškozený.")
                           .arg(index + 1)
                           .arg(shown(m_path))
                           .arg(CaliperFile::MaxLineLength));
    };
    // The line made of `pending` and `n` more bytes; false when the visitor ends the pass.
    const auto deliver = [&](const char* data, qsizetype n) {
        if (pending.size() + n > CaliperFile::MaxLineLength)
            throw tooLong();
        QString line;
        if (pending.isEmpty()) {
            line = Cp1250::decode(data, n);
        } else {
            pending.append(data, n);
            line = Cp1250::decode(pending);
            pending.clear();
        }
        return visit(index++, line);
    };
    bool skipLineFeed = false; // a chunk ended with the CR of a CR LF
    for (;;) {
        const QByteArray chunk = f.read(1 << 20);
        if (chunk.isEmpty()) {
            if (f.error() != QFileDevice::NoError)
                throw IoError(QString("Soubor %1 nelze přečíst: %2.")
                                  .arg(shown(m_path), FileErrorText::FromSystemError(EIO)));
            break;
        }
        const char* data = chunk.constData();
        const qsizetype size = chunk.size();
        qsizetype start = skipLineFeed && data[0] == '\n' ? 1 : 0;
        skipLineFeed = false;
        for (qsizetype i = start; i < size; ++i) {
            const char c = data[i];
            if (c != '\n' && c != '\r')
                continue;
            if (!deliver(data + start, i - start))
                return;
            if (c == '\r') {
                if (i + 1 == size)
                    skipLineFeed = true;
                else if (data[i + 1] == '\n')
                    ++i;
            }
            start = i + 1;
        }
        if (pending.size() + (size - start) > CaliperFile::MaxLineLength)
            throw tooLong();
        pending.append(data + start, size - start);
    }
    if (!pending.isEmpty())
        visit(index, Cp1250::decode(pending));
}
