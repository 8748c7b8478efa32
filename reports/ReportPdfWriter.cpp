#include "ReportPdfWriter.h"

#include "ReportItemPainter.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace {

// Why a file could not be written, in the user's words (the system's own text in brackets).
QString failureCause(const QSaveFile& file) {
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return QStringLiteral("Na disku není volné místo.");
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("Soubor nelze otevřít pro zápis (%1).").arg(file.errorString());
    case QFileDevice::RenameError:
        return QStringLiteral("Hotový soubor nelze dát na jeho místo (%1).").arg(file.errorString());
    default:
        return QStringLiteral("Zápis selhal (%1).").arg(file.errorString());
    }
}

} // namespace

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
    // The file is written beside its place and takes it only when complete: an interrupted or failed
    // run leaves the earlier file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("Soubor \"%1\" nelze vytvořit. %2").arg(fileName, failureCause(file));
        return false;
    }
    const bool drawn = writePages(output, file, title, from, to, copies);
    // The PDF engine does not look at what its writes return: the file remembers the first failure.
    if (!drawn || !file.flush() || file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Soubor \"%1\" se nepodařilo zapsat. %2")
                      .arg(fileName, drawn ? failureCause(file) : QStringLiteral("Sestavu nelze vykreslit."));
        file.cancelWriting();
        m_pages = 0;
        return false;
    }
    if (!file.commit()) {
        m_error = QStringLiteral("Soubor \"%1\" se nepodařilo zapsat. %2").arg(fileName, failureCause(file));
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
