#include "CliCommand.h"

#include "DatabaseChooser.h"
#include "FileErrorText.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "UserMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <cstdio>

CliArgs::CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith("--") && a.size() > 2) {
            QString name = a.mid(2);
            QString value;
            const int eq = name.indexOf('=');
            if (eq >= 0) {
                value = name.mid(eq + 1);
                name = name.left(eq);
                if (!valueOptions.contains(name))
                    throw CliUsageError{QString("neznámý přepínač --%1").arg(name)};
            } else if (valueOptions.contains(name)) {
                if (i + 1 >= args.size())
                    throw CliUsageError{QString("přepínač --%1 vyžaduje hodnotu").arg(name)};
                value = args[++i];
            } else if (!flagOptions.contains(name)) {
                throw CliUsageError{QString("neznámý přepínač --%1").arg(name)};
            }
            m_values[name].append(value);
        } else {
            m_positional.append(a);
        }
    }
}

QString CliArgs::value(const QString& option, const QString& fallback) const {
    auto it = m_values.find(option);
    return it == m_values.end() || it->second.isEmpty() ? fallback : it->second.last();
}

QStringList CliArgs::values(const QString& option) const {
    auto it = m_values.find(option);
    return it == m_values.end() ? QStringList() : it->second;
}

void CliArgs::requirePositional(int count) const {
    if (m_positional.size() != count)
        throw CliUsageError{QString("očekáváno %1 argumentů, zadáno %2").arg(count).arg(m_positional.size())};
}

namespace {
std::map<QString, std::pair<QString, CliHandler>>& registry() {
    static std::map<QString, std::pair<QString, CliHandler>> r;
    return r;
}
} // namespace

CliCommand::CliCommand(const char* name, const char* usage, CliHandler handler) {
    registry()[QString::fromUtf8(name)] = {QString::fromUtf8(usage), std::move(handler)};
}

const std::map<QString, std::pair<QString, CliHandler>>& CliCommand::all() {
    return registry();
}

void printJson(const QJsonDocument& doc) {
    const QByteArray bytes = doc.toJson(QJsonDocument::Compact);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void printJson(const QJsonObject& obj) {
    printJson(QJsonDocument(obj));
}

void printError(const QString& message) {
    QString text = message;
    text.replace("\r\n", "\n").replace('\r', '\n');
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

QByteArray readInput(const QString& path) {
    QFile f;
    if (path == "-") {
        if (!f.open(stdin, QIODevice::ReadOnly))
            throw IoError("Nelze číst standardní vstup.");
    } else {
        f.setFileName(path);
        if (!f.open(QIODevice::ReadOnly))
            throw IoError(
                QString("Soubor %1 nelze otevřít: %2.").arg(path, FileErrorText::ReadFailure(path)));
    }
    return f.readAll();
}

QString inputFile(const QString& path, QTemporaryFile& copy) {
    if (path != "-")
        return path;
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly) || !copy.open())
        throw IoError("Nelze číst standardní vstup.");
    for (QByteArray chunk; !(chunk = in.read(1 << 20)).isEmpty();)
        if (copy.write(chunk) != chunk.size())
            throw IoError(
                QString("Standardní vstup nelze uložit do dočasného souboru %1.").arg(copy.fileName()));
    if (!copy.flush())
        throw IoError(QString("Standardní vstup nelze uložit do dočasného souboru %1.").arg(copy.fileName()));
    return copy.fileName();
}

int parseIntArg(const QString& text, const QString& what) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw CliUsageError{QString("%1 musí být celé číslo: %2").arg(what, text)};
    return v;
}

double parseDoubleArg(const QString& text, const QString& what) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        throw CliUsageError{QString("%1 musí být číslo: %2").arg(what, text)};
    return v;
}

QString referenceDirectory(const CliGlobals& globals) {
    return globals.refDir.isEmpty() ? ProgramPaths::DataDirectory() : globals.refDir;
}

QString settingsFile(const CliGlobals& globals) {
    return globals.settingsFile.isEmpty() ? ProgramPaths::SettingsFile() : globals.settingsFile;
}

void printMessages(const std::vector<UserMessage>& messages) {
    for (const UserMessage& m : messages)
        printError(m.ForDisplay());
}

void openExistingDatabase(StandDatabase& db, const QString& directory) {
    if (ServerAddress::IsServerAddress(directory)) {
        db.setServer(ServerAddress(directory));
        db.CheckDatabaseFiles();
        if (db.empty() || !db.complete())
            throw RivwoodError(QString("Na serveru „%1“ není databáze porostů.").arg(db.location()));
        DatabaseChooser::UseServer(db, directory, [](const UserMessage&) { return false; });
        return;
    }
    if (!QFileInfo(directory).isDir())
        throw RivwoodError(
            QString("Adresář databáze „%1“ neexistuje.").arg(QDir::toNativeSeparators(directory)));
    db.setDirectory(QFileInfo(directory).absoluteFilePath());
    db.CheckDatabaseFiles();
    if (db.empty() || !db.complete())
        throw RivwoodError(
            QString("V adresáři „%1“ není databáze porostů.").arg(QDir::toNativeSeparators(directory)));
    DatabaseChooser::UseDirectory(db, directory, [](const UserMessage&) { return false; });
}
