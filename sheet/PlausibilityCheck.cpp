#include "PlausibilityCheck.h"

#include "HeightCurveCheck.h"
#include "JhkReference.h"
#include "SpeciesTables.h"
#include "TextUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

using namespace PlausibilityKind;

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace('.', ',');
}

// The basal-area mean diameter of the tally, as "Tloušťka" computes it.
double tallyMeanDiameter(const TManual225& s) {
    double trees = 0, basal = 0;
    for (size_t i = 1; i < s.classes.size(); ++i) {
        const double d = RoundHalfEven(s.classes[i].centre);
        trees += s.classes[i].trees;
        basal += (d / 200) * (d / 200) * std::numbers::pi * s.classes[i].trees;
    }
    const double n = RoundHalfEven(trees);
    return n > 0 ? std::sqrt(basal / n / std::numbers::pi) * 200 : 0;
}

// The lowest or highest mean height at diameter d that the curve family takes in: the edge
// between flag 0 and the flag outside, found by halving.
double familyEdge(const QString& refDir, const Kod3& species, double d, bool upper) {
    double inside = 0, outside = upper ? 80 : 0.1;
    // A height inside the family to start from.
    for (double h = 2; h <= 60; h += 2)
        if (FindCurve(refDir, species, d, h).heightFlag == 0) {
            inside = h;
            break;
        }
    if (inside == 0)
        return 0;
    for (int i = 0; i < 24; ++i) {
        const double mid = (inside + outside) / 2;
        (FindCurve(refDir, species, d, mid).heightFlag == 0 ? inside : outside) = mid;
    }
    return inside;
}

void checkSpecies(const TManual225& s, const QString& name, const QString& refDir,
                  std::vector<PlausibilityWarning>& out) {
    std::vector<int> tallied; // element indices with trees
    for (size_t i = 1; i < s.classes.size(); ++i)
        if (s.classes[i].trees > 0)
            tallied.push_back(int(i));
    if (tallied.empty())
        return;
    const double d = s.meanDiameter > 0 ? s.meanDiameter : tallyMeanDiameter(s);
    const double h = s.meanHeight;
    if (h <= 0)
        out.push_back(
            {name, 0, NoHeight, QString("%1: dřevina má stromy, ale chybí střední výška.").arg(name)});
    HeightCurveCheck::CheckMeanHeight(s, name, d, out);
    if (!s.computed)
        out.push_back({name, 0, NotComputed, QString("%1: dřevina není vypočtena.").arg(name)});

    if (h > 0 && d > 0) {
        const CurveSearch search = FindCurve(refDir, s.curveSpecies, d, h);
        if (search.rows == 0)
            return; // no curves for the species: nothing to compare with
        if (search.diameterFlag != 0)
            out.push_back({name, 0, DiameterOutsideFamily,
                           QString("%1: střední tloušťka %2 cm leží %3 grafikonu JHK.")
                               .arg(name, number(d, 1),
                                    search.diameterFlag == 2 ? "nad horní mezí" : "pod dolní mezí")});
        else if (search.heightFlag != 0)
            out.push_back(
                {name, 0, HeightImplausible,
                 QString("%1: střední výška %2 m neodpovídá tloušťce %3 cm (křivky JHK dávají %4 až %5 m).")
                     .arg(name, number(h, 1), number(d, 1),
                          number(familyEdge(refDir, s.curveSpecies, d, false), 1),
                          number(familyEdge(refDir, s.curveSpecies, d, true), 1))});
        for (const int i : tallied) {
            const double centre = s.classes[size_t(i)].centre;
            if (VolumeFromTable(search.diameterRow, search.volumeRow, centre).flag == 2)
                out.push_back({name, int(std::lround(centre)), ClassBeyondTable,
                               QString("%1: stupeň %2 cm leží za koncem tabulky objemů JHK.")
                                   .arg(name, number(centre, 0))});
        }
    }

    const int gap = SeparatingEmptyClasses(s.classWidth);
    for (size_t k = 0; k < tallied.size() && tallied.size() > 1; ++k) {
        const int before = k > 0 ? tallied[k] - tallied[k - 1] - 1 : INT_MAX;
        const int after = k + 1 < tallied.size() ? tallied[k + 1] - tallied[k] - 1 : INT_MAX;
        const int nearest = std::min(before, after);
        if (nearest >= gap) {
            const double centre = s.classes[size_t(tallied[k])].centre;
            out.push_back(
                {name, int(std::lround(centre)), SeparatedClass,
                 QString("%1: stupeň %2 cm dělí od ostatních stupňů %3 prázdných stupňů – není to překlep?")
                     .arg(name, number(centre, 0))
                     .arg(nearest)});
        }
    }
}

} // namespace

int SeparatingEmptyClasses(int classWidth) {
    return std::max(4, int(std::ceil(20.0 / std::max(1, classWidth))));
}

std::vector<PlausibilityWarning> CheckStand(const TManualy225& stand, const QString& referenceDirectory,
                                            bool withArea) {
    std::vector<PlausibilityWarning> out;
    bool trees = false;
    double stocking = 0;
    for (int i = 0; i < stand.count(); ++i) {
        const TManual225& s = stand.at(i);
        checkSpecies(s, stand.abbreviationAt(i), referenceDirectory, out);
        HeightCurveCheck::CheckSamples(s, stand.abbreviationAt(i), out);
        for (size_t k = 1; k < s.classes.size(); ++k)
            trees = trees || s.classes[k].trees > 0;
        stocking = std::max(stocking, s.standStocking);
    }
    if (withArea && trees && stand.area <= 0)
        out.push_back({{}, 0, NoArea, "Porost má stromy, ale jeho plocha je 0 m2."});
    if (stand.summary && stocking > 1.5)
        out.push_back({{},
                       0,
                       HighStocking,
                       QString("Zakmenění porostu %1 je nad 1,5 – zkontrolujte plochu a četnosti.")
                           .arg(number(stocking, 2))});
    return out;
}

std::optional<UserMessage> FindingsWarning(const std::vector<PlausibilityWarning>& warnings) {
    if (warnings.empty())
        return std::nullopt;
    QStringList lines{"Kontrola porostu našla možné chyby:"};
    for (const PlausibilityWarning& w : warnings)
        lines << w.text;
    return UserMessage{UserMessage::Warning, lines.join('\r')};
}
