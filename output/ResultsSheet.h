#pragma once

#include "QueryRows.h"
#include <QString>
#include <vector>

class ResultsWorkbook;

// The results of one stand on a sheet of the results workbook: the stand header and the stock of
// every species from QSestava, the shrubs and the totals; the font of the workbook; the file it
// is proposed to be saved as.
namespace ResultsSheet {

inline const QString DialogTitle = QStringLiteral("Uložení výsledků do excelu");
inline const QString DialogFilter = QStringLiteral("Excel 5.0|*.xls");
inline const QString NotSaved = QStringLiteral(" Uložení do excelu NEPROBĚHLO !!!");
inline const QString WorkbookFont = QStringLiteral("Arial CE");

// Empties sheet `sheet` and fills it from the QSestava rows of the stand (it becomes the current
// sheet).
void FillResultsSheet(ResultsWorkbook& book, int sheet, const std::vector<QueryRow>& rows);
// "Arial CE" in the size of each sheet's first cell for the used cells of every sheet.
void SetWorkbookFont(ResultsWorkbook& book);
// The sheet name of a survey: trimmed, cut to 28 characters, characters a sheet name cannot hold
// made "_" ("Bez akce" when nothing is left).
QString SheetNameOf(const QString& surveyName);
// The directory + "/" + the stand code with blanks as single underscores + ".xls".
QString ProposedFileName(const QString& saveDirectory, const QString& standCode);

} // namespace ResultsSheet
