#include "TestSupport.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString dataPath(const QString& relative) {
    return QDir(qEnvironmentVariable("RIVWOOD_TEST_DATA")).filePath(relative);
}

QString binDir() { return qEnvironmentVariable("RIVWOOD_BIN_DIR"); }

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace testsupport
