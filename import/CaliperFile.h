#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Caliper data files: cp1250 text split into lines. The imports read them line by line through
// CaliperLines; a file read whole is for showing it.
namespace CaliperFile {

// A file read whole is a few megabytes at most; anything larger is refused rather than read.
inline constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;
// Caliper lines are a few dozen characters; a longer line than this is refused, never read.
inline constexpr qsizetype MaxLineLength = 64 * 1024;

// Lines of cp1250 text; CR LF, LF and a lone CR all end a line.
QStringList SplitLines(const QByteArray& bytes);
// The lines of a file; a file that cannot be read, is too large or has too long a line is an
// IoError.
QStringList ReadLines(const QString& path);

} // namespace CaliperFile
