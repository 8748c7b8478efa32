#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Caliper data files: cp1250 text read whole and split into lines.
namespace CaliperFile {

// Caliper files are a few megabytes at most; anything larger is refused rather than read.
inline constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;

// Lines of cp1250 text; CR LF, LF and a lone CR all end a line.
QStringList SplitLines(const QByteArray& bytes);
// The lines of a file; a file that cannot be read or is too large is an IoError.
QStringList ReadLines(const QString& path);

} // namespace CaliperFile
