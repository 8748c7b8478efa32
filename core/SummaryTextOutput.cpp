#include "SummaryTextOutput.h"

#include "Cp1250.h"
#include "RivwoodError.h"

#include <QFile>

void SummaryTextOutput::setFile(const QString& path) {
    m_path = path;
    m_started = false;
}

void SummaryTextOutput::Write(const QStringList& lines) {
    if (m_path.isEmpty())
        throw IoError("Není zvolen soubor pro výstup souhrnu.");
    QFile f(m_path);
    const QIODevice::OpenMode mode = m_started ? QIODevice::Append : QIODevice::Truncate;
    if (!f.open(QIODevice::WriteOnly | mode))
        throw IoError(QString("Soubor %1 nelze zapsat.").arg(m_path));
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Cp1250::encode(line) + "\r\n";
    if (f.write(bytes) != bytes.size() || !f.flush())
        throw IoError(QString("Soubor %1 nelze zapsat.").arg(m_path));
    m_started = true;
}
