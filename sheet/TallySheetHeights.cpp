// The sample heights of the species on display, their import from a file, and the mean height
// read from the species' own height curve ("Výška z křivky").
#include "TallySheet.h"

#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "SampleHeightFile.h"
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

void TallySheet::showSamples() {
    m_view.samples.clear();
    for (const SampleHeight& s : m_s.work.VyskoveVzorniky)
        m_view.samples.push_back({LocaleNumbers::Shortest(s.diameter), LocaleNumbers::Shortest(s.height)});
    m_view.samples.push_back({});
}

// The pairs of the grid into the working copy; rows emptied are dropped, one empty row stays last.
void TallySheet::takeSamplesFromView() {
    std::vector<SheetView::SampleRow> rows;
    SampleHeights pairs;
    for (const SheetView::SampleRow& row : m_view.samples) {
        if (IsBlank(row[0]) && IsBlank(row[1]))
            continue;
        rows.push_back(row);
        const std::optional<double> d = sampleValue(0, row[0]), h = sampleValue(1, row[1]);
        if (d && h)
            pairs.push_back({*d, *h});
    }
    rows.push_back({});
    m_view.samples = std::move(rows);
    if (pairs == m_s.work.VyskoveVzorniky)
        return;
    m_s.work.VyskoveVzorniky = std::move(pairs);
    EditingFlags& f = m_s.flags;
    f.PoStartu = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
}

void TallySheet::sampleEdited(int row, int column, const QString& text) {
    const Step step(*this, "Výškový vzorník");
    if (m_view.species.isEmpty() || row < 0 || row >= int(m_view.samples.size()) || column < 0 ||
        column > 1 || m_view.samples[size_t(row)][size_t(column)] == text)
        return;
    const Busy busy(*this);
    m_view.samples[size_t(row)][size_t(column)] = text;
    // A bad number stays in its cell, as a bad count does, and makes no pair.
    if (!IsBlank(text) && !sampleValue(column, text))
        m_dialogs->show(
            {UserMessage::Error,
             column == 0 ? QString("Tloušťka vzorníku „%1“ není kladné číslo v cm.").arg(text.trimmed())
                         : QString("Výška vzorníku „%1“ není číslo větší než 1,3 m.").arg(text.trimmed())});
    takeSamplesFromView();
}

bool TallySheet::importSampleHeights(const QByteArray& content) {
    const Step step(*this, "Výškové vzorníky ze souboru");
    const Busy busy(*this);
    const SampleHeightFile::Result file = SampleHeightFile::Parse(content);
    // The pairs by species of the sheet; those of other species are counted and left out.
    std::map<QString, SampleHeights> bySpecies;
    std::map<QString, int> unknown;
    for (const SampleHeightFile::Pair& p : file.pairs) {
        const QString key = p.species.toUpper();
        bool known = false;
        for (const QString& s : m_view.species)
            known = known || s.trimmed().toUpper() == key;
        if (known)
            bySpecies[key].push_back(p.sample);
        else
            ++unknown[p.species];
    }

    QStringList lines, added;
    for (const QString& species : m_view.species) {
        const auto it = bySpecies.find(species.trimmed().toUpper());
        if (it == bySpecies.end())
            continue;
        const SampleHeights& pairs = it->second;
        // The species on display keeps its pairs in the working copy, the others in the stand;
        // a recorded species on display in both, so that "Ze záznamu" keeps them too.
        if (TManual225* recorded = m_s.stand.find(species.trimmed()))
            recorded->sampleHeights.insert(recorded->sampleHeights.end(), pairs.begin(), pairs.end());
        if (species == speciesText()) {
            // The rows typed so far stay, a pair begun included; the new pairs follow them.
            m_s.work.VyskoveVzorniky.insert(m_s.work.VyskoveVzorniky.end(), pairs.begin(), pairs.end());
            if (!m_view.samples.empty() && IsBlank(m_view.samples.back()[0]) &&
                IsBlank(m_view.samples.back()[1]))
                m_view.samples.pop_back();
            for (const SampleHeight& p : pairs)
                m_view.samples.push_back(
                    {LocaleNumbers::Shortest(p.diameter), LocaleNumbers::Shortest(p.height)});
            m_view.samples.push_back({});
        }
        added << QString("%1 %2").arg(species.trimmed()).arg(pairs.size());
    }
    if (!added.isEmpty()) {
        m_s.flags.PoStartu = false;
        m_s.flags.Ulozeno = false;
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
    m_dialogs->show({added.isEmpty() ? UserMessage::Error
                     : clean         ? UserMessage::Information
                                     : UserMessage::Warning,
                     lines.join('\r')});
    return !added.isEmpty();
}

HeightCurves TallySheet::heightCurves(std::optional<HeightModel> only) const {
    const SampleHeights& samples = m_s.work.VyskoveVzorniky;
    if (only)
        return FitHeightCurves(samples, only);
    if (!m_curves || m_curves->first != samples)
        m_curves.emplace(samples, FitHeightCurves(samples));
    return m_curves->second;
}

double TallySheet::curveDiameter() const {
    if (LocaleNumbers::IsNumber(m_view.diameter)) {
        const double typed = LocaleNumbers::Read(m_view.diameter, 0);
        if (typed > 0)
            return typed;
    }
    WorkingCopy w = m_s.work;
    MeanStem::SectiCetnosti(w);
    const double d = MeanStem::BasalAreaMeanDiameter(w, m_s.layout);
    return d > 0 ? LocaleNumbers::Read(Format("%8.4g", d), d) : 0;
}

void TallySheet::heightFromCurveClicked(std::optional<HeightModel> only) {
    const Step step(*this, "Výška z křivky");
    const HeightCurves curves = heightCurves(only);
    const HeightCurveFit* fit = curves.bestFit();
    const double d = curveDiameter();
    if (!fit || d <= 0) {
        const Busy busy(*this);
        m_dialogs->show(
            {UserMessage::Error,
             !fit ? QString(
                        "Výškovou křivku nelze sestrojit: je potřeba alespoň %1 výškových vzorníků, kterými "
                        "projde některý z modelů.")
                        .arg(RequiredSamples(HeightModel::Naslund))
                  : QString("Pro výšku z křivky je potřeba střední tloušťka nebo zapsané četnosti.")});
        return;
    }
    const double h = fit->height(d);
    // As if typed into the height box and the box left; the curve's own value is kept unrounded.
    m_view.height = Format("%8.4g", h);
    m_view.heightModified = true;
    heightLeft();
    m_s.work.StrVyska = h;
    m_focus = SheetFocus::Vypocet;
}
