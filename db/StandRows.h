#pragma once

#include "TManualy225.h"
#include "UserIdentification.h"

#include <cstdint>

class StandDatabase;

// The row work of the stand store, run inside its transactions; the same SQL on either backend.
namespace StandRows {

// The stand table's row of a key.
struct RowState {
    bool exists = false;
    bool used = false;
    std::int64_t changeCounter = 0; // ZMENA, 0 for a row from before the counter
    friend bool operator==(const RowState&, const RowState&) = default;
};
RowState Read(StandDatabase& db, int key);

struct Allocation {
    int key = 0;
    std::int64_t changeCounter = 0;
};
// The first free key (lowest first) or the highest + 1, marked used with the user
// identification.
Allocation Allocate(StandDatabase& db, const UserIdentification& user);

// Makes the row of a key chosen by the caller (a stand taken over under its own key) a used row
// with the user identification, inserting it when the key has none; then Write fills it.
void Claim(StandDatabase& db, int key, const UserIdentification& user);

// Stands other than `key` whose stand code is `code`.
int CountCode(StandDatabase& db, const QString& code, int key);

// Writes the stand under a key whose row exists, replacing its species, class, summary and
// sample-height rows;
// the row keeps its user identification. Returns the row's new change counter. A key without a
// row, a text with a NUL character or a species twice is a RivwoodError.
std::int64_t Write(StandDatabase& db, const TManualy225& stand, int key);

// Frees a key: the row is cleared (USED false, every other column but the change counter empty,
// the counter counted up) and the stand's species, class, summary and sample-height rows are
// deleted.
void Clear(StandDatabase& db, int key);

// A text for a column: cut to the column's width at a character boundary and refused when it
// holds a NUL character,
// which no server text can hold (`field` names it in the message).
QString Checked(const QString& text, int width, const char* field);

} // namespace StandRows
