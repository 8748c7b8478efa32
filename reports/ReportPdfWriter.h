#pragma once

#include "TSestVystup.h"

#include <QIODevice>
#include <QImage>
#include <QRect>
#include <QString>

// Writes composed pages to a PDF file, one PDF page per report page at the paper's size. The file
// is replaced only by a complete PDF: a failed write (a full disk) leaves the earlier file and is
// reported. Drawing text needs the fonts of a GUI application (QGuiApplication, the offscreen
// platform will do).
class ReportPdfWriter {
  public:
    // Pages from `firstPage` to `lastPage` (1-based, clamped to the pages there are), `copies` times.
    bool write(const TSestVystup& output, const QString& fileName, const QString& title, int firstPage = 1,
               int lastPage = 9999, int copies = 1);
    // A picture drawn under every page, stretched into the rectangle inside the margins (hundredths
    // of an inch).
    void setBackground(const QImage& picture, const QRect& printable) {
        m_background = picture;
        m_backgroundRect = printable;
    }
    QString errorString() const { return m_error; }
    // Pages written by the last successful write.
    int pagesWritten() const { return m_pages; }

  private:
    bool writePages(const TSestVystup& output, QIODevice& device, const QString& title, int from, int to,
                    int copies);

    QString m_error;
    int m_pages = 0;
    QImage m_background;
    QRect m_backgroundRect;
};
