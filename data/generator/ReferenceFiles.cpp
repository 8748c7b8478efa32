#include "ReferenceFiles.h"

#include "RivwoodError.h"
#include "Rounding.h"
#include "TableStock.h"

#include <map>

namespace {

constexpr int kCurveRecord = 7;
constexpr int kVolumeRecord = 24;

void putByte(QByteArray& record, int offset, int value) {
    if (value < 0 || value > 255)
        throw RangeError(QStringLiteral("%1 does not fit a byte").arg(value));
    record[offset] = char(uint8_t(value));
}

// Record numbers and counts are little-endian signed 16-bit fields.
void putInt16(QByteArray& record, int offset, int value) {
    if (value < -32768 || value > 32767)
        throw RangeError(QStringLiteral("%1 does not fit a 16-bit field").arg(value));
    record[offset] = char(uint8_t(value & 0xff));
    record[offset + 1] = char(uint8_t((value >> 8) & 0xff));
}

QByteArray indexRecord(int size, const QByteArray& code, int firstRecord, int count) {
    if (code.size() != 3)
        throw RangeError(
            QStringLiteral("species code '%1' is not 3 characters").arg(QString::fromLatin1(code)));
    QByteArray record(size, '\0');
    record.replace(0, 3, code);
    putInt16(record, 3, firstRecord);
    putInt16(record, 5, count);
    return record;
}

QByteArray headerRecord(int size, size_t speciesCount) {
    QByteArray record(size, '\0');
    putByte(record, 0, int(speciesCount));
    return record;
}

} // namespace

SpeciesTables BuildSpeciesTables(const SpeciesModel& model) {
    SpeciesTables tables;
    tables.code = model.code;
    tables.diameters = TabulatedDiameters(model);
    for (int designation : CurveDesignations(model)) {
        const int curve = designation * 100;
        std::map<int, int> heights; // whole cm -> dm, so splits and volumes see the same heights
        auto heightDm = [&](int d) {
            auto it = heights.find(d);
            if (it == heights.end())
                it = heights.emplace(d, RoundWellSeparated(10.0 * CurveHeight(model, designation, d))).first;
            return it->second;
        };
        const std::vector<CurveSegment> segments =
            BuildCurveSegments(curve, CurveBreakpoints(model), heightDm);
        tables.segments.insert(tables.segments.end(), segments.begin(), segments.end());

        std::vector<double> hundredths;
        for (int d : tables.diameters)
            hundredths.push_back(100.0 * TotalStemVolume(model.tableSpecies, d, heightDm(d) / 10.0));
        tables.rows.push_back(BuildVolumeRow(curve, tables.diameters, hundredths));
    }
    return tables;
}

QByteArray BuildCurveFile(const std::vector<SpeciesTables>& species) {
    QByteArray file = headerRecord(kCurveRecord, species.size());
    int next = 1 + int(species.size());
    for (const SpeciesTables& s : species) {
        file += indexRecord(kCurveRecord, s.code, next, int(s.segments.size()));
        next += int(s.segments.size());
    }
    for (const SpeciesTables& s : species) {
        for (const CurveSegment& segment : s.segments) {
            QByteArray record(kCurveRecord, '\0');
            putInt16(record, 0, segment.curve);
            putByte(record, 2, segment.lower);
            putByte(record, 3, segment.upper);
            putInt16(record, 4, segment.heightDm);
            putByte(record, 6, segment.gainDm);
            file += record;
        }
    }
    return file;
}

QByteArray BuildVolumeFile(const std::vector<SpeciesTables>& species) {
    QByteArray file = headerRecord(kVolumeRecord, species.size());
    int next = 1 + int(species.size());
    for (const SpeciesTables& s : species) {
        file += indexRecord(kVolumeRecord, s.code, next, int(s.rows.size()));
        next += 1 + int(s.rows.size());
    }
    for (const SpeciesTables& s : species) {
        if (s.diameters.size() != 22)
            throw RangeError(QStringLiteral("a diameter row needs 22 tabulated diameters"));
        QByteArray diameterRow(kVolumeRecord, '\0');
        putByte(diameterRow, 2, s.diameters[0]);
        for (size_t k = 1; k < s.diameters.size(); ++k)
            putByte(diameterRow, int(k) + 2, s.diameters[k] - s.diameters[k - 1]);
        file += diameterRow;
        for (const VolumeRow& row : s.rows) {
            QByteArray record(kVolumeRecord, '\0');
            putInt16(record, 0, row.curve);
            for (size_t k = 0; k < row.values.size(); ++k)
                putByte(record, int(k) + 2, row.values[k]);
            file += record;
        }
    }
    return file;
}
