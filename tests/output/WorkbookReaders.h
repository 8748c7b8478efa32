#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The independent readers the workbook tests check written files with: python3-openpyxl for
// .xlsx, python3-xlrd for .xls, LibreOffice Calc headless for both. Each gives an empty result
// and sets `problem` when it cannot run.
namespace WorkbookReaders {

// {"sheets":[{"name","cells":{"A1":value…},"values":{"A1":value…},"merged":["A1:B2"…],"printArea",
//   "widths":{"A":w},"hidden":[rows]}], "names":{"name":"formula"}}; in "cells" formulas read as
//   "=…", in "values" as the value stored beside them (as a reader that does not calculate sees it).
QJsonObject readXlsx(const QString& file, QString* problem);
// {"sheets":[{"name","rows":[[…]…]}], "fonts":["font of each used cell"…] of the first sheet}.
QJsonObject readXls(const QString& file, QString* problem);
// LibreOffice's CSV of every sheet (comma separated, values unformatted), one text per sheet in
// sheet order.
QStringList libreOfficeCsv(const QString& file, QString* problem);

} // namespace WorkbookReaders
