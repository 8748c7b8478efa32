#pragma once

#include "StandSession.h"
#include "StandStore.h"
#include "SummaryTable.h"

// The summary's database hand-off and the whole "Výpočet a uložení do databáze".
namespace SummaryHandOff {

// Stores the summarised stand of database key `key` (0: not stored yet): the summary flag is set,
// the stand code is built from the location texts and the stand is saved, a stand without a key
// under a new one (allocated together with its rows), unless another stand carries the code and
// `askDuplicate` says No (the save counts them under its write lock). A stand that someone else
// changed or deleted since it was loaded asks `askConflict` (StandStore::SaveStand; without it the
// save is an error). Refused when nothing was stored (a duplicate code or the conflict refused);
// else the key the stand is stored under. A save that stores nothing leaves the summary flag and
// the stand code as they were; a failure propagates its error.
SaveResult StoreSummary(StandSession& session, int key, StandStore& store, const YesNoQuestion& askDuplicate,
                        const YesNoQuestion& askConflict = {});

struct Outcome {
    SummaryResult result;
    SaveResult save{SaveResult::Refused};
    bool stored() const { return save.stored(); }
};

// The computation over the grid, then the hand-off unless the computation stopped with its
// error message.
Outcome ComputeSummary(SummaryTable& table, StandSession& session, int key, StandStore& store,
                       const YesNoQuestion& askDuplicate, const YesNoQuestion& askConflict = {});

} // namespace SummaryHandOff
