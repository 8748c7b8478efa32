#pragma once

#include "SampleHeight.h"
#include "TTloustkoveStupne.h"
#include "TextUtils.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

// One species of a stand (SpeciesEntry). The first block is the persistent 35-byte record that
// the JHK data files store byte for byte; the rest are the first centre, the class array and the
// summary results written by the summary computation.
class TManual225 {
  public:
    static constexpr int RecordSize = 35;

    Kod3 abbreviation;                 // DR_ZKR
    Kod3 curveSpecies;                 // DR_VYP, computation species of the curves and volume tables
    double meanDiameter = 0;           // TLOUSTKA, cm (6-byte real precision)
    bool meanDiameterComputed = false; // VYPOC_TL
    double meanHeight = 0;             // VYSKA, m
    bool computed = false;             // VYPOCTENO
    double tableStock = 0;             // TAB_ZAS, m3/ha
    std::int16_t curve = 0;            // JHK, curve number in hundredths
    Kod3 tableSpecies;                 // DR_TAB
    std::int16_t classWidth = 4;       // TL_INTERVAL, cm
    std::int16_t classCount = 0;       // POCET_TL, elements of the class array

    double firstCentre = 10; // TL_MIN, cm
    std::vector<TTloustkoveStupne> classes;

    double standStocking = 0;
    std::int32_t code = 0;       // DR_KOD
    double stocking = 0;         // DR_ZAKM
    double actualArea = 0;       // DR_PLO, m2
    double reducedArea = 0;      // DR_PLO_RED, m2
    double reducedAreaShare = 0; // DR_PLO_RHA
    double share = 0;            // DR_ZAST, %
    bool conifer = false;
    double basalArea = 0;      // DR_G, m2
    double basalAreaPerHa = 0; // GHA, m2/ha
    double stockPerHa = 0;     // ZHA, m3/ha
    double totalStock = 0;     // DR_ZAS_CEL, m3

    // The species' sample trees (RivwoodVys), in the order they were entered.
    SampleHeights sampleHeights;

    // The packed persistent record (abbreviation … class count).
    QByteArray Record() const;
    // Fills the persistent fields from a 35-byte record.
    void SetRecord(const char* bytes);

    friend bool operator==(const TManual225&, const TManual225&) = default;
};

// Narrows to a 16-bit field; a value outside -32768..32767 is a RangeError naming the field.
std::int16_t NarrowTo16(long long value, const char* field);
