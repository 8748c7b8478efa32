#pragma once

#include "StandSession.h"
#include "StandStore.h"
#include "SummaryTable.h"

// The summary's database hand-off and the whole "Výpočet a uložení do databáze".
namespace SummaryHandOff {

// Stores the summarised stand: a stand without a key gets one (SBNovyPorostClick, after its
// duplicate check); then, when the key is at least 1 and the duplicate check passes, the
// summary flag is set, the stand code is built from the location texts and the stand is saved.
// False when nothing was stored (a duplicate code refused). A save that fails leaves the summary
// flag and the stand code as they were and propagates its error.
bool StoreSummary(StandSession& session, StandStore& store, const YesNoQuestion& askDuplicate);

struct Outcome {
    SummaryResult result;
    bool stored = false;
};

// The computation over the grid, then the hand-off unless the computation stopped with its
// error message.
Outcome ComputeSummary(SummaryTable& table, StandSession& session, StandStore& store,
                       const YesNoQuestion& askDuplicate);

} // namespace SummaryHandOff
