#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

// An independent reading of JHK.KRI and JHK.HMO for the tests: every field of every record, with
// bounds checked, so the invariants can be stated over plain vectors.
namespace refdata {

struct Segment {
    int curve, lower, upper, heightDm, gainDm;
};

struct CurveIndex {
    QByteArray code;
    int first, count;
    std::vector<Segment> segments;
};

struct VolumeRowRecord {
    int curve;
    std::array<int, 22> values; // first volume, then 21 steps, hundredths of m3
};

struct VolumeIndex {
    QByteArray code;
    int diameterRow, count;
    std::vector<int> diameters; // the 22 tabulated diameters
    std::vector<VolumeRowRecord> rows;
};

// Both return false with a reason when a record lies outside the file or the file has bytes that
// no index record accounts for.
bool parseCurveFile(const QByteArray& file, std::vector<CurveIndex>& out, QString& error);
bool parseVolumeFile(const QByteArray& file, std::vector<VolumeIndex>& out, QString& error);

// Volumes (hundredths of m3) at the tabulated diameters as the volume-table reader accumulates
// them: explicit steps are added, a 0 step grows the volume with basal area.
std::vector<double> tabulatedVolumes(const VolumeIndex& species, const VolumeRowRecord& row);

// Height (m) of a curve at diameter d from its segments; -1 when no segment of the curve holds d.
double curveHeight(const CurveIndex& species, int curve, double d);

} // namespace refdata
