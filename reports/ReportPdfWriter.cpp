#include "ReportPdfWriter.h"

#include "ReportItemPainter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

bool ReportPdfWriter::write(const TSestVystup& output, const QString& fileName, const QString& title,
                            int firstPage, int lastPage, int copies) {
    m_error.clear();
    m_pages = 0;
    const int from = std::max(1, firstPage);
    const int to = std::min(output.pageCount(), lastPage);
    if (output.pageCount() == 0 || from > to) {
        m_error = QStringLiteral("Sestava nemá žádnou stránku k tisku.");
        return false;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        m_error = QStringLiteral("Výstup do PDF potřebuje grafické prostředí programu.");
        return false;
    }
    QFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("Soubor \"%1\" nelze vytvořit.").arg(fileName);
        return false;
    }
    probe.close();

    constexpr int kResolution = 1200; // dots per inch of the PDF's drawing units
    const QSize paper = output.pageSize();
    QPdfWriter pdf(fileName);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Rivwood"));
    pdf.setResolution(kResolution);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QSizeF(paper.width() / 100.0, paper.height() / 100.0), QPageSize::Inch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        m_error = QStringLiteral("Soubor \"%1\" nelze vytvořit.").arg(fileName);
        return false;
    }
    bool firstSheet = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int page = from; page <= to; ++page) {
            if (!firstSheet)
                pdf.newPage();
            firstSheet = false;
            painter.save();
            painter.scale(kResolution / 100.0, kResolution / 100.0);
            if (!m_background.isNull())
                painter.drawImage(QRectF(m_backgroundRect), m_background);
            // The items are drawn directly: a recorded page played back at the PDF's resolution
            // loses its texts (the picture rescales their fonts for the device).
            ReportItemPainter::paintPage(painter, output.page(page - 1));
            painter.restore();
            ++m_pages;
        }
    }
    if (!painter.end()) {
        m_error = QStringLiteral("Soubor \"%1\" se nepodařilo zapsat.").arg(fileName);
        m_pages = 0;
        return false;
    }
    return true;
}
