#pragma once

#include "TManualy225.h"
#include "UserMessage.h"

#include <QString>
#include <optional>
#include <vector>

// One finding of "Kontrola porostu": a likely typing or caliper error. Never a block.
struct PlausibilityWarning {
    QString species;     // abbreviation; empty for the stand as a whole
    int classCentre = 0; // the class concerned, cm; 0 when none
    QString kind;
    QString text;
    friend bool operator==(const PlausibilityWarning&, const PlausibilityWarning&) = default;
};

// The kinds, as `rivwood-cli check` names them.
namespace PlausibilityKind {
inline const QString DiameterOutsideFamily = "tloustka-mimo-grafikon";
inline const QString HeightImplausible = "vyska-neodpovida-tloustce";
inline const QString ClassBeyondTable = "stupen-za-tabulkou";
inline const QString SeparatedClass = "osamely-stupen";
inline const QString NoHeight = "chybi-vyska";
inline const QString NotComputed = "nevypoctena";
inline const QString NoArea = "nulova-plocha";
inline const QString HighStocking = "vysoke-zakmeneni";
inline const QString OutlyingHeight = "odlehla-vyska";
inline const QString HeightOffCurve = "vyska-mimo-krivku";
} // namespace PlausibilityKind

// The check of a stand against the JHK reference files in `referenceDirectory`, species by species:
// the mean stem outside the curve family, a mean height outside the heights the curves give at the
// mean diameter, tallied classes beyond the volume table, a class far from the other tallied
// classes, trees without a mean height, trees never computed ("Výpočet "), sample heights far off
// the species' height curve and a mean height far from it; for the stand a zero area with trees and
// a stocking above 1.5. A species without a mean diameter is checked with the basal-area mean of its
// tally. The area is left out with `withArea` false (the sheet saves every stand with 1 ha).
std::vector<PlausibilityWarning> CheckStand(const TManualy225& stand, const QString& referenceDirectory,
                                            bool withArea = true);

// The findings in one warning, as shown before saving and printing; nothing when there are none.
std::optional<UserMessage> FindingsWarning(const std::vector<PlausibilityWarning>& warnings);

// The empty classes between a class and its nearest tallied neighbour from which it counts as
// separated: 20 cm of diameter, at least four classes.
int SeparatingEmptyClasses(int classWidth);
