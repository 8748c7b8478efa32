#pragma once

#include "CurveSegments.h"
#include "SpeciesModel.h"
#include "VolumeRow.h"

#include <QByteArray>
#include <vector>

// Everything the two reference files hold for one curve species.
struct SpeciesTables {
    QByteArray code;
    std::vector<int> diameters;         // the 22 tabulated diameters, cm
    std::vector<CurveSegment> segments; // curve by curve, lowest curve first, each by diameter
    std::vector<VolumeRow> rows;        // one per curve, in the same order
};

// Heights and volumes of one species from its model: heights rounded to dm at whole diameters,
// volumes from the species' total-stem volume equation at those heights.
SpeciesTables BuildSpeciesTables(const SpeciesModel& model);

// The height-curve file "JHK.KRI" (7-byte records) and the volume-table file "JHK.HMO" (24-byte
// records), each with its index of species.
QByteArray BuildCurveFile(const std::vector<SpeciesTables>& species);
QByteArray BuildVolumeFile(const std::vector<SpeciesTables>& species);
