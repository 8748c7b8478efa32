#pragma once

#include "TManualy225.h"
#include "UserIdentification.h"

#include <QSqlDatabase>
#include <cstdint>

// The row work of the stand store, run inside its transactions.
namespace StandRows {

// The stand table's row of a key.
struct RowState {
    bool exists = false;
    bool used = false;
    std::int64_t changeCounter = 0; // ZMENA, 0 for a row from before the counter
    friend bool operator==(const RowState&, const RowState&) = default;
};
RowState Read(const QSqlDatabase& db, int key);

struct Allocation {
    int key = 0;
    std::int64_t changeCounter = 0;
};
// The first free key (lowest first) or the highest + 1, marked used with the user
// identification.
Allocation Allocate(const QSqlDatabase& db, const UserIdentification& user);

// Deletes the species, class, summary and sample-height rows of a key.
void DeleteChildRows(const QSqlDatabase& db, int key);

// Writes the stand under a key whose row exists, replacing its rows; the row keeps its user
// identification. Returns the row's new change counter.
std::int64_t Write(const QSqlDatabase& db, const TManualy225& stand, int key);

} // namespace StandRows
