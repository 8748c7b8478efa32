#include "CaliperTally.h"

#include "SpeciesTables.h"
#include "TextUtils.h"

#include <cmath>

TManual225 CaliperTally::NewSpecies(const QString& abbreviation, const ClassLayout& layout) {
    TManual225 s;
    s.abbreviation = StringToChars(abbreviation.trimmed());
    s.tableSpecies = StringToChars(SpeciesTables::TableSpeciesOf(abbreviation).left(3));
    s.curveSpecies = StringToChars(SpeciesTables::CurveSpeciesOf(abbreviation).left(3));
    // The species carries the layout it was tallied in, so its class array describes itself.
    s.classWidth = NarrowTo16(layout.SirkaStupne, "TL_INTERVAL");
    s.firstCentre = layout.StredPrvniho;
    s.classes.resize(size_t(layout.ElementCount()));
    s.classCount = NarrowTo16(layout.ElementCount(), "POCET_TL");
    for (int i = 1; i < layout.ElementCount(); ++i)
        s.classes[size_t(i)].centre = layout.Centre(i);
    return s;
}

int CaliperTally::EnsureSpecies(const QString& abbreviation) {
    const int i = m_stand.indexOf(abbreviation);
    if (i >= 0)
        return i;
    m_stand.append(abbreviation, NewSpecies(abbreviation, m_layout));
    return m_stand.count() - 1;
}

void CaliperTally::AddTree(int species, double diameter) {
    const double index = RoundHalfEven((diameter - m_layout.StredPrvniho) / m_layout.SirkaStupne) + 1;
    TManual225& s = m_stand.at(species);
    if (!(index > 0) || index >= double(s.classes.size()))
        return;
    s.classes[size_t(index)].trees += 1;
    s.classes[0].trees += 1;
}

void CaliperTally::AddHeight(int species, double height) {
    if (m_heights.size() <= size_t(species))
        m_heights.resize(size_t(species) + 1);
    m_heights[size_t(species)].sum += height;
    m_heights[size_t(species)].count += 1;
}

void CaliperTally::FinishHeights(double divisor) {
    for (int i = 0; i < m_stand.count(); ++i) {
        TManual225& s = m_stand.at(i);
        const Heights h = size_t(i) < m_heights.size() ? m_heights[size_t(i)] : Heights{};
        s.meanHeight = h.count > 0 ? h.sum / double(h.count) / divisor : 0;
        s.curve = 0;
    }
}
