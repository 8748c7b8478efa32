#pragma once

#include <QByteArray>
#include <QString>

class ResultsWorkbook;

// Excel 5.0 workbooks (BIFF5 in a compound document, stream "Book"): texts in code page 1250,
// numbers as doubles, each cell with the font it has in the results workbook.
namespace Biff5Writer {

// The "Book" stream.
QByteArray bookStream(const ResultsWorkbook& book);
// Writes the whole file; it is replaced only when complete. False with a Czech `error`.
bool write(const ResultsWorkbook& book, const QString& fileName, QString& error);

} // namespace Biff5Writer
