#include "ResultsWorkbook.h"

#include "RivwoodError.h"

#include <algorithm>

namespace {

constexpr int kMaxRow = 16384; // rows of an Excel 5.0 sheet
constexpr int kMaxColumn = 256;

} // namespace

void ResultsWorkbook::ClearWorkbook() {
    m_sheets = {SheetData{QStringLiteral("List1"), {}}};
    m_fonts = {Font{}};
    m_sheet = 1;
    SetSelection(1, 1, 1, 1);
}

void ResultsWorkbook::SetNumSheets(int count) {
    count = std::clamp(count, 1, 255);
    while (NumSheets() > count)
        m_sheets.pop_back();
    while (NumSheets() < count)
        m_sheets.push_back(SheetData{QStringLiteral("List%1").arg(NumSheets() + 1), {}});
    m_sheet = std::min(m_sheet, count);
}

void ResultsWorkbook::SetSheet(int sheet) {
    if (sheet < 1 || sheet > NumSheets())
        throw RivwoodError(QStringLiteral("Sešit výsledků nemá list %1.").arg(sheet));
    m_sheet = sheet;
}

int ResultsWorkbook::LastRow() const {
    int last = 0;
    for (const auto& [pos, c] : current().cells)
        last = std::max(last, pos.first);
    return last;
}

int ResultsWorkbook::LastCol() const {
    int last = 0;
    for (const auto& [pos, c] : current().cells)
        last = std::max(last, pos.second);
    return last;
}

void ResultsWorkbook::ClearSheet(int sheet) {
    SetSheet(sheet);
    current().cells.clear();
}

void ResultsWorkbook::SetSheetName(int sheet, const QString& name) {
    if (sheet < 1 || sheet > NumSheets())
        throw RivwoodError(QStringLiteral("Sešit výsledků nemá list %1.").arg(sheet));
    m_sheets[size_t(sheet - 1)].name = name;
}

QString ResultsWorkbook::SheetName(int sheet) const {
    return sheet >= 1 && sheet <= NumSheets() ? m_sheets[size_t(sheet - 1)].name : QString();
}

ResultsWorkbook::Cell& ResultsWorkbook::cellAt(int row, int column) {
    if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
        throw RivwoodError(
            QStringLiteral("Buňka %1, %2 leží mimo list sešitu výsledků.").arg(row).arg(column));
    return current().cells[{row, column}];
}

void ResultsWorkbook::SetNumber(int row, int column, double value) {
    Cell& c = cellAt(row, column);
    c.isText = false;
    c.number = value;
    c.text.clear();
}

void ResultsWorkbook::SetText(int row, int column, const QString& text) {
    Cell& c = cellAt(row, column);
    c.isText = true;
    c.text = text;
    c.number = 0;
}

const ResultsWorkbook::Cell* ResultsWorkbook::cell(int row, int column) const {
    const auto it = current().cells.find({row, column});
    return it == current().cells.end() ? nullptr : &it->second;
}

void ResultsWorkbook::SetSelection(int row1, int column1, int row2, int column2) {
    m_selection[0] = std::min(row1, row2);
    m_selection[1] = std::min(column1, column2);
    m_selection[2] = std::max(row1, row2);
    m_selection[3] = std::max(column1, column2);
}

ResultsWorkbook::Font ResultsWorkbook::GetFont() const {
    const Cell* c = cell(m_selection[0], m_selection[1]);
    return m_fonts[size_t(c ? c->font : 0)];
}

void ResultsWorkbook::SetFont(const QString& name, int sizePoints, bool bold, bool italic, bool underline,
                              bool strikeOut, int colour, bool outline, bool shadow) {
    const Font font{name, sizePoints * 20, bold, italic, underline, strikeOut, colour, outline, shadow};
    auto it = std::find(m_fonts.begin(), m_fonts.end(), font);
    const int index = int(it - m_fonts.begin());
    if (it == m_fonts.end())
        m_fonts.push_back(font);
    for (auto& [pos, c] : current().cells)
        if (pos.first >= m_selection[0] && pos.first <= m_selection[2] && pos.second >= m_selection[1] &&
            pos.second <= m_selection[3])
            c.font = index;
}
