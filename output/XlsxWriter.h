#pragma once

#include <QByteArray>
#include <QString>

class Workbook;

// Writes a Workbook as an OOXML workbook (.xlsx): shared texts, formats, sheets with their rows,
// columns, merged cells and page layout, the defined names. Formulas are written with the values
// they compute to (where FormulaValues knows them), and the workbook is marked for a full
// calculation when it is opened.
namespace XlsxWriter {

// The package bytes; false with `error` set.
bool writePackage(const Workbook& book, QByteArray& package, QString& error);
// Replaces `fileName` only when the whole file could be written.
bool write(const Workbook& book, const QString& fileName, QString& error);

} // namespace XlsxWriter
