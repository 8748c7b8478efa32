// results --db DIR --key K --out FILE.xls: the results workbook of one stored stand as the main
// menu's "Tento porost" makes it (font set before saving), written as Excel 5.0.
#include "Biff5Writer.h"
#include "CliCommand.h"
#include "CliDatabase.h"
#include "ResultsSheet.h"
#include "ResultsWorkbook.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "StandQueries.h"
#include "TFDoExcelu.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

namespace {

int run(const QStringList& arguments, const CliGlobals& globals) {
    const CliArgs args(arguments, {"db", "key", "out"}, {});
    args.requirePositional(0);
    if (!args.has("db") || !args.has("key") || !args.has("out"))
        throw CliUsageError{"zadejte --db DIR --key K --out SOUBOR.xls"};
    const int key = parseIntArg(args.value("key"), "--key");
    const QString out = QFileInfo(args.value("out")).absoluteFilePath();

    StandDatabase db(settingsFile(globals));
    openExistingDatabase(db, args.value("db"));
    requireStand(db, key);
    if (!StandQueries::HasSummary(db, key))
        throw RivwoodError(TFDoExcelu::NotComputed);
    ResultsWorkbook book;
    book.ClearWorkbook();
    book.SetNumSheets(1);
    ResultsSheet::FillResultsSheet(book, 1, StandQueries::QSestava(db, key));
    ResultsSheet::SetWorkbookFont(book);
    QString error;
    if (!Biff5Writer::write(book, out, error))
        throw RivwoodError(error);
    printJson(QJsonObject{{"file", QDir::toNativeSeparators(out)}});
    return 0;
}

const CliCommand command("results", "results --db DIR --key K --out SOUBOR.xls", run);

} // namespace
