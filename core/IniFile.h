#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// The settings file: INI text with [sections] and key=value lines. Sections and keys compare
// case-insensitively; the file's order, comments and unknown lines are kept on every write. The
// file is read for each call and written at once (whole or not at all), and created by the first
// write. When a write fails (a full disk, read-only media) the file keeps its old contents, the
// failure is reported once, and the program goes on with the settings held in memory: reads see
// them, and every later write tries to save them again.
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

    // A write that cannot be saved is kept in memory and reported once (see SetFailureReporter).
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Many keys of one section in one write, as WriteString of each in turn would leave them.
    void WriteStrings(const QString& section, const std::vector<std::pair<QString, QString>>& values);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    // Receives the Czech message of a failed save, once per file until a save succeeds again;
    // without a reporter the message is only logged.
    using FailureReporter = std::function<void(const QString& message)>;
    static void SetFailureReporter(FailureReporter reporter);

  private:
    QStringList load(bool forWriting = false) const;
    void save(const QStringList& lines) const;

    QString m_path;
};
