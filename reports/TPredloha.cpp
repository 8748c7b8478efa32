#include "TPredloha.h"

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
    // The new contents go to a scratch file first, so a failed write never costs the old template.
    const QString scratch = path + QStringLiteral(".new");
    {
        QFile out(scratch);
        const QByteArray bytes = joinLines(m_lines);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
            !out.flush()) {
            out.close();
            QFile::remove(scratch);
            m_error = failed;
            return false;
        }
    }
    const QString backup = backupPath(path);
    const bool hadFile = QFileInfo::exists(path);
    if (hadFile) {
        if (QFileInfo::exists(backup) && !QFile::remove(backup)) {
            QFile::remove(scratch);
            m_error = failed;
            return false;
        }
        if (!QFile::rename(path, backup)) {
            QFile::remove(scratch);
            m_error = failed;
            return false;
        }
    }
    if (!QFile::rename(scratch, path)) {
        if (hadFile)
            QFile::rename(backup, path);
        QFile::remove(scratch);
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
