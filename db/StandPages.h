#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

class StandDatabase;

// The page numbers of the stand report as the database holds them (STRANKA of a stand's summary
// rows), read for every computed stand in one pass over the stand and summary tables, and written
// back for many stands at once. Runs on either backend.
namespace StandPages {

struct Stand {
    int key = 0;
    bool summary = false;
    int rows = 0;                 // its summary rows
    int speciesRows = 0;          // of them those with a species abbreviation
    std::optional<int> page;      // the page its rows hold, when they all hold the same one
    std::vector<QVariant> values; // the stand table columns asked for, in their order
};

// Every stand that is in use and computed, in the order of the stand report (river, bank, river
// kilometre, action, key; collated as CzechCollation::OrderBy does), with the values of `columns`
// (names of stand table columns).
std::vector<Stand> Read(StandDatabase& db, const QStringList& columns);

// Stores each stand's page in all of its summary rows, in one transaction.
void Write(StandDatabase& db, const std::vector<std::pair<int, int>>& keyAndPage);

} // namespace StandPages
