#include "ReferenceFileBuilder.h"

#include "TestSupport.h"

#include <QDir>

namespace {
void put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void putCode(QByteArray& b, const QString& code) {
    b.append(code.toLatin1().leftJustified(3, ' ', true));
}
} // namespace

QByteArray BuildKri(const std::vector<KriSpecies>& species) {
    QByteArray out(7, '\0');
    out[0] = char(species.size());
    int next = 1 + int(species.size());
    for (const auto& s : species) {
        putCode(out, s.code);
        put16(out, next);
        put16(out, int(s.segments.size()));
        next += int(s.segments.size());
    }
    for (const auto& s : species)
        for (const auto& g : s.segments) {
            put16(out, g.curve);
            out.append(char(g.lower));
            out.append(char(g.upper));
            put16(out, g.heightDm);
            out.append(char(g.gainDm));
        }
    return out;
}

QByteArray BuildHmo(const std::vector<HmoSpecies>& species) {
    QByteArray out(24, '\0');
    out[0] = char(species.size());
    int next = 1 + int(species.size());
    for (const auto& s : species) {
        QByteArray idx;
        putCode(idx, s.code);
        put16(idx, next);
        put16(idx, int(s.rows.size()));
        out.append(idx.leftJustified(24, '\0'));
        next += 1 + int(s.rows.size());
    }
    for (const auto& s : species) {
        QByteArray d(24, '\0');
        d[2] = char(s.firstDiameter);
        for (size_t k = 0; k < s.diameterSteps.size(); ++k)
            d[int(3 + k)] = char(s.diameterSteps[k]);
        out.append(d);
        for (const auto& r : s.rows) {
            QByteArray v(24, '\0');
            v[0] = char(r.curve & 0xFF);
            v[1] = char((r.curve >> 8) & 0xFF);
            v[2] = char(r.first);
            for (size_t k = 0; k < r.steps.size(); ++k)
                v[int(3 + k)] = char(r.steps[k]);
            out.append(v);
        }
    }
    return out;
}

void WriteReferenceFiles(const QString& dir, const std::vector<KriSpecies>& kri,
                         const std::vector<HmoSpecies>& hmo) {
    testsupport::writeFile(QDir(dir).filePath("JHK.KRI"), BuildKri(kri));
    testsupport::writeFile(QDir(dir).filePath("JHK.HMO"), BuildHmo(hmo));
}
