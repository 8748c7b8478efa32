#pragma once

#include "SampleHeight.h"
#include "TextUtils.h"

#include <cstdint>
#include <vector>

// The species being edited on the tally sheet; recorded into the stand by RecordWorkingCopy.
struct WorkingCopy {
    Kod3 KodDreviny;        // abbreviation
    Kod3 KodJhkDle;         // computation (curve) species
    Kod3 KodTabZasDle;      // table species
    double StrTloustka = 0; // mean diameter, cm
    double StrVyska = 0;    // mean height, m
    double TabZasoba = 0;   // table stock, m3/ha
    bool TloustkaVypoctena = false;
    std::int32_t CisloJhk100 = 0;
    std::vector<double> Cetnosti;        // counts, element 0 = total
    std::vector<double> ObjJednotky;     // volume of one tree per class
    std::vector<double> Objemy;          // class volumes, element 0 = total stock
    std::vector<double> KruhoveZakladny; // basal areas, m2, element 0 = total
    SampleHeights VyskoveVzorniky;       // sample heights of the species
    friend bool operator==(const WorkingCopy&, const WorkingCopy&) = default;
};
