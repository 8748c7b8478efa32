#pragma once

#include "TSestLanguage.h"
#include "TSestVystup.h"
#include "TZnakovePole.h"

#include <QByteArray>
#include <QString>

class ReportProgress;
class TSestavaD;

// The composed pages of a report as plain text on the character grid: every text item (element
// kinds 1 to 6 without a picture) is placed with its rectangle shifted by the given offsets, its
// alignment, the pitch of its font size and the variant of its font style (bold, italic,
// underline); a multi-line item puts its line n on row offset n. Lines, frames, ellipses and
// pictures are not placed.
namespace ReportTextPlacing {

bool isPlaced(const TVystPrvek& item);
void placeItem(TZnakovePole& grid, const TVystPrvek& item, int dx = 0, int dy = 0);
// Every item of the page; asks `progress` between items and answers true when it was interrupted
// (the page is then left part-placed).
bool placePage(TZnakovePole& grid, const TStranaPrvku& page, int dx, int dy,
               ReportProgress* progress = nullptr);

} // namespace ReportTextPlacing

// Export of composed pages to a text file in a code page: for every copy and every page of the
// range, the page's grid is appended to the text, one line per grid row ended by CR LF.
class ReportTextExport {
  public:
    enum Result { Ok = 0, Interrupted = 3 };

    TSestLanguage language = slUndefined; // slUndefined writes cp1250, the program's own encoding
    int firstPage = 1;
    int lastPage = 9999;
    int copies = 1;
    int lineSpacing = 0; // of the template's grid: 0 = 6, 1 = 4, 2 = 3 lines per inch
    ReportProgress* progress = nullptr;

    // The settings of a report component: ExportLanguage, StartPage, EndPage, PrintCopies and the
    // line spacing of its grid.
    static ReportTextExport forReport(const TSestavaD& report);

    // The whole text; Interrupted leaves `text` with what was appended before the interrupt.
    Result render(const TSestVystup& output, QByteArray& text) const;
    // Renders and writes the file (replacing it). Nothing is written when interrupted; a file that
    // cannot be written is an IoError.
    Result exportToFile(const TSestVystup& output, const QString& fileName) const;

    // The report with the settings of forReport, composed anew on its character grid (memos wrap at
    // the grid's columns, so no word is cut) and written to the file; the report's own pages (those
    // of the preview) stay as they are. The report's data set must be open; a report that cannot be
    // composed is a RivwoodError with its message.
    static Result exportReport(TSestavaD& report, const QString& fileName,
                               ReportProgress* progress = nullptr);
    // The report's pages composed on its character grid, as exportReport writes them.
    static TSestVystup gridPages(TSestavaD& report);

  private:
    Result run(const TSestVystup& output, TZnakovePole& grid) const;
};
