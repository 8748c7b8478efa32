#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramPaths {

QString ProgramDirectory() {
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith('/'))
        dir.chop(1);
    return dir;
}

QString SettingsFileFor(const QString& programFile) {
    return SettingsFileFor(programFile, QFileInfo(QFileInfo(programFile).absolutePath()).isWritable());
}

QString SettingsFileFor(const QString& programFile, bool directoryWritable) {
    const QFileInfo info(programFile);
    const QString dir = info.absolutePath();
    if (directoryWritable)
        return QDir(dir).filePath(info.completeBaseName() + ".INI");
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + "/.config";
    return QDir(config).filePath("rivwood/Rivwood.INI");
}

QString SettingsFile() {
    return SettingsFileFor(QDir(ProgramDirectory()).filePath("rivwood"));
}

QString DataDirectory() {
    const QString dir = ProgramDirectory();
    if (QFileInfo::exists(QDir(dir).filePath("JHK.KRI")))
        return dir;
    const QString shared = QDir::cleanPath(dir + "/../share/rivwood");
    if (QFileInfo::exists(QDir(shared).filePath("JHK.KRI")))
        return shared;
    return dir;
}

QString HelpFile() {
    return QDir(DataDirectory()).filePath("help/index.html");
}

} // namespace ProgramPaths
