#include "ReportPdfWriter.h"

#include "AtomicFileWriter.h"
#include "ReportItemPainter.h"

#include <QBuffer>
#include <QDir>
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
    // The PDF is made whole in memory and then written like every user file: beside its place,
    // checked, synced and renamed, so a full disk or a killed run leaves the earlier file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!writePages(output, pdf, title, from, to, copies)) {
        m_error = QStringLiteral("Soubor %1 nelze uložit: sestavu nelze vykreslit.")
                      .arg(QDir::toNativeSeparators(fileName));
        m_pages = 0;
        return false;
    }
    pdf.close();
    if (const QString cause = AtomicFileWriter::Write(fileName, pdf.data()); !cause.isEmpty()) {
        m_error =
            QStringLiteral("Soubor %1 nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), cause);
        m_pages = 0;
        return false;
    }
    return true;
}

bool ReportPdfWriter::writePages(const TSestVystup& output, QIODevice& device, const QString& title, int from,
                                 int to, int copies) {
    constexpr int kResolution = 1200; // dots per inch of the PDF's drawing units
    const QSize paper = output.pageSize();
    QPdfWriter pdf(&device);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Rivwood"));
    pdf.setResolution(kResolution);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QSizeF(paper.width() / 100.0, paper.height() / 100.0), QPageSize::Inch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    painter.scale(kResolution / 100.0, kResolution / 100.0);
    // The items are drawn directly: a recorded page played back at the PDF's resolution loses its
    // texts (the picture rescales their fonts for the device). One item painter serves every page,
    // so that fonts and laid-out texts are shared.
    ReportItemPainter items;
    bool firstSheet = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int page = from; page <= to; ++page) {
            if (!firstSheet && !pdf.newPage())
                return false;
            firstSheet = false;
            if (!m_background.isNull())
                painter.drawImage(QRectF(m_backgroundRect), m_background);
            items.paintPage(painter, output.page(page - 1));
            ++m_pages;
        }
    }
    return painter.end();
}
