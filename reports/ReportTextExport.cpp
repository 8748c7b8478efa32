#include "ReportTextExport.h"

#include "ReportProgress.h"
#include "RivwoodError.h"
#include "TSestavaD.h"
#include "TextMeasure.h"

#include <algorithm>
#include <climits>

namespace ReportTextPlacing {

bool isPlaced(const TVystPrvek& item) {
    return item.isText();
}

void placeItem(TZnakovePole& grid, const TVystPrvek& item, int dx, int dy) {
    if (!isPlaced(item) || item.text.isEmpty())
        return;
    auto shifted = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN / 2, INT_MAX / 2)); };
    const int left = shifted(qint64(item.rect.x()) + dx);
    const int top = shifted(qint64(item.rect.y()) + dy);
    const int right = shifted(qint64(left) + item.rect.width());
    const int bottom = shifted(qint64(top) + item.rect.height());
    grid.placeLines(left, top, right, bottom, item.text, item.horizontalAlignment(),
                    TZnakovePole::variantOfStyle(item.style), item.fontSize);
}

bool placePage(TZnakovePole& grid, const TStranaPrvku& page, int dx, int dy, ReportProgress* progress) {
    for (const TVystPrvek& item : page.items) {
        if (progress && progress->poll())
            return true;
        placeItem(grid, item, dx, dy);
    }
    return false;
}

} // namespace ReportTextPlacing

ReportTextExport ReportTextExport::forReport(const TSestavaD& report) {
    ReportTextExport e;
    e.language = report.ExportLanguage;
    e.firstPage = report.StartPage;
    e.lastPage = report.EndPage;
    e.copies = report.PrintCopies;
    e.lineSpacing = report.grid().lineSpacing;
    return e;
}

ReportTextExport::Result ReportTextExport::run(const TSestVystup& output, TZnakovePole& grid) const {
    grid.size(output.pageSize().height(), lineSpacing);
    const int from = std::max(1, firstPage);
    const int to = std::min(output.pageCount(), lastPage);
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int page = from; page <= to; ++page) {
            if (ReportTextPlacing::placePage(grid, output.page(page - 1), 0, 0, progress))
                return Interrupted;
            grid.appendToBuffer(language);
            grid.clearSlots();
        }
    }
    return Ok;
}

ReportTextExport::Result ReportTextExport::render(const TSestVystup& output, QByteArray& text) const {
    TZnakovePole grid;
    grid.setOutputFile(QString());
    const Result result = run(output, grid);
    text = grid.buffer();
    return result;
}

ReportTextExport::Result ReportTextExport::exportToFile(const TSestVystup& output,
                                                        const QString& fileName) const {
    TZnakovePole grid;
    grid.setOutputFile(fileName);
    if (run(output, grid) == Interrupted)
        return Interrupted;
    grid.saveToFile();
    return Ok;
}

TSestVystup ReportTextExport::gridPages(TSestavaD& report) {
    TSestVystup pages;
    if (report.composeInto(pages, TextMeasure::characterGrid(report.grid().lineSpacing)) ==
        TSestavaD::ComposeFailed)
        throw RivwoodError(report.errorString());
    return pages;
}

ReportTextExport::Result ReportTextExport::exportReport(TSestavaD& report, const QString& fileName,
                                                        ReportProgress* progress) {
    const TSestVystup pages = gridPages(report);
    ReportTextExport e = forReport(report);
    e.progress = progress;
    return e.exportToFile(pages, fileName);
}
