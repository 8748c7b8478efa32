#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// The parts of a zip package (an OOXML workbook) by name. Reading is bounded: a damaged or hostile
// package (zip bomb, huge part, too many entries) fails with a message instead of eating memory.
namespace ZipArchive {

struct Limits {
    qint64 maxPartSize = 64ll << 20;   // one unpacked part
    qint64 maxTotalSize = 256ll << 20; // all unpacked parts together
    int maxEntries = 10000;
};

using Parts = std::map<QString, QByteArray>;

// The parts of a package held in memory; false with `error` set when it is no readable zip or
// exceeds the limits.
bool read(const QByteArray& package, Parts& parts, QString& error, const Limits& limits = {});
// The package of the parts, deflated; false with `error` set when libzip fails.
bool write(const Parts& parts, QByteArray& package, QString& error);

} // namespace ZipArchive
