#include "VolumeRow.h"

#include "RivwoodError.h"
#include "Rounding.h"

namespace {

// Volume grown with basal area from diameter d0 to d1; the ratio of basal areas is (d1/d0)^2.
double basalAreaGrowth(double volume, int d0, int d1) {
    return volume / (double(d0) * d0) * (double(d1) * d1);
}

} // namespace

VolumeRow BuildVolumeRow(int curve, const std::vector<int>& diameters,
                         const std::vector<double>& hundredths) {
    if (diameters.size() != 22 || hundredths.size() != 22)
        throw RangeError(QStringLiteral("a volume row needs 22 tabulated values"));
    VolumeRow row;
    row.curve = curve;
    const int first = RoundWellSeparated(hundredths[0]);
    if (first < 1 || first > 255)
        throw RangeError(QStringLiteral("curve %1: volume %2 at %3 cm does not fit a byte")
                             .arg(curve)
                             .arg(first)
                             .arg(diameters[0]));
    row.values[0] = uint8_t(first);
    double reader = first;
    for (size_t k = 1; k < 22; ++k) {
        const int step = RoundWellSeparated(hundredths[k] - reader);
        if (step >= 1 && step <= 255) {
            row.values[k] = uint8_t(step);
            reader += step;
        } else {
            row.values[k] = 0;
            reader = basalAreaGrowth(reader, diameters[k - 1], diameters[k]);
        }
    }
    return row;
}

std::vector<double> ReadVolumeRow(const std::vector<int>& diameters, const VolumeRow& row) {
    std::vector<double> volumes{double(row.values[0])};
    for (size_t k = 1; k < row.values.size() && k < diameters.size(); ++k) {
        const double previous = volumes.back();
        volumes.push_back(row.values[k] > 0 ? previous + row.values[k]
                                            : basalAreaGrowth(previous, diameters[k - 1], diameters[k]));
    }
    return volumes;
}
