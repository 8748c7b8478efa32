#include "DatabaseStandSink.h"

#include "SqlTransaction.h"

void DatabaseStandSink::SaveStand(const TManualy225& stand, int key) {
    try {
        m_store.SaveStand(stand, key);
    } catch (...) {
        try {
            m_store.DeleteStandRows(key);
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
}

namespace MantaxBulkImport {

BulkImportResult ImportIntoDatabase(const QStringList& records, const std::vector<TInfoData>& blocks,
                                    const SpeciesAssignment& assignment, const ClassLayout& layout,
                                    StandStore& store, const BulkProgress& progress) {
    DatabaseStandSink sink(store);
    // One batch is much faster on disk; each stand's save nests inside it as its own unit.
    SqlTransaction batch(store.database().connection());
    try {
        BulkImportResult result = ImportBlocks(records, blocks, assignment, layout, sink, progress);
        batch.commit();
        return result;
    } catch (...) {
        batch.commit();
        throw;
    }
}

} // namespace MantaxBulkImport
