#include "ParsedReferenceFiles.h"

#include <cmath>
#include <numbers>

namespace refdata {

namespace {

int u8(const QByteArray& f, qsizetype at) {
    return uint8_t(f[at]);
}
int i16(const QByteArray& f, qsizetype at) {
    return int16_t(uint16_t(u8(f, at) | (u8(f, at + 1) << 8)));
}

} // namespace

bool parseCurveFile(const QByteArray& f, std::vector<CurveIndex>& out, QString& error) {
    out.clear();
    if (f.size() < 7 || f.size() % 7 != 0) {
        error = QStringLiteral("size %1 is not a whole number of 7-byte records").arg(f.size());
        return false;
    }
    const int records = int(f.size() / 7);
    const int k = u8(f, 0);
    if (k + 1 > records) {
        error = QStringLiteral("index of %1 records exceeds the file").arg(k);
        return false;
    }
    int covered = 1 + k;
    for (int i = 1; i <= k; ++i) {
        CurveIndex index{f.mid(7 * i, 3), i16(f, 7 * i + 3), i16(f, 7 * i + 5), {}};
        if (index.first < 1 + k || index.count < 1 || index.first + index.count > records) {
            error = QStringLiteral("index %1 points outside the file").arg(i);
            return false;
        }
        for (int r = index.first; r < index.first + index.count; ++r) {
            const qsizetype at = 7 * qsizetype(r);
            index.segments.push_back(
                {i16(f, at), u8(f, at + 2), u8(f, at + 3), i16(f, at + 4), u8(f, at + 6)});
        }
        covered += index.count;
        out.push_back(std::move(index));
    }
    if (covered != records) {
        error = QStringLiteral("%1 records, but the index accounts for %2").arg(records).arg(covered);
        return false;
    }
    return true;
}

bool parseVolumeFile(const QByteArray& f, std::vector<VolumeIndex>& out, QString& error) {
    out.clear();
    if (f.size() < 24 || f.size() % 24 != 0) {
        error = QStringLiteral("size %1 is not a whole number of 24-byte records").arg(f.size());
        return false;
    }
    const int records = int(f.size() / 24);
    const int k = u8(f, 0);
    if (k + 1 > records) {
        error = QStringLiteral("index of %1 records exceeds the file").arg(k);
        return false;
    }
    int covered = 1 + k;
    for (int i = 1; i <= k; ++i) {
        VolumeIndex index{f.mid(24 * i, 3), i16(f, 24 * i + 3), i16(f, 24 * i + 5), {}, {}};
        if (index.diameterRow < 1 + k || index.count < 1 || index.diameterRow + 1 + index.count > records) {
            error = QStringLiteral("index %1 points outside the file").arg(i);
            return false;
        }
        const qsizetype d = 24 * qsizetype(index.diameterRow);
        index.diameters.push_back(u8(f, d + 2));
        for (int s = 3; s < 24; ++s)
            index.diameters.push_back(index.diameters.back() + u8(f, d + s));
        for (int r = index.diameterRow + 1; r <= index.diameterRow + index.count; ++r) {
            const qsizetype at = 24 * qsizetype(r);
            VolumeRowRecord row{i16(f, at), {}};
            for (int s = 0; s < 22; ++s)
                row.values[s] = u8(f, at + 2 + s);
            index.rows.push_back(row);
        }
        covered += 1 + index.count;
        out.push_back(std::move(index));
    }
    if (covered != records) {
        error = QStringLiteral("%1 records, but the index accounts for %2").arg(records).arg(covered);
        return false;
    }
    return true;
}

std::vector<double> tabulatedVolumes(const VolumeIndex& species, const VolumeRowRecord& row) {
    auto g = [](double x) { return std::numbers::pi * (x / 200) * (x / 200); };
    std::vector<double> v{double(row.values[0])};
    for (size_t k = 1; k < 22; ++k) {
        const double previous = v.back();
        v.push_back(row.values[k] > 0 ? previous + row.values[k]
                                      : previous / g(species.diameters[k - 1]) * g(species.diameters[k]));
    }
    return v;
}

double curveHeight(const CurveIndex& species, int curve, double d) {
    for (const Segment& s : species.segments)
        if (s.curve == curve && s.lower <= d && d <= s.upper)
            return (s.heightDm + s.gainDm * (d - s.lower) / (s.upper - s.lower)) / 10.0;
    return -1;
}

} // namespace refdata
