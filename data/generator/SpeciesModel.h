#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Diameter at which a curve's designation is its height: curve 24 is 24 m tall at 30 cm.
constexpr double kReferenceDiameter = 30.0;
constexpr int kTabulatedDiameters = 22;

// The height-curve family and volume table of one curve species.
struct SpeciesModel {
    QByteArray code;      // curve species, 3 characters, space-padded
    QString tableSpecies; // volume equations used to tabulate its volumes
    double shape = 0;     // Michailoff b, cm: larger values rise longer before levelling off
    int lowestCurve = 0;  // designations in whole metres at the reference diameter
    int highestCurve = 0;
    int curveStep = 0;
    int firstDiameter = 0;           // first tabulated diameter, cm
    std::vector<int> diameterSteps;  // the 21 steps to the following tabulated diameters, cm
    std::vector<int> curveExtension; // further curve breakpoints beyond the last tabulated diameter, cm
};

// The twelve curve species in file order.
const std::vector<SpeciesModel>& CurveSpeciesModels();

// The 22 tabulated diameters of a species (also the breakpoints of its height curves).
std::vector<int> TabulatedDiameters(const SpeciesModel& model);

// Diameters at which the height curves break: the tabulated diameters, the reference diameter
// (so each curve passes exactly through its designation) and the extension, ascending.
std::vector<int> CurveBreakpoints(const SpeciesModel& model);

// Designations of the species' curves, lowest first.
std::vector<int> CurveDesignations(const SpeciesModel& model);

// Michailoff curve through `designation` m at the reference diameter:
// h(d) = 1.3 + (designation - 1.3) * exp(b * (1/30 - 1/d)), in m.
double CurveHeight(const SpeciesModel& model, int designation, double d);
