#pragma once

#include "TSestLanguage.h"
#include "TSestVystup.h"
#include "TZnakovePole.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ReportProgress;
class TSestavaD;

// Printing composed pages as plain text on a line printer: a CUPS queue whose driver prints text
// as it comes (a generic text-only driver or a raw queue). Each page is placed on the character
// grid and sent row by row in the printer's own control codes (ESC/P, as dot-matrix printers
// understand it): the pitch of a slot selects 10, 12 or 17 characters per inch, odd slots print
// bold, and slots of one row print over each other from the left edge (carriage return without
// line feed). Italic and underline are not printed.
namespace ReportLinePrinter {

// Whether a queue's make and model names a driver that prints plain text: "Generic Text-Only
// Printer", a "text" driver or a raw queue ("Local Raw Printer", "Raw Queue"). Generic PostScript
// or PCL drivers are not.
bool isTextOnlyDriver(const QString& makeAndModel);

// Start of a job: printer reset and the line spacing of the grid (0 = 6, 1 = 4, 2 = 3 lines per
// inch).
QByteArray jobStart(int lineSpacing);
// The rows of one grid in the code page (slUndefined: cp1250), up to its last non-empty row, each
// ended by a line feed; blanks at the end of a slot are not sent.
QByteArray gridBytes(const TZnakovePole& grid, TSestLanguage codePage);
// Form feed: the next page.
QByteArray pageEnd();

} // namespace ReportLinePrinter

// One print job of the line printer: the pages from `firstPage` to `lastPage`, items placed with
// the printer offsets (dx, dy, hundredths of an inch), a form feed after every page.
class LinePrinterJob {
  public:
    int firstPage = 1;
    int lastPage = 9999;
    int lineSpacing = 0;
    int dx = 0;
    int dy = 0;
    TSestLanguage codePage = slUndefined;
    ReportProgress* progress = nullptr;

    // False when interrupted; `bytes` is then incomplete and must not be sent.
    bool render(const TSestVystup& output, QByteArray& bytes) const;
};

// A CUPS queue fed with the job's bytes as they are, through the "lp" command (-o raw).
class RawPrintQueue {
  public:
    explicit RawPrintQueue(QString queue) : m_queue(std::move(queue)) {}

    // The program run to submit jobs; "lp" (searched on PATH) unless set.
    void setProgram(const QString& program) { m_program = program; }
    QString program() const { return m_program; }
    // Arguments given to it for a job with this title.
    QStringList arguments(const QString& title) const;

    // Submits one job; false with errorString() when the command is missing or refuses the job.
    bool send(const QString& title, const QByteArray& bytes);
    QString errorString() const { return m_error; }

  private:
    QString m_queue;
    QString m_program = QStringLiteral("lp");
    QString m_error;
};

// Prints a report on a line printer: every copy a job titled "Tisková sestava" holding the pages
// StartPage..EndPage in the report's ExportLanguage. The report is composed anew on its character
// grid (memos wrap at the grid's columns) when its data set is open, otherwise its composed pages
// are used. Answers 0 when sent, 3 when interrupted (nothing of the interrupted copy is sent), 1
// when the queue refused a job (errorString() of the queue).
int PrintReportOnLinePrinter(TSestavaD& report, RawPrintQueue& queue, ReportProgress* progress = nullptr,
                             int dx = 0, int dy = 0);
