#pragma once

#include "StandDatabase.h"

#include <QStringList>
#include <functional>
#include <vector>

// Taking over the stand database of the older program (a directory of Paradox tables) into the
// current database: every used stand with its species, classes, summary, comment and sample
// heights arrives under its old key. The old tables are read whole first, so a damaged one
// stops the take-over with a message naming its file before anything is written; the old
// directory is only read. The stands are then stored in chunks, each one transaction, each stand
// whole or not at all.
namespace OldDatabaseTakeOver {

struct Skip {
    int key = 0;
    QString reason;
};

struct Result {
    std::vector<int> imported; // stored, in key order
    std::vector<Skip> skipped; // left out with the reason, in key order
    int heights = 0;           // sample heights stored with the imported stands
    QStringList notRead;       // tables of the older layout present in the directory, not read
    bool interrupted = false;  // the user stopped it; the stands stored before stay
};

// Told after each stand: stands done and all; false stops the take-over.
using Progress = std::function<bool(int done, int total)>;

// Takes the stands of `directory` over into `target`. A key that holds a stand in the target is a
// conflict: left alone and listed, or overwritten when `overwrite`. A read-only target, a damaged
// or missing old table is a RivwoodError and stores nothing; an error of the target while
// storing ends the take-over, the chunks committed before it staying stored.
Result TakeOver(const QString& directory, StandDatabase& target, bool overwrite,
                const Progress& progress = {});

// The question asked when the user chooses the older program's directory as the database.
UserMessage OfferQuestion();
// The closing summary for the user.
UserMessage Summary(const Result& result);

} // namespace OldDatabaseTakeOver
