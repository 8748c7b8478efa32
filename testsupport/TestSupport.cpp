#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace testsupport {

// The build bakes both paths in; the environment may point elsewhere (an installed tree).
QString dataPath(const QString& relative) {
    const QString dir = qEnvironmentVariable("RIVWOOD_TEST_DATA", QString::fromUtf8(RIVWOOD_TEST_DATA_DIR));
    return QDir(dir).filePath(relative);
}

QString binDir() {
    return qEnvironmentVariable("RIVWOOD_BIN_DIR", QString::fromUtf8(RIVWOOD_BUILD_BIN_DIR));
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::map<QString, QByteArray> directoryContents(const QString& directory) {
    std::map<QString, QByteArray> files;
    const QDir dir(directory);
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files[entry] = readFile(dir.filePath(entry));
    return files;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QString pythonWith(const QString& module) {
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        const QString exe =
            QFileInfo(candidate).isAbsolute() ? candidate : QStandardPaths::findExecutable(candidate);
        if (exe.isEmpty() || !QFileInfo::exists(exe))
            continue;
        QProcess p;
        p.start(exe, {QStringLiteral("-c"), QStringLiteral("import ") + module});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return exe;
    }
    return {};
}

} // namespace testsupport
