#include "ExcelLink.h"

#include "NumberText.h"
#include "RivwoodError.h"
#include "XlsxReader.h"
#include "XlsxWriter.h"

#include <QDir>
#include <algorithm>

namespace ExcelLink {

namespace {

Workbook& activeWorkbook(ExcelApplication& app) {
    if (!app.active)
        throw RivwoodError(QStringLiteral("Není otevřen žádný sešit."));
    return *app.active;
}

int activeIndex(const Workbook& book) {
    return book.activeSheet() ? book.indexOf(*book.activeSheet()) : -1;
}

} // namespace

std::unique_ptr<ExcelApplication> CreateExcel() {
    return std::make_unique<ExcelApplication>();
}

Workbook& OpenWorkbook(ExcelApplication& app, const QString& fileName) {
    app.visible = true;
    XlsxReader reader;
    std::unique_ptr<Workbook> book = reader.read(fileName);
    if (!book)
        throw RivwoodError(QStringLiteral("Sešit „%1“ nelze otevřít.\r%2")
                               .arg(QDir::toNativeSeparators(fileName), reader.errorString()));
    app.workbooks.push_back(std::move(book));
    app.active = app.workbooks.back().get();
    return *app.active;
}

Workbook& AddWorkbook(ExcelApplication& app) {
    app.workbooks.push_back(std::make_unique<Workbook>());
    app.active = app.workbooks.back().get();
    return *app.active;
}

void SaveWorkbookAs(const Workbook& book, const QString& fileName) {
    QString error;
    if (!XlsxWriter::write(book, fileName, error))
        throw RivwoodError(error);
}

void CloseWorkbook(ExcelApplication& app, const Workbook& book) {
    std::erase_if(app.workbooks, [&](const std::unique_ptr<Workbook>& b) { return b.get() == &book; });
    if (app.active == &book)
        app.active = app.workbooks.empty() ? nullptr : app.workbooks.back().get();
    if (app.workbooks.empty())
        app.visible = false;
}

Worksheet& GetWorksheet(Workbook& book, const QString& name) {
    Worksheet* sheet = book.findSheet(name);
    if (!sheet)
        throw RivwoodError(QStringLiteral("Sešit nemá list „%1“.").arg(name));
    return *sheet;
}

void GetNamedRange(const Workbook& book, const QString& name, int& firstRow, int& firstColumn, int& lastRow,
                   int& lastColumn) {
    firstRow = firstColumn = lastRow = lastColumn = 0;
    if (const auto named = book.namedArea(name)) {
        firstRow = named->second.firstRow;
        firstColumn = named->second.firstColumn;
        lastRow = named->second.lastRow;
        lastColumn = named->second.lastColumn;
    }
}

void GetNamedCell(const Workbook& book, const QString& name, int& row, int& column) {
    int lastRow = 0, lastColumn = 0;
    GetNamedRange(book, name, row, column, lastRow, lastColumn);
}

int GetNamedColumn(const Workbook& book, const QString& name) {
    int row = 0, column = 0;
    GetNamedCell(book, name, row, column);
    return column;
}

void InsertRow(Worksheet& sheet, int row) {
    sheet.insertRow(row);
}

void SetCellNumber(Worksheet& sheet, int row, int column, double value) {
    sheet.setNumber(row, column, value);
}

void SetCellText(Worksheet& sheet, int row, int column, const QString& text) {
    // Only a text that reads back as it stands: "12,300" or "007" keep their zeros as texts.
    if (const std::optional<double> n = NumberText::typed(text);
        n && NumberText::shortest(*n) == text.trimmed())
        sheet.setNumber(row, column, *n);
    else
        sheet.setText(row, column, text);
}

Worksheet& AddFirstWorksheet(Workbook& book, const QString& name) {
    Worksheet& sheet = book.addSheet(name, std::max(0, activeIndex(book)));
    book.activate(sheet);
    return sheet;
}

Worksheet& AddFirstWorksheet(ExcelApplication& app, const QString& name) {
    return AddFirstWorksheet(activeWorkbook(app), name);
}

Worksheet& AddWorksheetAfterActive(Workbook& book, const QString& name) {
    Worksheet& sheet = book.addSheet(name, activeIndex(book) + 1);
    book.activate(sheet);
    return sheet;
}

Worksheet& AddWorksheetAfterActive(ExcelApplication& app, const QString& name) {
    return AddWorksheetAfterActive(activeWorkbook(app), name);
}

void CopyRange(const Worksheet& source, int row1, int column1, int row2, int column2, Worksheet& target,
               int targetRow, int targetColumn) {
    const CellReference::Area area{std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
                                   std::max(column1, column2)};
    if (area.firstRow < 1 || area.firstColumn < 1 || area.lastRow > CellReference::MaxRow ||
        area.lastColumn > CellReference::MaxColumn || targetRow < 1 || targetColumn < 1)
        throw RivwoodError(
            QStringLiteral("Oblast %1 listu „%2“ nelze kopírovat na řádek %3, sloupec %4.")
                .arg(QStringLiteral("%1,%2:%3,%4").arg(row1).arg(column1).arg(row2).arg(column2),
                     source.name())
                .arg(targetRow)
                .arg(targetColumn));
    target.copyFrom(source, area, targetRow, targetColumn);
}

void CopySheetCells(const Worksheet& source, Worksheet& target) {
    target.copyWholeSheet(source);
}

void Activate(Worksheet& sheet) {
    sheet.book().activate(sheet);
}

Worksheet& WorksheetAt(Workbook& book, int index) {
    if (index < 1 || index > book.sheetCount())
        throw RivwoodError(QStringLiteral("Sešit nemá list číslo %1.").arg(index));
    return book.sheet(index - 1);
}

void DeleteRow(Worksheet& sheet, int row) {
    sheet.deleteRow(row);
}

void CopyRows(const Worksheet& source, int first, int last, Worksheet& target, int row) {
    if (first < 1 || last < first || last > CellReference::MaxRow || row < 1)
        throw RivwoodError(QStringLiteral("Řádky %1 až %2 listu „%3“ nelze kopírovat.")
                               .arg(first)
                               .arg(last)
                               .arg(source.name()));
    target.copyFrom(source, {first, 1, last, CellReference::MaxColumn}, row, 1);
}

void CopyAllRows(const Worksheet& source, Worksheet& target) {
    target.copyWholeSheet(source);
}

} // namespace ExcelLink
