#include "ReportPrinting.h"

#include "CodePageDialog.h"
#include "ReportItemPainter.h"
#include "ReportLinePrinter.h"
#include "ReportProgressWindow.h"
#include "SettingsKeys.h"
#include "TSestavaD.h"

#include "MessageBox.h"
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace {

std::optional<ReportPrinting::Choice> runPrintDialog(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, std::max(1, pageCount));
    printer.setFromTo(1, std::max(1, pageCount));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    ReportPrinting::Choice choice;
    choice.printer = printer.printerName();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        choice.outputFile = printer.outputFileName();
    if (printer.printRange() == QPrinter::PageRange) {
        choice.fromPage = printer.fromPage();
        choice.toPage = printer.toPage();
    }
    choice.copies = std::max(1, printer.copyCount());
    // Copies are printed as jobs of their own.
    printer.setCopyCount(1);
    return choice;
}

} // namespace

ReportPrinting::ReportPrinting(QWidget* parent) : m_parent(parent) {
    chooseOptions = [this](QPrinter& printer, int pageCount) {
        return runPrintDialog(m_parent, printer, pageCount);
    };
    printerNames = [] { return QPrinterInfo::availablePrinterNames(); };
    makeAndModel = [](const QString& name) { return QPrinterInfo::printerInfo(name).makeAndModel(); };
    showMessage = [this](const QString& message) {
        MessageBox::show(m_parent, {UserMessage::Warning, message});
    };
    chooseCodePage = [this](TSestLanguage current) {
        return CodePageDialog::ask(m_parent, QStringLiteral("Kódová stránka tiskárny"), current);
    };
}

bool ReportPrinting::isLinePrinter(const QString& printer) const {
    return !printer.isEmpty() && ReportLinePrinter::isTextOnlyDriver(makeAndModel(printer));
}

ReportPrinting::Result ReportPrinting::print(TSestavaD& report) {
    if (printerNames().isEmpty()) {
        showMessage(QStringLiteral("Není vybrána žádná předvolená tiskárna."));
        return NoPrinter;
    }
    const int pages = report.output().pageCount();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.description());
    const QSize paper = report.output().pageSize();
    printer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(paper.width() / 100.0, paper.height() / 100.0), QPageSize::Inch),
                    QPageLayout::Portrait, QMarginsF()));
    const std::optional<Choice> choice = chooseOptions(printer, pages);
    if (!choice)
        return Printed;
    report.StartPage = std::max(1, choice->fromPage);
    report.EndPage = std::max(report.StartPage, choice->toPage);
    report.PrintCopies = std::max(1, choice->copies);

    if (!choice->outputFile.isEmpty()) {
        if (report.exportPdf(choice->outputFile))
            return Printed;
        showMessage(report.errorString());
        return Failed;
    }
    if (isLinePrinter(choice->printer)) {
        const std::optional<TSestLanguage> codePage = chooseCodePage(
            CodePageDialog::stored(settingsFile, SettingsKeys::KodovaStrankaTiskarny, report.ExportLanguage));
        if (!codePage)
            return Printed;
        CodePageDialog::store(settingsFile, SettingsKeys::KodovaStrankaTiskarny, *codePage);
        const TSestLanguage exportLanguage = report.ExportLanguage;
        report.ExportLanguage = *codePage;
        ReportProgressWindow progress(m_parent);
        progress.show();
        progress.showSending();
        RawPrintQueue queue(choice->printer);
        queue.setProgram(lpProgram);
        const int result = PrintReportOnLinePrinter(report, queue, &progress);
        report.ExportLanguage = exportLanguage;
        progress.close();
        if (result == 1) {
            showMessage(queue.errorString());
            return Failed;
        }
        return result == 3 ? Interrupted : Printed;
    }
    return printGraphic(report, printer);
}

ReportPrinting::Result ReportPrinting::printGraphic(TSestavaD& report, QPrinter& printer) {
    const TSestVystup& output = report.output();
    const int from = std::max(1, report.StartPage);
    const int to = std::min(output.pageCount(), report.EndPage);
    if (from > to)
        return Printed;
    ReportProgressWindow progress(m_parent);
    progress.show();
    progress.showSending();
    // The page's coordinates count from the corner of the paper, margins included.
    printer.setFullPage(true);
    for (int copy = 0; copy < report.PrintCopies; ++copy) {
        QPainter painter;
        if (!painter.begin(&printer)) {
            showMessage(QStringLiteral("Tiskárnu %1 nelze použít.").arg(printer.printerName()));
            return Failed;
        }
        const double dotsPerUnitX = printer.resolution() / 100.0;
        painter.scale(dotsPerUnitX, dotsPerUnitX);
        ReportItemPainter items;
        for (int page = from; page <= to; ++page) {
            if (page > from)
                printer.newPage();
            if (!items.paintPage(painter, output.page(page - 1), [&] { return progress.poll(); })) {
                printer.abort();
                return Interrupted;
            }
        }
        if (!painter.end() || printer.printerState() == QPrinter::Aborted ||
            printer.printerState() == QPrinter::Error) {
            showMessage(QStringLiteral("Tisk na tiskárně %1 se nezdařil.").arg(printer.printerName()));
            return Failed;
        }
    }
    return Printed;
}
