#include "ReportLinePrinter.h"

#include "ConvertText.h"
#include "ReportProgress.h"
#include "ReportTextExport.h"
#include "TSestavaD.h"
#include "TextMeasure.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr char ESC = 0x1B;

// ESC/P line spacing ESC 3 n: n/216 inch.
QByteArray lineSpacingCode(int lineSpacing) {
    const int lpi = TZnakovePole::linesPerInch(lineSpacing);
    QByteArray code;
    code += ESC;
    code += '3';
    code += char(216 / lpi);
    return code;
}

QByteArray pitchOn(int pitch) {
    switch (pitch) {
    case 1:
        return QByteArray() + ESC + 'M'; // 12 cpi
    case 2:
        return QByteArray() + ESC + 'P' + char(0x0F); // condensed 10 cpi: 17 cpi
    default:
        return QByteArray() + ESC + 'P'; // 10 cpi
    }
}

QByteArray pitchOff(int pitch) {
    return pitch == 2 ? QByteArray(1, char(0x12)) : QByteArray();
}

} // namespace

namespace ReportLinePrinter {

bool isTextOnlyDriver(const QString& makeAndModel) {
    const QString m = makeAndModel.toLower();
    static const QRegularExpression rawWord(QStringLiteral("\\braw\\b"));
    return m.contains(QStringLiteral("text")) || m.contains(rawWord);
}

QByteArray jobStart(int lineSpacing) {
    return QByteArray() + ESC + '@' + lineSpacingCode(lineSpacing);
}

QByteArray gridBytes(const TZnakovePole& grid, TSestLanguage codePage) {
    int last = grid.rowCount() - 1;
    while (last >= 0 && grid.row(last).isEmpty())
        --last;
    QByteArray out;
    for (int i = 0; i <= last; ++i) {
        const TZnakovyRadek& row = grid.row(i);
        for (int s = 0; s < TZnakovyRadek::SlotCount; ++s) {
            const QString& text = row.slot(s);
            if (text.trimmed().isEmpty())
                continue;
            const int pitch = s / 8;
            const bool bold = s % 2 == 1;
            out += pitchOn(pitch);
            if (bold)
                out += QByteArray() + ESC + 'E';
            // Blanks after the last character print nothing.
            qsizetype end = text.size();
            while (end > 0 && text[end - 1] == u' ')
                --end;
            out += ConvertText(text.left(end), codePage);
            if (bold)
                out += QByteArray() + ESC + 'F';
            out += pitchOff(pitch);
            out += '\r'; // back to the left edge: the next slot prints over this one
        }
        out += '\n';
    }
    return out;
}

QByteArray pageEnd() {
    return QByteArray(1, '\f');
}

} // namespace ReportLinePrinter

bool LinePrinterJob::render(const TSestVystup& output, QByteArray& bytes) const {
    TZnakovePole grid;
    grid.size(output.pageSize().height(), lineSpacing);
    bytes = ReportLinePrinter::jobStart(lineSpacing);
    const int from = std::max(1, firstPage);
    const int to = std::min(output.pageCount(), lastPage);
    for (int page = from; page <= to; ++page) {
        if (ReportTextPlacing::placePage(grid, output.page(page - 1), dx, dy, progress))
            return false;
        bytes += ReportLinePrinter::gridBytes(grid, codePage);
        bytes += ReportLinePrinter::pageEnd();
        grid.clearSlots();
    }
    return true;
}

QStringList RawPrintQueue::arguments(const QString& title) const {
    return {QStringLiteral("-d"), m_queue, QStringLiteral("-o"), QStringLiteral("raw"),
            QStringLiteral("-t"), title,   QStringLiteral("-")};
}

bool RawPrintQueue::send(const QString& title, const QByteArray& bytes) {
    m_error.clear();
    QProcess lp;
    lp.setProgram(m_program);
    lp.setArguments(arguments(title));
    lp.setProcessChannelMode(QProcess::MergedChannels);
    lp.start();
    if (!lp.waitForStarted(10000)) {
        m_error = QStringLiteral("Tiskovou úlohu nelze předat tiskárně %1: příkaz %2 není k dispozici.")
                      .arg(m_queue, m_program);
        return false;
    }
    lp.write(bytes);
    lp.closeWriteChannel();
    if (!lp.waitForFinished(120000)) {
        lp.kill();
        lp.waitForFinished(1000);
        m_error = QStringLiteral("Tiskárna %1 tiskovou úlohu nepřevzala.").arg(m_queue);
        return false;
    }
    if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(lp.readAll()).trimmed();
        m_error = QStringLiteral("Tiskárna %1 tiskovou úlohu odmítla.").arg(m_queue) +
                  (said.isEmpty() ? QString() : u' ' + said);
        return false;
    }
    return true;
}

int PrintReportOnLinePrinter(TSestavaD& report, RawPrintQueue& queue, ReportProgress* progress, int dx,
                             int dy) {
    TSestVystup grid;
    const bool composed = report.dataSet() && report.dataSet()->isActive() &&
                          report.composeInto(grid, TextMeasure::characterGrid(report.grid().lineSpacing)) !=
                              TSestavaD::ComposeFailed;
    const TSestVystup& pages = composed ? grid : report.output();
    LinePrinterJob job;
    job.firstPage = report.StartPage;
    job.lastPage = report.EndPage;
    job.lineSpacing = report.grid().lineSpacing;
    job.codePage = report.ExportLanguage;
    job.dx = dx;
    job.dy = dy;
    job.progress = progress;
    for (int copy = 0; copy < std::max(1, report.PrintCopies); ++copy) {
        QByteArray bytes;
        if (!job.render(pages, bytes))
            return 3;
        if (!queue.send(QStringLiteral("Tisková sestava"), bytes))
            return 1;
    }
    return 0;
}
