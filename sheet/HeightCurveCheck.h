#pragma once

#include "PlausibilityCheck.h"

// The findings of "Kontrola porostu" about a species' sample heights and its own height curve.
namespace HeightCurveCheck {

// A sample whose height lies farther from the species' best height curve than three times the
// root mean square error of the other samples ("odlehlá výška"); a residual within 1.5 m, what a
// height reading may be off, is never flagged.
void CheckSamples(const TManual225& species, const QString& name, std::vector<PlausibilityWarning>& out);
// A mean height more than 10 % from the height the curve gives at the mean diameter d.
void CheckMeanHeight(const TManual225& species, const QString& name, double d,
                     std::vector<PlausibilityWarning>& out);

} // namespace HeightCurveCheck
