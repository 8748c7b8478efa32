#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// Helpers shared by the test programs: fixtures, scratch files, the built binaries.
namespace testsupport {

// Path of a file under tests/data.
QString dataPath(const QString& relative);
// Directory where the build put the programs and their reference files.
QString binDir();
QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);
// Every entry of a directory (hidden ones too) with the bytes of the files, to tell that it did
// not change.
std::map<QString, QByteArray> directoryContents(const QString& directory);
// A python3 that imports `module` (the system's first, where Debian installs the test readers),
// or empty.
QString pythonWith(const QString& module);

} // namespace testsupport
