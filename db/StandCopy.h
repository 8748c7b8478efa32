#pragma once

#include "StandDatabase.h"

#include <vector>

// Copying stands between two stand databases (a local directory and a server, either way): a
// surveyor takes stands into the field and brings them back to the office. A stand keeps its key
// and every row of the five tables, its change counter and user identification included, so a
// stand copied there and back is the stand it was.
//
// The target remembers with each stand copied into it where it came from and the change counter
// it had (KOPIE_ZDROJ, KOPIE_ZMENA of the stand table), so a later copy can tell whether the
// target's stand changed since: its counter moved on from the one copied, or it was never copied
// and the source's stand is not one taken from the target's unchanged stand.
namespace StandCopy {

struct Result {
    std::vector<int> copied;    // stored in the target
    std::vector<int> conflicts; // left alone: the target's stand under that key changed since the
                                // last copy, or is another stand
};

// The keys of every stand of a database, in key order.
std::vector<int> StandKeys(StandDatabase& db);

// Copies the stands of `keys` from `from` to `to` in one write transaction of the target. A key
// whose target row holds a stand that changed since it was last copied (or was made there) is a
// conflict: overwritten when `overwriteConflicts`, else reported and left as it is. A key without
// a stand in the source, a read-only target or one database given twice is a RivwoodError and
// copies nothing.
Result Copy(StandDatabase& from, StandDatabase& to, const std::vector<int>& keys, bool overwriteConflicts);

} // namespace StandCopy
