#pragma once

#include "ClassLayout.h"
#include "EditingFlags.h"
#include "TManualy225.h"
#include "WorkingCopy.h"

#include <functional>

// The one current stand with its class layout, the working copy of the species on display and
// the editing-state flags. The program holds one instance for the whole run.
class StandSession {
  public:
    StandSession();

    TManualy225 stand;
    ClassLayout layout;
    WorkingCopy work;
    EditingFlags flags;

    // Told of every layout change, so the tally sheet can show the width and first centre.
    std::function<void(const ClassLayout&)> layoutChanged;

    // Stores width and first centre, recomputes the class count and resizes the working arrays.
    void SetClassLayout(int width, double firstCentre);
    // Copies the working copy into the stand, replacing the species with the same abbreviation or
    // appending it while the stand has fewer than `speciesLimit` species (the species list size).
    void RecordWorkingCopy(int speciesLimit);
    // Loads the species into the working copy; false when the stand has no such species.
    bool SelectSpecies(const Kod3& abbreviation);
    // Removes the species; clears Ulozeno. False when absent.
    bool DeleteSpecies(const Kod3& abbreviation);
    void ClearStand() { stand.ClearStand(); }
    // Zeroes the working arrays and the mean stem, curve and table stock; no sample heights.
    void ResetWorkingCopy();
    void LoadWorkingCopy(const TManual225& species);
    // Fills a species record from the working copy (6-byte real precision, 16-bit narrowing).
    void StoreWorkingCopy(TManual225& species) const;

    // The stand code of the current location texts.
    QString KodPorostu() const;
};
