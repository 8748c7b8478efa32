#pragma once

#include "Workbook.h"
#include "ZipArchive.h"

#include <QByteArray>
#include <QString>
#include <memory>

// Reads an OOXML workbook or template (.xlsx, .xltx) into a Workbook: sheets, cells (values,
// formulas, formats), row heights, column widths, merged cells, defined names and page layout.
// Damaged or hostile files (broken zip or XML, missing parts, zip bombs, sheets beyond the
// limits) give nothing and a Czech errorString().
class XlsxReader {
  public:
    struct Limits {
        qint64 maxFileSize = 64ll << 20;
        std::size_t maxCells = 1000000;
        int maxSheets = 255;
        int maxMerges = 100000;
        int maxNames = 10000;
        ZipArchive::Limits zip;
    };

    XlsxReader() = default;
    explicit XlsxReader(const Limits& limits) : m_limits(limits) {}

    std::unique_ptr<Workbook> read(const QString& fileName);
    std::unique_ptr<Workbook> readPackage(const QByteArray& package);
    const QString& errorString() const { return m_error; }

  private:
    bool fail(const QString& message);

    Limits m_limits;
    QString m_error;
};
