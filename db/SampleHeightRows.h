#pragma once

#include "TManualy225.h"

#include <QSqlDatabase>

// The sample heights of a stand in RivwoodVys: one row per pair (KLIC, DR_ZKR, TLOUSTKA, VYSKA),
// written, read and deleted together with the stand's other rows, inside the store's transaction.
namespace SampleHeightRows {

// The pairs of every species of the stand, species by species in stand order.
void Write(const QSqlDatabase& db, const TManualy225& stand, int key);
// Deletes the rows of a key.
void Delete(const QSqlDatabase& db, int key);
// Gives each species of the stand its pairs, in the order they were written; rows of a species
// the stand does not have are left out.
void Read(const QSqlDatabase& db, int key, TManualy225& stand);

} // namespace SampleHeightRows
