#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The lines of a caliper file as the imports read them: from the disk again for each pass, line by
// line, so that a file of any size never sits in memory whole; or lines already in memory.
class CaliperLines {
  public:
    // Told each line with its index from 0, in order; returning false ends the pass.
    using Visitor = std::function<bool(qsizetype index, const QString& line)>;

    CaliperLines() = default;
    CaliperLines(QStringList lines) : m_lines(std::move(lines)) {}
    // A file that cannot be opened is an IoError.
    static CaliperLines FromFile(const QString& path);

    // One pass over the lines. A line longer than CaliperFile::MaxLineLength, a file that can no
    // longer be read and a file changed since FromFile are errors, told with the line they stop at.
    void ForEach(const Visitor& visit) const;
    // The lines in memory (the whole file read in; for small files and tests).
    QStringList ToList() const;

  private:
    void forEachInFile(const Visitor& visit) const;

    QStringList m_lines;
    QString m_path; // empty for lines in memory
    qint64 m_size = 0;
    QDateTime m_modified;
};
