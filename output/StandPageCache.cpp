#include "StandPageCache.h"

#include "StandDatabase.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr quint32 kMagic = 0x52575354; // "RWST"
constexpr quint32 kVersion = 2;

// A stand table file as SQLite leaves it after a commit: its change counter and size.
bool readState(const QString& path, quint32& counter, qint64& size) {
    if (QFileInfo::exists(path + QStringLiteral("-journal")) ||
        QFileInfo::exists(path + QStringLiteral("-wal")))
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(100);
    // Bytes 18 and 19: 1 in rollback-journal mode (2 would be write-ahead logging).
    if (head.size() < 100 || !head.startsWith("SQLite format 3") || head[18] != 1 || head[19] != 1)
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(head.constData());
    counter = quint32(b[24]) << 24 | quint32(b[25]) << 16 | quint32(b[26]) << 8 | quint32(b[27]);
    size = f.size();
    return true;
}

void writeHash(QDataStream& out, const StandPageCache::Hash& h) {
    out.writeRawData(h.data(), int(h.size()));
}

bool readHash(QDataStream& in, StandPageCache::Hash& h) {
    return in.readRawData(h.data(), int(h.size())) == int(h.size());
}

} // namespace

StandPageCache::FileState StandPageCache::currentState(const QString& databaseDirectory) {
    FileState s;
    if (databaseDirectory.isEmpty())
        return s; // a database on a server has no files to watch
    const StandDatabase::Table tables[2] = {StandDatabase::Por, StandDatabase::Ses};
    for (int i = 0; i < 2; ++i)
        if (!readState(StandDatabase::TablePath(databaseDirectory, tables[i]), s.counters[size_t(i)],
                       s.sizes[size_t(i)]))
            return {};
    s.valid = true;
    return s;
}

bool StandPageCache::isOneWriteLater(const FileState& before, const FileState& after) {
    return before.valid && after.valid && after.counters[0] == before.counters[0] &&
           after.sizes[0] == before.sizes[0] && after.counters[1] == before.counters[1] + 1;
}

StandPageCache::StandPageCache(QString databaseDirectory)
    : m_file(databaseDirectory.isEmpty() ? QString()
                                         : QDir(databaseDirectory).filePath(QString::fromLatin1(FileName))) {}

bool StandPageCache::load() {
    m_context = {};
    m_state = {};
    if (m_file.isEmpty())
        return false;
    QFile f(m_file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return false;
    Hash context{};
    FileState state;
    readHash(in, context);
    in >> state.valid >> state.counters[0] >> state.counters[1] >> state.sizes[0] >> state.sizes[1];
    if (in.status() != QDataStream::Ok)
        return false;
    m_context = context;
    m_state = state;
    return true;
}

void StandPageCache::save(const Hash& context, const FileState& state) {
    if (m_file.isEmpty())
        return;
    QSaveFile f(m_file);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&f);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion;
    writeHash(out, context);
    out << state.valid << state.counters[0] << state.counters[1] << state.sizes[0] << state.sizes[1];
    if (out.status() == QDataStream::Ok)
        f.commit();
}
