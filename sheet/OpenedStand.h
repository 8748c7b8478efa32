#pragma once

#include "StandSession.h"

#include <QString>
#include <optional>

// A stand from outside the database to put onto the tally sheet: read from a data file, from the
// sample, imported from a caliper, or handed over by the command line.
struct OpenedStand {
    enum class Origin {
        DataFile,    // a new, unsaved stand without a summary; the file is remembered
        Caliper,     // the same, with the groups of the species table and the header from its code
        CommandLine, // shown as a stand just loaded, under its own key
    };
    Origin origin = Origin::DataFile;
    // The stand in its class layout; none when a caliper import was cancelled.
    std::optional<StandSession> stand;
    int key = 0;
    QString file; // the file read, empty for none
};
