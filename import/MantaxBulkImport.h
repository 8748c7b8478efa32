#pragma once

#include "CaliperLines.h"
#include "ClassLayout.h"
#include "SpeciesAssignment.h"
#include "StandSink.h"
#include "TInfoData.h"
#include "UserMessage.h"

#include <QStringList>
#include <functional>
#include <vector>

struct BulkImportResult {
    std::vector<int> keys; // keys of the stored stands, in block order
    int total = 0;         // blocks to import (duplicates not counted)
    bool cancelled = false;
};

// Told after each stored stand (done of total); returning false stops before the next stand.
using BulkProgress = std::function<bool(int done, int total)>;

namespace MantaxBulkImport {

// Stores every block that is not a duplicate as a new stand under a newly allocated key, reading
// the file once, block after block. A block's stand: name, designation and date from its "$A",
// "$B", "$D" records, trees and heights by the assignment (several codes may share a species),
// every species in `layout`; areas and age are 0, the location texts and the stand code empty;
// each species carries its conifer flag from the species tables. A stand is complete before its
// key is taken. Stands stored before an error (which propagates) or a cancel stay stored.
BulkImportResult ImportBlocks(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
                              const SpeciesAssignment& assignment, const ClassLayout& layout,
                              StandSink& store, const BulkProgress& progress = {});

// "Počet porostů uložených do databáze: N" (no full stop).
QString StoredCount(int stored);
// The closing message of a bulk import: "Počet porostů uložených do databáze: N z M.", after
// "Načítání bylo přerušeno." when cancelled.
UserMessage ClosingMessage(const BulkImportResult& result);

} // namespace MantaxBulkImport
