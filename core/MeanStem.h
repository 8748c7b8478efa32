#pragma once

#include "JhkReference.h"
#include "StandSession.h"
#include "UserMessage.h"

#include <QString>

// The tally sheet's computations on the working copy: the mean-stem diameter from the tally and
// the stock of the species by its JHK curve.
namespace MeanStem {

// Sums the counts of classes 1..n into element 0; returns the rounded total.
long long SectiCetnosti(WorkingCopy& work);
// Basal areas per class (element 0 the total) from the integer class centres, and the basal-area
// mean diameter sqrt(G / N / pi) * 200 with N the rounded total count; 0 when N is 0.
double BasalAreaMeanDiameter(WorkingCopy& work, const ClassLayout& layout);
// "%8.4g", the diameter and height boxes' display.
QString FormatMeanValue(double value);
// The number as the box reads it back (four significant digits).
double ThroughDisplay(double value);

// The warning text for the curve search's range flags; empty when both are 0.
QString CurveWarning(int diameterFlag, int heightFlag);

// "Výpočet ": finds the curve for the working copy's curve species, diameter and height, and fills
// the one-tree and class volumes of every class and the total stock. Sets Vypocteno, clears
// Zaznamenano, Ulozeno and the stand's summary flag.
CurveSearch ComputeStock(StandSession& session, const QString& refDir);

// The whole path of the tally sheet for every species of the stand: mean diameter from the tally
// when it was not typed, both mean values through their display, the curve and the volumes, then
// the species recorded. Returns the warnings, one per species that has any.
UserMessages ComputeStand(StandSession& session, const QString& refDir);

} // namespace MeanStem
