#pragma once

#include "TManualy225.h"

class SqlStatement;
class StandDatabase;
class StatementRef;

// The sample heights of a stand in RivwoodVys: one row per pair (KLIC, DR_ZKR, TLOUSTKA, VYSKA),
// written, read and deleted together with the stand's other rows, inside the store's transaction
// (the save replaces them with the species, class and summary rows).
namespace SampleHeightRows {

// The pairs of every species of the stand, species by species in stand order.
void Write(StandDatabase& db, const TManualy225& stand, int key);
// The query of a key's rows, asked together with the stand's other tables.
StatementRef Open(StandDatabase& db, int key);
// Gives each species of the stand its pairs from the opened query, in the order they were
// written; rows of a species the stand does not have are left out.
void Read(SqlStatement& rows, TManualy225& stand);

} // namespace SampleHeightRows
