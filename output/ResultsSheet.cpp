#include "ResultsSheet.h"

#include "ResultsWorkbook.h"
#include "StandQueries.h"
#include "StockTotals.h"
#include "SurveySheetName.h"
#include "TextUtils.h"

#include <QDir>
#include <QRegularExpression>

using StandQueries::number;
using StandQueries::text;

namespace ResultsSheet {

QString SheetNameOf(const QString& surveyName) {
    return SurveySheetName::of(surveyName.trimmed().left(28));
}

void FillResultsSheet(ResultsWorkbook& book, int sheet, const std::vector<QueryRow>& rows) {
    // A sheet filled before (another stand, more species) keeps none of its rows.
    book.ClearSheet(sheet);
    const QueryRow first = rows.empty() ? QueryRow() : rows.front();
    book.SetSheetName(sheet, SheetNameOf(text(first, "NazevAkce")));
    const char* headings[] = {"Tok", "Břeh", "Řada kmenů", "Název akce"};
    const char* fields[] = {"NazevTok", "NazevBreh", "NazevRKm", "NazevAkce"};
    for (int c = 0; c < 4; ++c) {
        book.SetText(1, c + 1, QString::fromUtf8(headings[c]));
        book.SetText(2, c + 1, text(first, fields[c]));
    }
    book.SetText(3, 1, QStringLiteral("Plocha (m2)"));
    book.SetNumber(3, 2, RoundHalfEven(number(first, "PLOCHA")));
    book.SetText(3, 3, QStringLiteral("Zakmenění"));
    book.SetNumber(3, 4, RoundHalfEven(number(first, "ZAKM") * 100) / 100);
    book.SetText(5, 4, QStringLiteral("Zásoba"));
    book.SetText(5, 7, QStringLiteral("Likvidace"));
    book.SetText(5, 10, QStringLiteral("Zužitkovatelná"));
    book.SetText(5, 13, QStringLiteral("Cena jedn."));
    book.SetText(5, 14, QStringLiteral("Cena celk."));
    book.SetText(6, 1, QStringLiteral("Dřevina"));
    book.SetText(6, 2, QStringLiteral("Tloušťka"));
    book.SetText(6, 3, QStringLiteral("Výška"));
    for (int group = 0; group < 3; ++group) {
        book.SetText(6, 4 + 3 * group, QStringLiteral("jehličnatá"));
        book.SetText(6, 5 + 3 * group, QStringLiteral("listnatá"));
        book.SetText(6, 6 + 3 * group, QStringLiteral("celkem"));
    }
    int r = 7;
    for (size_t i = 0; i < std::max<size_t>(rows.size(), 1); ++i) {
        const QueryRow row = rows.empty() ? QueryRow() : rows[i];
        book.SetText(r, 1, text(row, "DR_ZKR"));
        book.SetNumber(r, 2, RoundHalfEven(number(row, "TLOUSTKA")));
        book.SetNumber(r, 3, RoundHalfEven(number(row, "VYSKA")));
        book.SetNumber(r, 4, StockTotals::Shown(number(row, "DR_ZAS_J")));
        book.SetNumber(r, 5, StockTotals::Shown(number(row, "DR_ZAS_L")));
        book.SetNumber(r, 6, StockTotals::Shown(number(row, "DR_ZAS_CEL")));
        ++r;
    }
    // The shrub area is shown with its unit, outside the stock sums.
    const double k = rows.empty() ? 0 : number(rows.back(), "KROVINY");
    if (k > 0) {
        book.SetText(r, 1, StockTotals::ShrubLabelCp1250);
        book.SetNumber(r, 5, RoundHalfEven(k));
        book.SetNumber(r, 6, RoundHalfEven(k));
        ++r;
    }
    const StockTotals::Totals sums = StockTotals::Of(rows);
    book.SetText(r, 1, QStringLiteral("Celkem"));
    book.SetNumber(r, 4, sums.conifer);
    book.SetNumber(r, 5, sums.broadleaf);
    book.SetNumber(r, 6, sums.total);
}

void SetWorkbookFont(ResultsWorkbook& book) {
    for (int sheet = 1; sheet <= book.NumSheets(); ++sheet) {
        book.SetSheet(sheet);
        book.SetSelection(1, 1, 1, 1);
        const ResultsWorkbook::Font f = book.GetFont();
        if (book.LastRow() > 0 && book.LastCol() > 0)
            book.SetSelection(1, 1, book.LastRow(), book.LastCol());
        book.SetFont(WorkbookFont, int(RoundHalfEven(f.size / 20.0)), f.bold, f.italic, f.underline,
                     f.strikeOut, f.colour, f.outline, f.shadow);
        book.SetSelection(1, 1, 1, 1);
    }
}

QString ProposedFileName(const QString& saveDirectory, const QString& standCode) {
    QString name = standCode.trimmed();
    name.replace(u' ', u'_');
    name.replace(QRegularExpression(QStringLiteral("_+")), QStringLiteral("_"));
    return QDir(saveDirectory).filePath(name + QStringLiteral(".xls"));
}

} // namespace ResultsSheet
