#pragma once

#include "TextUtils.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// A 24-byte row of JHK.HMO: the species' diameter row or one curve's volume row.
using JhkRow = std::array<std::uint8_t, 24>;

struct CurveSearch {
    int curve = 0;        // curve number in hundredths; 0 when no curve was found
    int rows = 0;         // volume rows of the species
    int diameterFlag = 0; // 0 inside, 1 below the curve family, 2 above
    int heightFlag = 0;   // 0 inside, 1 below the lowest curve, 2 above the highest
    JhkRow diameterRow{};
    JhkRow volumeRow{};
};

struct TableVolume {
    double volume = 0; // m3 of one tree
    int flag = 0;      // 0 interpolated, 1 more than 2 cm below the table, 2 beyond its end
};

// Paths of the reference files in a directory.
QString KriPath(const QString& refDir);
QString HmoPath(const QString& refDir);

// The curve of the family of `species` nearest to the mean stem (d cm, h m) and its volume row,
// read from JHK.KRI and JHK.HMO in refDir. An unreadable or truncated file is an IoError.
CurveSearch FindCurve(const QString& refDir, const Kod3& species, double d, double h);

// Volume of one tree of diameter x from a diameter row and a volume row.
TableVolume VolumeFromTable(const JhkRow& diameterRow, const JhkRow& volumeRow, double x);

// A point of a JHK height curve: diameter in cm, height in m.
struct CurvePoint {
    double diameter = 0;
    double height = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// The height curve numbered `curve` (hundredths) of `species` in JHK.KRI: the ends of its
// segments in order of diameter; empty when the species has no such curve.
std::vector<CurvePoint> CurveLine(const QString& refDir, const Kod3& species, int curve);
