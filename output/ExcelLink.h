#pragma once

#include "Workbook.h"

#include <QString>
#include <memory>
#include <vector>

// The spreadsheet application the exports drive: the workbooks it holds open, the active one,
// and whether a workbook is open for the user ("visible"). Our own workbook engine stands in for
// the office program, so it is always there.
class ExcelApplication {
  public:
    std::vector<std::unique_ptr<Workbook>> workbooks;
    Workbook* active = nullptr;
    bool visible = false;
};

// The workbook operations of the exports, one per call the program makes on the spreadsheet
// application. Rows and columns are 1-based, row first. A failing operation (a template that
// cannot be read, a sheet that is missing, a file that cannot be saved) is a RivwoodError that
// ends the command with its message.
namespace ExcelLink {

std::unique_ptr<ExcelApplication> CreateExcel();
inline bool IsAssigned(const void* value) {
    return value != nullptr;
}

// Opens a workbook or template file; the application becomes visible.
Workbook& OpenWorkbook(ExcelApplication& app, const QString& fileName);
// A new workbook without sheets; it becomes the active one.
Workbook& AddWorkbook(ExcelApplication& app);
// Writes the workbook as .xlsx under the name (the file is replaced only when all went well).
void SaveWorkbookAs(const Workbook& book, const QString& fileName);
// Closes without saving; the application hides when no workbook is left.
void CloseWorkbook(ExcelApplication& app, const Workbook& book);

Worksheet& GetWorksheet(Workbook& book, const QString& name);
// The rectangle of a workbook-level name; all four 0 when the workbook lacks it.
void GetNamedRange(const Workbook& book, const QString& name, int& firstRow, int& firstColumn, int& lastRow,
                   int& lastColumn);
void GetNamedCell(const Workbook& book, const QString& name, int& row, int& column);
int GetNamedColumn(const Workbook& book, const QString& name);

void InsertRow(Worksheet& sheet, int row);
void SetCellNumber(Worksheet& sheet, int row, int column, double value);
// A text is taken as typed: one that is the plain written form of a number (in the user's decimal
// separator, as NumberText::shortest writes it) becomes that number; any other stays a text.
void SetCellText(Worksheet& sheet, int row, int column, const QString& text);

// A new sheet before the active sheet of the workbook (of the application's active workbook);
// it becomes the active sheet.
Worksheet& AddFirstWorksheet(Workbook& book, const QString& name);
Worksheet& AddFirstWorksheet(ExcelApplication& app, const QString& name);
// A new sheet right after the active sheet; it becomes the active sheet.
Worksheet& AddWorksheetAfterActive(Workbook& book, const QString& name);
Worksheet& AddWorksheetAfterActive(ExcelApplication& app, const QString& name);

void CopyRange(const Worksheet& source, int row1, int column1, int row2, int column2, Worksheet& target,
               int targetRow, int targetColumn);
void CopySheetCells(const Worksheet& source, Worksheet& target);

// The members used directly on sheets and workbooks.
void Activate(Worksheet& sheet);
// Sheet `index` counted from 1.
Worksheet& WorksheetAt(Workbook& book, int index);
void DeleteRow(Worksheet& sheet, int row);
// Whole rows first..last of `source` copied to start at `row` of `target`.
void CopyRows(const Worksheet& source, int first, int last, Worksheet& target, int row);
// Every row of `source` copied onto `target` from its first cell.
void CopyAllRows(const Worksheet& source, Worksheet& target);

} // namespace ExcelLink
