#pragma once

#include "SummaryTable.h"

#include <QString>

class TallySheet;

// The summary window " Souhrn " over the stand of the tally sheet: its grid (the table stock can
// be typed), the computation and "Výpočet a uložení do databáze".
class SheetSummary {
  public:
    const SummaryTable& table() const { return m_table; }
    // Showing the window fills the grid and computes when the stand has an area.
    void show();
    void setTableStock(int row, const QString& text);
    SummaryResult compute();
    bool computeAndSave(); // "Výpočet a uložení do databáze"
    // "Další porost": the sheet clears the stand when next activated.
    void requestNextStand() { m_nextStandRequested = true; }
    bool takeNextStandRequest();

  private:
    friend class TallySheet;
    explicit SheetSummary(TallySheet& sheet) : m_sheet(sheet) {}

    TallySheet& m_sheet;
    SummaryTable m_table;
    bool m_nextStandRequested = false;
};
