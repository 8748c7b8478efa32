#include "TPredloha.h"

#include "AtomicFileWriter.h"
#include "TemplateCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool TPredloha::loadFromFile(const QString& path) {
    m_error.clear();
    const QFileInfo info(path);
    if (!info.isFile()) {
        m_error = QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(path);
        return false;
    }
    if (info.size() > kMaxFileSize) {
        m_error = QStringLiteral("Soubor s předlohou tiskové sestavy \"%1\" je příliš velký.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Soubor s předlohou tiskové sestavy \"%1\" nelze přečíst.").arg(path);
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        m_error = QStringLiteral("Soubor s předlohou tiskové sestavy \"%1\" je příliš velký.").arg(path);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Soubor s předlohou tiskové sestavy \"%1\" nelze přečíst.").arg(path);
        return false;
    }
    m_lines = splitLines(bytes);
    return true;
}

bool TPredloha::saveToFile(const QString& path) {
    m_error.clear();
    const QString failed = QStringLiteral("Soubor s předlohou se nepodařilo uložit.");
    // The previous template becomes the backup first; both are written whole, so a failure at
    // any point leaves the previous template in place.
    if (QFileInfo(path).isFile()) {
        QFile previous(path);
        if (!previous.open(QIODevice::ReadOnly)) {
            m_error = failed;
            return false;
        }
        const QByteArray bytes = previous.readAll();
        if (previous.error() != QFileDevice::NoError ||
            !AtomicFileWriter::Write(backupPath(path), bytes).isEmpty()) {
            m_error = failed;
            return false;
        }
    }
    if (!AtomicFileWriter::Write(path, joinLines(m_lines)).isEmpty()) {
        m_error = failed;
        return false;
    }
    return true;
}

QStringList TPredloha::splitLines(const QByteArray& bytes) {
    QStringList lines = TemplateCodec::decode(bytes).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    return lines;
}

QByteArray TPredloha::joinLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += TemplateCodec::encode(line);
        out += "\r\n";
    }
    return out;
}

QString TPredloha::backupPath(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(name + QStringLiteral(".BAK"));
}
