#pragma once

#include "SheetView.h"

#include <QString>

class TallySheet;

// "Střední kmen" of the tally sheet: the mean diameter and height of the species on display, its
// computation and its record into the stand, and the species groups its curve and table stock
// follow. Each is an edit of the sheet.
class SheetMeanStem {
  public:
    // Text typed into a box and not yet handed over: the commands follow it ("Výpočet " needs
    // both boxes filled), the undo step of the box starts before the first keystroke.
    void typed(MeanStemBox box, const QString& text);
    // The box left or confirmed with Enter; nothing when it was not typed into and shows `text`.
    // A diameter that is no number gives way to the mean diameter of the tally.
    void setDiameter(const QString& text);
    void setHeight(const QString& text);
    void computeDiameter();                    // "Tloušťka"
    void computeStock();                       // "Výpočet "
    void record();                             // "Záznam"
    void restoreRecorded();                    // "Ze záznamu"
    void setCurveSpecies(const QString& text); // "JHK podle:"
    void setTableSpecies(const QString& text); // "Tabulková zásoba podle:"

  private:
    friend class TallySheet;
    friend class SheetHeights;
    explicit SheetMeanStem(TallySheet& sheet) : m_sheet(sheet) {}
    // The typed diameter handed over (inside an operation).
    void takeDiameter();
    void takeHeight();

    TallySheet& m_sheet;
};
