#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a report template, read and written as a whole: cp1250 text, CR LF line ends.
class TPredloha {
  public:
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    TPredloha() = default;
    explicit TPredloha(const QStringList& lines) : m_lines(lines) {}

    const QStringList& lines() const { return m_lines; }
    void setLines(const QStringList& lines) { m_lines = lines; }

    // False with errorString() when the file is missing, unreadable or larger than a template can be.
    bool loadFromFile(const QString& path);
    // Replaces the file; an existing file becomes the one backup <name>.BAK. On failure the previous
    // file stays in place.
    bool saveToFile(const QString& path);
    QString errorString() const { return m_error; }

    static QStringList splitLines(const QByteArray& bytes);
    static QByteArray joinLines(const QStringList& lines);
    // <directory>/<base name>.BAK
    static QString backupPath(const QString& path);

  private:
    QStringList m_lines;
    QString m_error;
};
