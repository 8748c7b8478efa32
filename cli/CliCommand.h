#pragma once

#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <functional>
#include <map>

// Parsed command line of one rivwood-cli subcommand: positional arguments and --options.
class CliArgs {
  public:
    CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions);

    const QStringList& positional() const { return m_positional; }
    QString positional(int i) const { return i < m_positional.size() ? m_positional[i] : QString(); }
    bool has(const QString& option) const { return m_values.count(option) > 0; }
    QString value(const QString& option, const QString& fallback = {}) const;
    QStringList values(const QString& option) const; // every occurrence of a repeatable option

    // Requires exactly `count` positional arguments, else a usage error.
    void requirePositional(int count) const;

  private:
    QStringList m_positional;
    std::map<QString, QStringList> m_values;
};

// Thrown for a malformed command line: message on stderr, exit code 2.
struct CliUsageError {
    QString message;
};

// Global options shared by all subcommands.
struct CliGlobals {
    QString refDir;       // --refdir: directory of JHK.KRI / JHK.HMO
    QString settingsFile; // --settings: the INI file
};

using CliHandler = std::function<int(const QStringList& args, const CliGlobals& globals)>;

// Subcommands register themselves from their own source file with a static CliCommand object.
struct CliCommand {
    CliCommand(const char* name, const char* usage, CliHandler handler);
    static const std::map<QString, std::pair<QString, CliHandler>>& all();
};

// Writes a JSON document to stdout (compact, UTF-8, newline-terminated).
void printJson(const QJsonDocument& doc);
void printJson(const QJsonObject& obj);
// Writes a message to stderr.
void printError(const QString& message);
// Reads a whole file, "-" meaning standard input; throws IoError.
QByteArray readInput(const QString& path);
// A file to read line by line: the path itself, or for "-" standard input copied into `copy`;
// throws IoError.
QString inputFile(const QString& path, QTemporaryFile& copy);
// Parses an integer / a double argument or throws CliUsageError.
int parseIntArg(const QString& text, const QString& what);
double parseDoubleArg(const QString& text, const QString& what);

// --refdir, or the program's data directory.
QString referenceDirectory(const CliGlobals& globals);
// --settings, or the program's settings file.
QString settingsFile(const CliGlobals& globals);
// Points `db` at the directory or server address of --db, which must already hold the stand
// tables (a RivwoodError otherwise).
class StandDatabase;
void openExistingDatabase(StandDatabase& db, const QString& directory);
// Warnings of a command go to stderr; the command still succeeds.
struct UserMessage;
void printMessages(const std::vector<UserMessage>& messages);
