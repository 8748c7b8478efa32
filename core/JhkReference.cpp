#include "JhkReference.h"

#include "FileErrorText.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// A reference file read whole and addressed by fixed-size records.
class RecordFile {
  public:
    RecordFile(const QString& path, int recordSize) : m_path(path), m_size(recordSize) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw IoError(QString("Soubor %1 nelze otevřít: %2.")
                              .arg(QDir::toNativeSeparators(path), FileErrorText::ReadFailure(path)));
        // The files are a few kilobytes; anything far larger is not a reference file.
        if (f.size() > 16 * 1024 * 1024)
            throw IoError(QString("Soubor %1 není platný soubor JHK.").arg(QDir::toNativeSeparators(path)));
        m_data = f.readAll();
    }
    const std::uint8_t* record(qint64 n) const {
        if (n < 0 || (n + 1) * m_size > m_data.size())
            throw IoError(QString("Chyba čtení souboru %1: soubor je zkrácený nebo poškozený.")
                              .arg(QFileInfo(m_path).fileName()));
        return reinterpret_cast<const std::uint8_t*>(m_data.constData()) + n * m_size;
    }

  private:
    QString m_path;
    int m_size;
    QByteArray m_data;
};

int i16(const std::uint8_t* p) {
    return std::int16_t(std::uint16_t(p[0] | (p[1] << 8)));
}

bool sameCode(const std::uint8_t* p, const Kod3& c) {
    return std::memcmp(p, c.c.data(), 3) == 0;
}

// The number of the species' index record in JHK.KRI, or 0 when the file has none.
int curveIndex(const RecordFile& kri, const Kod3& species) {
    const int K = kri.record(0)[0];
    for (int k = 1; k <= K; ++k)
        if (sameCode(kri.record(k), species))
            return k;
    return 0;
}

double basalArea(double x) {
    return std::numbers::pi * (x / 200) * (x / 200);
}

} // namespace

QString KriPath(const QString& refDir) {
    return QDir(refDir).filePath("JHK.KRI");
}
QString HmoPath(const QString& refDir) {
    return QDir(refDir).filePath("JHK.HMO");
}

CurveSearch FindCurve(const QString& refDir, const Kod3& species, double d, double h) {
    CurveSearch r;
    const double H = 10 * h;
    bool found = false;
    double best = 1e20, spacing = 0;
    {
        const RecordFile kri(KriPath(refDir), 7);
        if (const int k = curveIndex(kri, species)) {
            const std::uint8_t* idx = kri.record(k);
            const int first = i16(idx + 3), n = i16(idx + 5);
            r.rows = n;
            if (n > 0) {
                const double dMin = kri.record(first)[2];
                const double dMax = kri.record(qint64(first) + n - 1)[3];
                if (d < dMin) {
                    r.diameterFlag = 1;
                    d = dMin;
                } else if (d > dMax) {
                    r.diameterFlag = 2;
                    d = dMax;
                }
                bool havePrevious = false;
                double previous = 0;
                for (int s = 0; s < n; ++s) {
                    const std::uint8_t* seg = kri.record(qint64(first) + s);
                    const double lower = seg[2], upper = seg[3];
                    if (!(lower <= d && d <= upper))
                        continue;
                    // A segment of zero length is invalid data; take its lower height.
                    const double q =
                        upper > lower ? seg[6] * (d - lower) / (upper - lower) + i16(seg + 4) : i16(seg + 4);
                    if (havePrevious && std::fabs(q - previous) > spacing)
                        spacing = std::fabs(q - previous);
                    previous = q;
                    havePrevious = true;
                    if (std::fabs(q - H) < std::fabs(best)) {
                        best = q - H;
                        r.curve = i16(seg);
                        found = true;
                    }
                }
            }
        }
    }
    if (found && std::fabs(best) > spacing)
        r.heightFlag = best > 0 ? 1 : 2;

    bool rowFound = false;
    {
        const RecordFile hmo(HmoPath(refDir), 24);
        const int K = hmo.record(0)[0];
        for (int k = 1; k <= K && !rowFound; ++k) {
            const std::uint8_t* idx = hmo.record(k);
            if (!sameCode(idx, species))
                continue;
            const int rowNo = i16(idx + 3), count = i16(idx + 5);
            r.rows = count;
            std::memcpy(r.diameterRow.data(), hmo.record(rowNo), 24);
            for (int v = 1; v <= count; ++v) {
                const std::uint8_t* row = hmo.record(qint64(rowNo) + v);
                if (i16(row) == r.curve) {
                    std::memcpy(r.volumeRow.data(), row, 24);
                    rowFound = true;
                    break;
                }
            }
            break;
        }
    }
    if (!rowFound || !found) {
        r.curve = 0;
        r.volumeRow.fill(0);
    }
    return r;
}

TableVolume VolumeFromTable(const JhkRow& D, const JhkRow& V, double x) {
    TableVolume r;
    if (D[2] - 2 > x)
        r.flag = 1;
    double d0 = D[2], v0 = V[2];
    double d1 = D[2] + D[3], v1 = V[2] + V[3];
    int last = 0;
    if (r.flag == 0) {
        for (int k = 1; k <= 21; ++k) {
            d1 = d0 + D[size_t(k + 2)];
            if (V[size_t(k + 2)] > 0)
                v1 = v0 + V[size_t(k + 2)];
            else
                v1 = d0 > 0 ? v0 / basalArea(d0) * basalArea(d1) : v0; // grows with basal area
            if (x > d1) {
                d0 = d1;
                v0 = v1;
                last = k;
                continue;
            }
            break;
        }
    }
    if (last == 21) {
        r.flag = 2;
        r.volume = d1 > 0 ? v1 / basalArea(d1) * basalArea(x) / 100 : 0;
    } else if (d1 != d0) {
        r.volume = (v0 + (x - d0) * (v1 - v0) / (d1 - d0)) / 100;
    }
    return r;
}

std::vector<CurvePoint> CurveLine(const QString& refDir, const Kod3& species, int curve) {
    std::vector<CurvePoint> line;
    const RecordFile kri(KriPath(refDir), 7);
    const int k = curveIndex(kri, species);
    const int first = k ? i16(kri.record(k) + 3) : 0, n = k ? i16(kri.record(k) + 5) : 0;
    for (int s = 0; s < n; ++s) {
        const std::uint8_t* seg = kri.record(qint64(first) + s);
        if (i16(seg) != curve || seg[3] <= seg[2])
            continue;
        const double lower = i16(seg + 4) / 10.0;
        line.push_back({double(seg[2]), lower});
        line.push_back({double(seg[3]), lower + seg[6] / 10.0});
    }
    std::stable_sort(line.begin(), line.end(),
                     [](const CurvePoint& a, const CurvePoint& b) { return a.diameter < b.diameter; });
    // Adjacent segments share their end points.
    line.erase(std::unique(line.begin(), line.end()), line.end());
    return line;
}
