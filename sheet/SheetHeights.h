#pragma once

#include "HeightCurveFit.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

class TallySheet;

// "Výškové vzorníky" of the tally sheet: the sample heights of the species on display, their
// import from a file, the species' height curves and "Výška z křivky".
class SheetHeights {
  public:
    // A cell of the sample grid handed back by its editor; a pair counts once both are numbers.
    void setSample(int row, int column, const QString& text);
    // Pairs "dřevina;tloušťka;výška" from a file's content, added to the species of the stand;
    // pairs of other species and bad lines are reported. False when nothing was added.
    bool importFile(const QByteArray& content);
    // "Výška z křivky": the mean height read from the best height curve at curveDiameter(), as if
    // typed (`only`: that model's curve).
    void heightFromCurve(std::optional<HeightModel> only = std::nullopt);
    // The height curves of the species on display fitted to its sample heights.
    HeightCurves curves(std::optional<HeightModel> only = std::nullopt) const;
    // The diameter the curve is read at: the diameter box's number, else the basal-area mean of
    // the tally as "Tloušťka" shows it; 0 when there is neither.
    double curveDiameter() const;

  private:
    friend class TallySheet;
    explicit SheetHeights(TallySheet& sheet) : m_sheet(sheet) {}
    void showSamples();
    void takeSamplesFromView();

    TallySheet& m_sheet;
    // The curves of the last sample heights fitted, refitted only when the pairs change.
    mutable std::optional<std::pair<SampleHeights, HeightCurves>> m_curves;
};
