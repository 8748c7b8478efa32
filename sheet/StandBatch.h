#pragma once

#include "StandStore.h"

#include <QString>
#include <functional>
#include <vector>

// What the computation of many stored stands did.
struct StandBatchResult {
    struct Skip {
        int key = 0;
        QString species; // empty when the stand as a whole was left
        QString reason;
    };
    std::vector<int> computed; // computed, summarised and stored
    std::vector<Skip> skipped; // left as they were stored
    bool interrupted = false;
};

// Told after each stand; false stops the run (the stands done so far stay stored).
using StandBatchProgress = std::function<bool(int done, int total)>;

// The stored stands one by one, as the surveyor would do them on the sheet: loaded, every species
// through "Tloušťka", "Výpočet " and "Záznam", then "Uložení porostu do databáze" (the summary and
// the save). A species with trees but without a mean height or diameter leaves its stand as it
// was stored, and is listed with its reason. The stand on the window's sheet is not touched.
StandBatchResult ComputeStands(StandStore& store, const QString& referenceDirectory,
                               const std::vector<int>& keys, const StandBatchProgress& progress = {});
