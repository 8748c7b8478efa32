#pragma once

#include "QueryRows.h"

#include <QString>
#include <vector>

// The stock columns of a stand's summary rows as both workbooks show them: each species' conifer,
// broadleaf and total stock in whole m3, and totals that are the sums of those shown values, so a
// reader adding up the column gets the total. The shrub area is an area (m2), no stock: its row is
// shown with its unit and never summed.
namespace StockTotals {

struct Totals {
    double conifer = 0, broadleaf = 0, total = 0;
};

// A stock as a workbook shows it: whole m3, halves to even.
double Shown(double stock);
Totals Of(const std::vector<QueryRow>& rows);

// The caption of the shrub row; the Excel 5.0 workbook is written in cp1250, which has no "²".
inline const QString ShrubLabel = QStringLiteral("Křoviny (m²)");
inline const QString ShrubLabelCp1250 = QStringLiteral("Křoviny (m2)");

} // namespace StockTotals
