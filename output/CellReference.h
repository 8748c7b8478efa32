#pragma once

#include <QString>

// A1-style cell addresses of worksheets: 1-based rows and columns, "$" marks an absolute part.
namespace CellReference {

constexpr int MaxRow = 1048576;
constexpr int MaxColumn = 16384;

// "A" = 1 … "XFD" = 16384; 0 for anything else.
int columnNumber(QStringView letters);
QString columnLetters(int column);
// "B3" for row 3, column 2.
QString cellName(int row, int column);

struct Cell {
    int row = 0;
    int column = 0;
    bool absoluteRow = false;
    bool absoluteColumn = false;
};
// Parses "B3", "$B$3"; false for anything else or out of the sheet.
bool parseCell(QStringView text, Cell& cell);
QString format(const Cell& cell);

// A rectangle of cells, inclusive.
struct Area {
    int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
    bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    friend bool operator==(const Area&, const Area&) = default;
};
// "B3" or "B3:D7" (dollars allowed); false for anything else.
bool parseArea(QStringView text, Area& area);
QString formatArea(const Area& area);

} // namespace CellReference
