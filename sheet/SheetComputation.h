#pragma once

#include "TallySheet.h"

#include <QString>
#include <vector>

// What became of one species when the stand was computed species by species.
struct SpeciesComputation {
    enum Outcome { Computed, NoTrees, NoHeight, NoDiameter };
    QString abbreviation;
    Outcome outcome = Computed;
    QString reason; // why not, in the program's words
    bool computed() const { return outcome == Computed; }
};

// The surveyor's run over every species of the stand on the sheet: the species picked,
// "Tloušťka" (a typed diameter stays), "Výpočet " when the sheet allows it, "Záznam" — the very
// operations of the buttons. A species without trees or without a mean height is left as it is
// and reported.
std::vector<SpeciesComputation> ComputeAllSpecies(TallySheet& sheet);
