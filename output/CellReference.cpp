#include "CellReference.h"

namespace CellReference {

int columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t c = ch.toUpper().unicode();
        if (c < u'A' || c > u'Z')
            return 0;
        n = n * 26 + (c - u'A' + 1);
    }
    return n <= MaxColumn ? n : 0;
}

QString columnLetters(int column) {
    QString s;
    while (column > 0) {
        const int d = (column - 1) % 26;
        s.prepend(QChar(u'A' + d));
        column = (column - 1) / 26;
    }
    return s;
}

QString cellName(int row, int column) {
    return columnLetters(column) + QString::number(row);
}

bool parseCell(QStringView text, Cell& cell) {
    qsizetype i = 0;
    cell.absoluteColumn = i < text.size() && text[i] == u'$';
    if (cell.absoluteColumn)
        ++i;
    const qsizetype letters = i;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128)
        ++i;
    cell.column = columnNumber(text.mid(letters, i - letters));
    cell.absoluteRow = i < text.size() && text[i] == u'$';
    if (cell.absoluteRow)
        ++i;
    const qsizetype digits = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    if (i != text.size() || i == digits || i - digits > 7 || cell.column == 0)
        return false;
    cell.row = text.mid(digits).toInt();
    return cell.row >= 1 && cell.row <= MaxRow;
}

QString format(const Cell& cell) {
    return (cell.absoluteColumn ? QStringLiteral("$") : QString()) + columnLetters(cell.column) +
           (cell.absoluteRow ? QStringLiteral("$") : QString()) + QString::number(cell.row);
}

bool parseArea(QStringView text, Area& area) {
    const qsizetype colon = text.indexOf(u':');
    Cell a, b;
    if (colon < 0) {
        if (!parseCell(text, a))
            return false;
        b = a;
    } else if (!parseCell(text.left(colon), a) || !parseCell(text.mid(colon + 1), b)) {
        return false;
    }
    area = {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
            std::max(a.column, b.column)};
    return true;
}

QString formatArea(const Area& area) {
    const QString first = cellName(area.firstRow, area.firstColumn);
    if (area.firstRow == area.lastRow && area.firstColumn == area.lastColumn)
        return first;
    return first + u':' + cellName(area.lastRow, area.lastColumn);
}

} // namespace CellReference
