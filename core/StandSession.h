#pragma once

#include "ClassLayout.h"
#include "TManualy225.h"
#include "WorkingCopy.h"

// A stand with its class layout and the working copy of the species being edited: what a reader,
// an import or the stand store fills and what the tally sheet keeps of the stand on display.
class StandSession {
  public:
    StandSession();

    TManualy225 stand;
    ClassLayout layout;
    WorkingCopy work;

    // How RecordWorkingCopy went.
    enum class Recording { Replaced, Appended, Refused };

    // Stores width and first centre, recomputes the class count and resizes the working arrays.
    void SetClassLayout(int width, double firstCentre);
    // Copies the working copy into the stand, replacing the species with the same abbreviation or
    // appending it while the stand has fewer than `speciesLimit` species (the species list size).
    // `computed` is the species' "computed" field.
    Recording RecordWorkingCopy(int speciesLimit, bool computed);
    // Loads the species into the working copy; nothing when the stand has no such species.
    const TManual225* SelectSpecies(const Kod3& abbreviation);
    // Removes the species; false when absent.
    bool DeleteSpecies(const Kod3& abbreviation);
    void ClearStand() { stand.ClearStand(); }
    // Zeroes the working arrays and the mean stem, curve and table stock; no sample heights.
    void ResetWorkingCopy();
    void LoadWorkingCopy(const TManual225& species);
    // Fills a species record from the working copy (6-byte real precision, 16-bit narrowing).
    void StoreWorkingCopy(TManual225& species, bool computed) const;

    // The stand code of the current location texts.
    QString KodPorostu() const;
};
