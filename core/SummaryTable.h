#pragma once

#include "TManualy225.h"
#include "UserMessage.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What one run of the summary computation produced.
struct SummaryResult {
    // Set when the computation stopped after the table stocks ("Chyba v zadání tabulkové
    // zásoby"); nothing beyond the table stocks was computed or stored then.
    std::optional<UserMessage> error;
    double reducedAreaSum = 0; // ΣR, m2
    double stocking = 0;       // Z = ΣR / stand area
};

// The summary grid of the window " Souhrn ": 10 columns, row 0 the titles, rows 1..N the species
// in list order, row N + 1 the totals. Cells are texts, as the window shows them; only column 6
// (table stock) of the species rows is edited by the user. The grid has 30 rows and grows when a
// stand has more than 28 species, so no row is lost.
//
// Fill() is the filling on show; Compute() is the computation of the species' table stocks,
// reduced and actual areas, shares, stocking, codes, per-hectare values and basal areas, written
// into the stand's species and into the grid.
class SummaryTable {
  public:
    static constexpr int ColumnCount = 10;
    static constexpr int VisibleRows = 30;
    static constexpr int TableStockColumn = 6;
    static const char* const Titles[ColumnCount];
    // Design widths in pixels; the window hides columns 1, 2, 3 and 6 (width 0).
    static const int DesignWidths[ColumnCount];
    static inline const QString ErrorText = QStringLiteral("Chyba v zadání tabulkové zásoby");

    SummaryTable();

    int rowCount() const { return int(m_cells.size()); }
    const QString& cell(int column, int row) const;
    // The user's edit of a table-stock cell; other cells are not editable and ignore it.
    void setCell(int column, int row, const QString& text);
    static bool IsEditable(int column, int row, int speciesCount);
    // The stocking as the (hidden) stocking box shows it: 10 × Z, "%5.1f".
    const QString& stockingText() const { return m_stockingText; }

    // The grid on show: abbreviation, mean diameter and height, the stored table stock (when
    // above 0), conifer or broadleaf stock and the species' stock; the group sums in the totals
    // row. The computed columns 1, 2, 3 are emptied.
    void Fill(const TManualy225& stand);

    // The computation over the stand shown by the last Fill(). A table-stock cell that is not a
    // number counts as 0 and, like 0, is replaced by the table stock of the equations; a
    // negative number cannot be used and stops the computation with the error message. A cell
    // still showing the value Fill() put there stands for the stored, unrounded table stock.
    SummaryResult Compute(TManualy225& stand);

    // The lines of "Výstup do souboru" for the stand on display: heading, name and area,
    // designation, date and stocking, then grid rows 0..N + 1 in the column formats.
    QStringList TextOutputLines(const TManualy225& stand) const;

  private:
    QString& at(int column, int row);
    void ensureRows(int rows);

    std::vector<std::vector<QString>> m_cells; // [row][column]
    // Per species row: the table-stock text Fill() wrote and the value it stands for.
    std::vector<std::pair<QString, double>> m_shownTableStock;
    QString m_stockingText;
};

// The species' stock: element 0 of the class-volume column (0 without classes).
double SpeciesStock(const TManual225& species);
