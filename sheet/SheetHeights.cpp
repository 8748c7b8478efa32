// The sample heights of the species on display, their import from a file, and the mean height
// read from the species' own height curve ("Výška z křivky").
#include "SheetHeights.h"

#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "SampleHeightFile.h"
#include "TallySheet.h"
#include "TextUtils.h"

#include <map>

using LocaleNumbers::Format;

namespace {

// The value of a sample cell: a diameter above 0 (column 0) or a height above breast height.
std::optional<double> sampleValue(int column, const QString& text) {
    if (!LocaleNumbers::IsNumber(text))
        return std::nullopt;
    const double v = LocaleNumbers::Read(text, 0);
    if (column == 0 ? !(v > 0) : !(v > BreastHeight))
        return std::nullopt;
    return v;
}

} // namespace

void SheetHeights::showSamples() {
    SheetState& s = m_sheet.m_state;
    s.view.samples.clear();
    for (const SampleHeight& p : s.work.VyskoveVzorniky)
        s.view.samples.push_back({LocaleNumbers::Shortest(p.diameter), LocaleNumbers::Shortest(p.height)});
    s.view.samples.push_back({});
}

// The pairs of the grid into the working copy; rows emptied are dropped, one empty row stays last.
void SheetHeights::takeSamplesFromView() {
    SheetState& s = m_sheet.m_state;
    std::vector<SheetView::SampleRow> rows;
    SampleHeights pairs;
    for (const SheetView::SampleRow& row : s.view.samples) {
        if (IsBlank(row[0]) && IsBlank(row[1]))
            continue;
        rows.push_back(row);
        const std::optional<double> d = sampleValue(0, row[0]), h = sampleValue(1, row[1]);
        if (d && h)
            pairs.push_back({*d, *h});
    }
    rows.push_back({});
    s.view.samples = std::move(rows);
    if (pairs == s.work.VyskoveVzorniky)
        return;
    s.work.VyskoveVzorniky = std::move(pairs);
    EditingFlags& f = s.flags;
    f.PoStartu = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
}

void SheetHeights::setSample(int row, int column, const QString& text) {
    const TallySheet::Operation op = m_sheet.edit("Výškový vzorník");
    SheetView& v = m_sheet.m_state.view;
    if (v.species.isEmpty() || row < 0 || row >= int(v.samples.size()) || column < 0 || column > 1 ||
        v.samples[size_t(row)][size_t(column)] == text)
        return;
    v.samples[size_t(row)][size_t(column)] = text;
    // A bad number stays in its cell, as a bad count does, and makes no pair.
    if (!IsBlank(text) && !sampleValue(column, text))
        m_sheet.m_dialogs->show(
            {UserMessage::Error,
             column == 0 ? QString("Tloušťka vzorníku „%1“ není kladné číslo v cm.").arg(text.trimmed())
                         : QString("Výška vzorníku „%1“ není číslo větší než 1,3 m.").arg(text.trimmed())});
    takeSamplesFromView();
}

bool SheetHeights::importFile(const QByteArray& content) {
    const TallySheet::Operation op = m_sheet.edit("Výškové vzorníky ze souboru");
    SheetState& s = m_sheet.m_state;
    const SampleHeightFile::Result file = SampleHeightFile::Parse(content);
    // The pairs by species of the sheet; those of other species are counted and left out.
    std::map<QString, SampleHeights> bySpecies;
    std::map<QString, int> unknown;
    for (const SampleHeightFile::Pair& p : file.pairs) {
        const QString key = p.species.toUpper();
        bool known = false;
        for (const QString& species : s.view.species)
            known = known || species.trimmed().toUpper() == key;
        if (known)
            bySpecies[key].push_back(p.sample);
        else
            ++unknown[p.species];
    }

    QStringList lines, added;
    for (const QString& species : s.view.species) {
        const auto it = bySpecies.find(species.trimmed().toUpper());
        if (it == bySpecies.end())
            continue;
        const SampleHeights& pairs = it->second;
        // The species on display keeps its pairs in the working copy, the others in the stand;
        // a recorded species on display in both, so that "Ze záznamu" keeps them too.
        if (TManual225* recorded = s.stand.find(species.trimmed()))
            recorded->sampleHeights.insert(recorded->sampleHeights.end(), pairs.begin(), pairs.end());
        if (species == m_sheet.speciesText()) {
            // The rows typed so far stay, a pair begun included; the new pairs follow them.
            s.work.VyskoveVzorniky.insert(s.work.VyskoveVzorniky.end(), pairs.begin(), pairs.end());
            if (!s.view.samples.empty() && IsBlank(s.view.samples.back()[0]) &&
                IsBlank(s.view.samples.back()[1]))
                s.view.samples.pop_back();
            for (const SampleHeight& p : pairs)
                s.view.samples.push_back(
                    {LocaleNumbers::Shortest(p.diameter), LocaleNumbers::Shortest(p.height)});
            s.view.samples.push_back({});
        }
        added << QString("%1 %2").arg(species.trimmed()).arg(pairs.size());
    }
    if (!added.isEmpty()) {
        s.flags.PoStartu = false;
        s.flags.Ulozeno = false;
        lines << QString("Načteny výškové vzorníky: %1.").arg(added.join(", "));
    } else {
        lines << "Soubor neobsahuje žádné výškové vzorníky dřevin tohoto porostu.";
    }
    for (const auto& [species, count] : unknown)
        lines << QString("Dřevina %1 v porostu není, jejích vzorníků (%2) se nenačetlo.")
                     .arg(species)
                     .arg(count);
    lines << file.problems;
    const bool clean = !added.isEmpty() && unknown.empty() && file.problems.isEmpty();
    m_sheet.m_dialogs->show({added.isEmpty() ? UserMessage::Error
                             : clean         ? UserMessage::Information
                                             : UserMessage::Warning,
                             lines.join('\r')});
    return !added.isEmpty();
}

HeightCurves SheetHeights::curves(std::optional<HeightModel> only) const {
    const SampleHeights& samples = m_sheet.m_state.work.VyskoveVzorniky;
    if (only)
        return FitHeightCurves(samples, only);
    if (!m_curves || m_curves->first != samples)
        m_curves.emplace(samples, FitHeightCurves(samples));
    return m_curves->second;
}

double SheetHeights::curveDiameter() const {
    const SheetState& s = m_sheet.m_state;
    if (LocaleNumbers::IsNumber(s.view.diameter)) {
        const double typed = LocaleNumbers::Read(s.view.diameter, 0);
        if (typed > 0)
            return typed;
    }
    WorkingCopy w = s.work;
    MeanStem::SectiCetnosti(w);
    const double d = MeanStem::BasalAreaMeanDiameter(w, s.layout);
    return d > 0 ? LocaleNumbers::Read(Format("%8.4g", d), d) : 0;
}

void SheetHeights::heightFromCurve(std::optional<HeightModel> only) {
    const TallySheet::Operation op = m_sheet.edit("Výška z křivky");
    const HeightCurves found = curves(only);
    const HeightCurveFit* fit = found.bestFit();
    const double d = curveDiameter();
    if (!fit || d <= 0) {
        m_sheet.m_dialogs->show(
            {UserMessage::Error,
             !fit ? QString(
                        "Výškovou křivku nelze sestrojit: je potřeba alespoň %1 výškových vzorníků, kterými "
                        "projde některý z modelů.")
                        .arg(RequiredSamples(HeightModel::Naslund))
                  : QString("Pro výšku z křivky je potřeba střední tloušťka nebo zapsané četnosti.")});
        return;
    }
    const double h = fit->height(d);
    SheetState& s = m_sheet.m_state;
    // As if typed into the height box and the box left; the curve's own value is kept unrounded.
    s.view.height = Format("%8.4g", h);
    s.view.heightModified = true;
    m_sheet.m_meanStem.takeHeight();
    s.work.StrVyska = h;
    m_sheet.m_focus = SheetFocus::Vypocet;
}
