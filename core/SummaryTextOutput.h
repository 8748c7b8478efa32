#pragma once

#include <QString>
#include <QStringList>

// The file of "Výstup do souboru": the first output after program start creates (overwrites)
// it, every later one is appended. Lines are written in cp1250 with CR LF line ends.
class SummaryTextOutput {
  public:
    // True once a file has been chosen; the window asks for a file name only before that.
    bool hasFile() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    // Chooses the file; the next Write() starts it afresh.
    void setFile(const QString& path);

    // Writes the lines; an IoError when the file cannot be written.
    void Write(const QStringList& lines);

  private:
    QString m_path;
    bool m_started = false;
};
