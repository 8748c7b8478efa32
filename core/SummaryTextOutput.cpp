#include "SummaryTextOutput.h"

#include "AtomicFileWriter.h"
#include "Cp1250.h"
#include "FileErrorText.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>

void SummaryTextOutput::setFile(const QString& path) {
    m_path = path;
    m_started = false;
}

void SummaryTextOutput::Write(const QStringList& lines) {
    if (m_path.isEmpty())
        throw IoError("Není zvolen soubor pro výstup souhrnu.");
    const QString failed = QString("Soubor %1 nelze uložit: %2.").arg(QDir::toNativeSeparators(m_path));
    // Appending rewrites the whole file, so a failed write leaves the earlier outputs as they were.
    QByteArray bytes;
    if (m_started && QFile::exists(m_path)) {
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly))
            throw IoError(failed.arg(FileErrorText::ReadFailure(m_path)));
        bytes = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw IoError(failed.arg(FileErrorText::ReadFailure(m_path)));
    }
    for (const QString& line : lines)
        bytes += Cp1250::encode(line) + "\r\n";
    if (const QString cause = AtomicFileWriter::Write(m_path, bytes); !cause.isEmpty())
        throw IoError(failed.arg(cause));
    m_started = true;
}
