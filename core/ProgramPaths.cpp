#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramPaths {

namespace {

QString sharedDataDirectory(const QString& programDirectory) {
    return QDir::cleanPath(programDirectory + "/../share/rivwood");
}

bool hasReferenceFile(const QString& dir) {
    return QFileInfo::exists(QDir(dir).filePath("JHK.KRI"));
}

// An XDG base directory: the variable when it names an absolute path, else the default under home.
QString xdgDirectory(const char* variable, const QString& homeRelative) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir(QDir::homePath()).filePath(homeRelative);
}

} // namespace

QString ProgramDirectory() {
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith('/'))
        dir.chop(1);
    return dir;
}

bool IsInstalled(const QString& programDirectory) {
    return !hasReferenceFile(programDirectory) && hasReferenceFile(sharedDataDirectory(programDirectory));
}

QString SettingsFileFor(const QString& programFile) {
    const QString dir = QFileInfo(programFile).absolutePath();
    return SettingsFileFor(programFile, !IsInstalled(dir) && QFileInfo(dir).isWritable());
}

QString SettingsFileFor(const QString& programFile, bool directoryWritable) {
    const QFileInfo info(programFile);
    if (directoryWritable)
        return QDir(info.absolutePath()).filePath(info.completeBaseName() + ".INI");
    return QDir(xdgDirectory("XDG_CONFIG_HOME", ".config")).filePath("rivwood/Rivwood.INI");
}

QString SettingsFile() {
    return SettingsFileFor(QDir(ProgramDirectory()).filePath("rivwood"));
}

QString DataDirectory() {
    const QString dir = ProgramDirectory();
    return IsInstalled(dir) ? sharedDataDirectory(dir) : dir;
}

QString HelpDirectory(const QString& dataDirectory) {
    return QDir(dataDirectory).filePath("help");
}

QString SamplesDirectory(const QString& dataDirectory) {
    return QDir(dataDirectory).filePath("ukazky");
}

QString DefaultDatabaseDirectory(const QString& programDirectory) {
    if (!IsInstalled(programDirectory))
        return programDirectory;
    return QDir(xdgDirectory("XDG_DATA_HOME", ".local/share")).filePath("rivwood/databaze");
}

QString WorkDirectory(const QString& programDirectory) {
    return IsInstalled(programDirectory) ? QDir::homePath() : programDirectory;
}

QString WorkDirectory() {
    return WorkDirectory(ProgramDirectory());
}

} // namespace ProgramPaths
