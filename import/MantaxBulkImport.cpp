#include "MantaxBulkImport.h"

#include "MantaxStandReader.h"

namespace MantaxBulkImport {

TManualy225 StandOfBlock(const QStringList& records, const TInfoData& block,
                         const SpeciesAssignment& assignment, const ClassLayout& layout) {
    TManualy225 stand;
    stand.ClearStand();
    MantaxStandReader::ReadRecordsIntoStand(records, block.firstLine, block.lastLine, assignment, layout,
                                            stand);
    for (int i = 0; i < stand.count(); ++i)
        stand.at(i).computed = false;
    return stand;
}

BulkImportResult ImportBlocks(const QStringList& records, const std::vector<TInfoData>& blocks,
                              const SpeciesAssignment& assignment, const ClassLayout& layout,
                              StandSink& store, const BulkProgress& progress) {
    BulkImportResult result;
    for (const TInfoData& b : blocks)
        if (!b.duplicate)
            ++result.total;
    if (progress && !progress(0, result.total)) {
        result.cancelled = true;
        return result;
    }
    for (const TInfoData& b : blocks) {
        if (b.duplicate)
            continue;
        // The stand is complete before a key is taken, so a reading error allocates nothing.
        const TManualy225 stand = StandOfBlock(records, b, assignment, layout);
        const int key = store.AllocateStandKey();
        store.SaveStand(stand, key);
        result.keys.push_back(key);
        if (progress && !progress(int(result.keys.size()), result.total)) {
            result.cancelled = int(result.keys.size()) < result.total;
            break;
        }
    }
    return result;
}

} // namespace MantaxBulkImport
