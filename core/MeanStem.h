#pragma once

#include "ClassLayout.h"
#include "WorkingCopy.h"

#include <QString>

// The tally sheet's formulas on the working copy: the count total, the basal-area mean
// diameter and the texts of the mean stem.
namespace MeanStem {

// Sums the counts of classes 1..n into element 0; returns the rounded total.
long long SectiCetnosti(WorkingCopy& work);
// Basal areas per class (element 0 the total) from the integer class centres, and the basal-area
// mean diameter sqrt(G / N / pi) * 200 with N the rounded total count; 0 when N is 0.
double BasalAreaMeanDiameter(WorkingCopy& work, const ClassLayout& layout);
// "%8.4g", the diameter and height boxes' display.
QString FormatMeanValue(double value);
// The warning text for the curve search's range flags; empty when both are 0.
QString CurveWarning(int diameterFlag, int heightFlag);

} // namespace MeanStem
