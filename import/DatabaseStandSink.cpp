#include "DatabaseStandSink.h"

#include "CaliperLines.h"
#include "DatabaseError.h"

DatabaseStandSink::DatabaseStandSink(StandStore& store, BulkChunk chunk) : m_store(store), m_chunk(chunk) {}

DatabaseStandSink::~DatabaseStandSink() {
    m_stand.reset();
    m_batch.reset();
}

int DatabaseStandSink::AllocateStandKey() {
    const QSqlDatabase db = m_store.database().connection();
    if (!m_batch) {
        m_batch.emplace(db);
        m_started.start();
    }
    m_stand.reset(); // a key whose stand never came is given back
    m_stand.emplace(db);
    return m_store.AllocateStandKey();
}

void DatabaseStandSink::SaveStand(const TManualy225& stand, int key) {
    if (!m_stand)
        throw RivwoodError(QString("Porost s klíčem %1 nebyl přidělen, nebyl uložen.").arg(key));
    try {
        m_store.SaveStand(stand, key);
        m_stand->commit();
    } catch (...) {
        m_stand.reset();
        throw;
    }
    m_stand.reset();
    m_pending.push_back(key);
    if (int(m_pending.size()) >= m_chunk.stands || m_started.elapsed() >= m_chunk.milliseconds)
        commit();
}

bool DatabaseStandSink::commit() {
    m_stand.reset();
    if (!m_batch)
        return true;
    if (!m_batch->alive()) {
        m_batch.reset();
        m_pending.clear();
        return false;
    }
    try {
        m_batch->commit();
    } catch (...) {
        m_batch.reset();
        m_pending.clear();
        throw;
    }
    m_batch.reset();
    m_committed.insert(m_committed.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    return true;
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
