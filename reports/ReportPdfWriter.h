#pragma once

#include "TSestVystup.h"

#include <QString>

// Writes composed pages to a PDF file, one PDF page per report page at the paper's size.
class ReportPdfWriter {
  public:
    // Pages from `firstPage` to `lastPage` (1-based, clamped to the pages there are), `copies` times.
    bool write(const TSestVystup& output, const QString& fileName, const QString& title, int firstPage = 1,
               int lastPage = 9999, int copies = 1);
    QString errorString() const { return m_error; }
    // Pages written by the last successful write.
    int pagesWritten() const { return m_pages; }

  private:
    QString m_error;
    int m_pages = 0;
};
