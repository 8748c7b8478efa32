#include "StandPageCache.h"

#include "StandDatabase.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace {

constexpr quint32 kMagic = 0x52575354; // "RWST"
constexpr quint32 kVersion = 1;

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

size_t StandPageCache::HashOf::operator()(const Hash& h) const {
    size_t v = 0;
    std::memcpy(&v, h.data(), sizeof v);
    return v;
}

StandPageCache::StandPageCache(QString databaseDirectory)
    : m_file(databaseDirectory.isEmpty() ? QString()
                                         : QDir(databaseDirectory).filePath(QString::fromLatin1(FileName))) {}

bool StandPageCache::load(bool headerOnly) {
    *this = StandPageCache(m_file.isEmpty() ? QString() : QFileInfo(m_file).path());
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
    quint32 orderCount = 0;
    readHash(in, context);
    in >> state.valid >> state.counters[0] >> state.counters[1] >> state.sizes[0] >> state.sizes[1];
    if (headerOnly) {
        if (in.status() != QDataStream::Ok)
            return false;
        m_context = context;
        m_state = state;
        return true;
    }
    in >> orderCount;
    std::vector<OrderEntry> order;
    for (quint32 i = 0; i < orderCount && in.status() == QDataStream::Ok; ++i) {
        OrderEntry e;
        qint32 key = 0;
        in >> key;
        readHash(in, e.columns);
        e.key = key;
        order.push_back(e);
    }
    Spans blocks[2];
    Hash otherContext{};
    for (int b = 0; b < 2 && in.status() == QDataStream::Ok; ++b) {
        if (b == 1)
            readHash(in, otherContext);
        quint32 count = 0;
        in >> count;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            Hash h{};
            qint32 lead = 0, pages = 0;
            readHash(in, h);
            in >> lead >> pages;
            blocks[b][h] = {lead, pages};
        }
    }
    if (in.status() != QDataStream::Ok)
        return false;
    m_context = context;
    m_state = state;
    m_order = std::move(order);
    m_previous = std::move(blocks[0]);
    m_otherContext = otherContext;
    m_other = std::move(blocks[1]);
    return true;
}

std::optional<StandPageCache::Span> StandPageCache::find(const Hash& stand) const {
    for (const Spans* spans : std::initializer_list<const Spans*>{&m_used, &m_previous, &m_other}) {
        const auto it = spans->find(stand);
        if (it != spans->end()) {
            m_used[stand] = it->second;
            return it->second;
        }
    }
    return std::nullopt;
}

void StandPageCache::put(const Hash& stand, Span span) {
    m_used[stand] = span;
}

void StandPageCache::save(const Hash& context, const FileState& state) {
    if (m_file.isEmpty())
        return;
    // The spans of the file's own context are kept as the other context when this run is another.
    const bool sameContext = context == m_context;
    const Hash otherContext = sameContext ? m_otherContext : m_context;
    const Spans& other = sameContext ? m_other : m_previous;
    QSaveFile f(m_file);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&f);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion;
    writeHash(out, context);
    out << state.valid << state.counters[0] << state.counters[1] << state.sizes[0] << state.sizes[1];
    out << quint32(m_order.size());
    for (const OrderEntry& e : m_order) {
        out << qint32(e.key);
        writeHash(out, e.columns);
    }
    out << quint32(m_used.size());
    for (const auto& [h, span] : m_used) {
        writeHash(out, h);
        out << qint32(span.lead) << qint32(span.pages);
    }
    writeHash(out, otherContext);
    out << quint32(other.size());
    for (const auto& [h, span] : other) {
        writeHash(out, h);
        out << qint32(span.lead) << qint32(span.pages);
    }
    if (out.status() == QDataStream::Ok)
        f.commit();
}
