#pragma once

#include "StandDatabase.h"

#include <QStringList>

// Brings the tables of a database directory to the current layout.
namespace SchemaUpgrade {

// The lines of the statement that adds the missing columns of the stand table, the comma of the
// last line removed; empty when nothing is missing.
QStringList StandTableStatement(bool missingVypocteno, bool missingSouhrn, bool missingUserColumns);

// Species table: adds TL_MIN; a class width outside 1..4 becomes 4 and a first centre of 0 (or
// empty) the default of the row's width. Stand table: adds the change counter ZMENA, and
// VYPOCTENO, SOUHRN and the four user identification columns where missing; then, only when one
// of the latter was added, every row gets VYPOCTENO (all its species computed) and SOUHRN (each
// species' stored total stock equals the sum of its class volumes, exactly), and, when the user
// columns are new, the user identification of the settings file.
// Only what needs changing is written: tables that are up to date are only read, and a
// read-only database keeps its layout. The changes run in one write transaction; an error
// leaves the tables as they were and is a RivwoodError.
void UpgradeTables(StandDatabase& db);

} // namespace SchemaUpgrade
