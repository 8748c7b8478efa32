#include "MantaxBulkImport.h"

#include "MantaxStandReader.h"
#include "SpeciesTables.h"

namespace MantaxBulkImport {

TManualy225 StandOfBlock(const QStringList& records, const TInfoData& block,
                         const SpeciesAssignment& assignment, const ClassLayout& layout) {
    TManualy225 stand;
    stand.ClearStand();
    MantaxStandReader::ReadRecordsIntoStand(records, block.firstLine, block.lastLine, assignment, layout,
                                            stand);
    // No summary is computed for these stands, so their summary rows carry the species group
    // straight from the species tables.
    for (int i = 0; i < stand.count(); ++i) {
        stand.at(i).computed = false;
        stand.at(i).conifer = SpeciesTables::IsConifer(stand.abbreviationAt(i));
    }
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

QString StoredCount(int stored) {
    return QString("Počet porostů uložených do databáze: %1").arg(stored);
}

UserMessage ClosingMessage(const BulkImportResult& result) {
    const QString count = StoredCount(int(result.keys.size())) + QString(" z %1.").arg(result.total);
    return {UserMessage::Information, result.cancelled ? "Načítání bylo přerušeno.\r" + count : count};
}

} // namespace MantaxBulkImport
