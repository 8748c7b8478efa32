#include "MantaxBulkImport.h"

#include "MantaxBlocks.h"
#include "MantaxStandReader.h"
#include "SpeciesTables.h"

#include <optional>

namespace MantaxBulkImport {

namespace {

// No summary is computed for these stands, so their summary rows carry the species group
// straight from the species tables.
void markUncomputed(TManualy225& stand) {
    for (int i = 0; i < stand.count(); ++i) {
        stand.at(i).computed = false;
        stand.at(i).conifer = SpeciesTables::IsConifer(stand.abbreviationAt(i));
    }
}

} // namespace

BulkImportResult ImportBlocks(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
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
    // The stand of the block being read.
    std::optional<size_t> open;
    TManualy225 stand;
    std::optional<MantaxStandReader::Reader> reader;
    // Stores the open stand; false when the user stops after it.
    const auto storeOpen = [&] {
        reader->Finish();
        reader.reset();
        open.reset();
        markUncomputed(stand);
        const int key = store.AllocateStandKey();
        store.SaveStand(stand, key);
        result.keys.push_back(key);
        if (progress && !progress(int(result.keys.size()), result.total)) {
            result.cancelled = int(result.keys.size()) < result.total;
            return false;
        }
        return true;
    };
    MantaxBlocks::ConvertBlocks(lines, blocks, [&](size_t b, const QString& record) {
        if (blocks[b].duplicate)
            return true;
        if (open && *open != b && !storeOpen())
            return false;
        if (!open) {
            open = b;
            stand = TManualy225();
            stand.ClearStand();
            reader.emplace(assignment, layout, stand);
        }
        reader->Read(record);
        return true;
    });
    if (open)
        storeOpen();
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
