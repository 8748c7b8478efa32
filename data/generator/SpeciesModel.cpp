#include "SpeciesModel.h"

#include <algorithm>
#include <cmath>

namespace {

// 8 cm to 102 cm: 2 cm steps among thin trees, then 4, 6 and 8 cm.
const std::vector<int> kStandardSteps = {2, 2, 2, 2, 2, 2, 4, 4, 4, 4, 4, 4, 4, 4, 6, 6, 6, 8, 8, 8, 8};
// Poplars of river banks grow thicker: 8 cm to 122 cm.
const std::vector<int> kPoplarSteps = {2, 2, 2, 2, 4, 4, 4, 4, 4, 4, 4, 4, 6, 6, 8, 8, 8, 8, 10, 10, 10};
// The beech equation loses its form beyond about 70 cm (the form factor falls steeply), so beech is
// tabulated from 8 to 70 cm and thicker trees grow with basal area; its curves still reach 102 cm.
const std::vector<int> kBeechSteps = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
const std::vector<int> kBeechExtension = {78, 86, 94, 102};

} // namespace

const std::vector<SpeciesModel>& CurveSpeciesModels() {
    static const std::vector<SpeciesModel> models = {
        {"sm ", "sm", 12.0, 14, 38, 2, 8, kStandardSteps, {}},           // spruce
        {"jd ", "jd", 13.0, 14, 38, 2, 8, kStandardSteps, {}},           // fir
        {"bo ", "bo", 9.0, 12, 34, 2, 8, kStandardSteps, {}},            // pine
        {"md ", "md", 10.0, 14, 38, 2, 8, kStandardSteps, {}},           // larch
        {"db ", "db", 10.0, 12, 34, 2, 8, kStandardSteps, {}},           // oak
        {"bk ", "bk", 12.0, 14, 38, 2, 8, kBeechSteps, kBeechExtension}, // beech
        {"hb ", "hb", 8.0, 10, 24, 2, 8, kStandardSteps, {}},            // hornbeam
        {"js ", "js", 11.0, 14, 36, 2, 8, kStandardSteps, {}},           // ash
        {"br ", "br", 8.0, 12, 30, 2, 8, kStandardSteps, {}},            // birch
        {"ol ", "ol", 9.0, 12, 30, 2, 8, kStandardSteps, {}},            // alder
        {"os ", "tp", 10.0, 12, 34, 2, 8, kStandardSteps, {}}, // aspen, tabulated with the poplar equations
        {"tp ", "tp", 11.0, 14, 36, 2, 8, kPoplarSteps, {}},   // poplars
    };
    return models;
}

std::vector<int> TabulatedDiameters(const SpeciesModel& model) {
    std::vector<int> diameters{model.firstDiameter};
    for (int step : model.diameterSteps)
        diameters.push_back(diameters.back() + step);
    return diameters;
}

std::vector<int> CurveBreakpoints(const SpeciesModel& model) {
    std::vector<int> breakpoints = TabulatedDiameters(model);
    breakpoints.insert(breakpoints.end(), model.curveExtension.begin(), model.curveExtension.end());
    breakpoints.push_back(int(kReferenceDiameter));
    std::sort(breakpoints.begin(), breakpoints.end());
    breakpoints.erase(std::unique(breakpoints.begin(), breakpoints.end()), breakpoints.end());
    return breakpoints;
}

std::vector<int> CurveDesignations(const SpeciesModel& model) {
    std::vector<int> curves;
    for (int c = model.lowestCurve; c <= model.highestCurve; c += model.curveStep)
        curves.push_back(c);
    return curves;
}

double CurveHeight(const SpeciesModel& model, int designation, double d) {
    return 1.3 + (designation - 1.3) * std::exp(model.shape * (1.0 / kReferenceDiameter - 1.0 / d));
}
