#pragma once

#include "CellReference.h"

#include <QString>
#include <functional>
#include <optional>

// The cell references inside a formula text (without the leading "="), rewritten one by one:
// single cells, areas, whole rows ("3:5") and whole columns ("A:C"), with an optional sheet
// prefix ("Data!A1", "'Stand list'!$B$2"). String literals and function names are left alone.
namespace FormulaReferences {

struct Reference {
    enum Kind { Cells, Rows, Columns };
    Kind kind = Cells;
    QString sheet; // empty: the formula's own sheet
    CellReference::Cell first;
    CellReference::Cell last; // equals first for a single cell
    bool range = false;       // written with a colon
};

// Called for every reference; nothing means the reference is gone ("#REF!").
using Rewrite = std::function<std::optional<Reference>(const Reference&)>;
QString rewrite(const QString& formula, const Rewrite& change);

// The formula moved by (rows, columns), as a copy does: relative parts follow, absolute stay.
QString moved(const QString& formula, int rows, int columns);
// Rows inserted (count > 0) or deleted (count < 0) at `row` of sheet `sheet`; `ownSheet` is the
// sheet the formula belongs to (empty for a defined name, whose references all name their sheet).
QString rowsShifted(const QString& formula, const QString& ownSheet, const QString& sheet, int row,
                    int count);
// The same for one reference of a formula.
std::optional<Reference> rowsShifted(const Reference& reference, const QString& ownSheet,
                                     const QString& sheet, int row, int count);
// Every reference to `sheet` moved down by `rows` (up when negative), absolute parts too: what rows
// inserted or deleted above all of them do.
QString rowsTranslated(const QString& formula, const QString& ownSheet, const QString& sheet, int rows);

// The rows of its own sheet that a formula refers to (first and last; both 0 when none, or when it
// refers only to whole columns) and whether it refers to any other sheet.
struct RowSpan {
    int first = 0;
    int last = 0;
    bool otherSheets = false;
};
RowSpan rowSpan(const QString& formula, const QString& ownSheet);
// Widens `span` by one reference of a formula of `ownSheet`.
void addToSpan(RowSpan& span, const Reference& reference, const QString& ownSheet);

// The same structural change applied to one area (nothing when the area is deleted whole).
std::optional<CellReference::Area> areaShifted(CellReference::Area area, int row, int count);

// "'Stand list'" or "Data": the sheet name as a formula writes it.
QString quotedSheetName(const QString& name);

} // namespace FormulaReferences
