#include "DatabaseStandSink.h"

#include "CaliperLines.h"
#include "DatabaseError.h"

DatabaseStandSink::DatabaseStandSink(StandStore& store, BulkChunk chunk)
    : m_store(store), m_user(UserIdentification::Load(store.database().settingsFile())),
      m_chunks(store.database(), chunk.stands, chunk.milliseconds) {}

DatabaseStandSink::~DatabaseStandSink() = default;

int DatabaseStandSink::AllocateStandKey() {
    // A key whose stand never came is given back with its unit.
    m_chunks.beginStand();
    m_standOpen = true;
    return m_store.AllocateStandKey(m_user);
}

void DatabaseStandSink::SaveStand(const TManualy225& stand, int key) {
    if (!m_standOpen)
        throw RivwoodError(QString("Porost s klíčem %1 nebyl přidělen, nebyl uložen.").arg(key));
    m_standOpen = false;
    try {
        m_store.SaveStand(stand, key);
        m_chunks.endStand();
    } catch (...) {
        m_chunks.dropStand();
        throw;
    }
    m_pending.push_back(key);
    if (m_chunks.standDone())
        commit();
}

bool DatabaseStandSink::commit() {
    m_standOpen = false;
    bool committed = false;
    try {
        committed = m_chunks.commit();
    } catch (...) {
        m_pending.clear();
        throw;
    }
    if (committed)
        m_committed.insert(m_committed.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    return committed;
}

namespace MantaxBulkImport {

BulkImportResult ImportIntoDatabase(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
                                    const SpeciesAssignment& assignment, const ClassLayout& layout,
                                    StandStore& store, const BulkProgress& progress, const BulkChunk& chunk) {
    DatabaseStandSink sink(store, chunk);
    BulkImportResult result;
    try {
        result = ImportBlocks(lines, blocks, assignment, layout, sink, progress);
        sink.commit();
    } catch (const std::exception& e) {
        // The stands stored before the error stay stored; the message tells how many.
        try {
            sink.commit();
        } catch (const std::exception&) {
            // The first error is the one to report.
        }
        const auto* own = dynamic_cast<const RivwoodError*>(&e);
        const QString text = (own ? own->message() : QString::fromLocal8Bit(e.what())) + "\r" +
                             StoredCount(int(sink.committedKeys().size())) + ".";
        if (const auto* db = dynamic_cast<const DatabaseError*>(&e))
            throw DatabaseError(db->cause(), text);
        throw RivwoodError(text);
    }
    result.keys = sink.committedKeys();
    return result;
}

} // namespace MantaxBulkImport
