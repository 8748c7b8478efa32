#pragma once

#include <QString>
#include <QStringList>

// The settings file: INI text with [sections] and key=value lines. Sections and keys compare
// case-insensitively; the file's order, comments and unknown lines are kept on every write. The
// file is read for each call and written at once, and created by the first write.
class IniFile {
  public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool exists() const;

    QString ReadString(const QString& section, const QString& key, const QString& fallback = {}) const;
    // A missing key or a value that is not an integer gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    // Keys of a section in file order.
    QStringList ReadSection(const QString& section) const;
    // key=value lines of a section in file order.
    QStringList ReadSectionValues(const QString& section) const;

    // Writes fail with an IoError when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

  private:
    QStringList load(bool forWriting = false) const;
    void save(const QStringList& lines) const;

    QString m_path;
};
