// report --db DIR (--key K | --all) [--comment] (--pdf OUT | --text OUT [--codepage C]): the stand
// report composed without a window, written as PDF or as text in a code page.
#include "CliCommand.h"
#include "ReportTextExport.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "StandStore.h"
#include "TFJHKSest.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonObject>
#include <memory>

namespace {

// Report fonts (measuring memo lines, drawing PDF text) come from the platform's font database,
// which only a GUI application has. rivwood-cli starts with a core application; the command then
// brings up its own one on the offscreen platform for the time it runs.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    static int argc = 1;
    static char name[] = "rivwood-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

// A stand printed alone must be stored with its summary.
void requirePrintable(StandDatabase& db, int key) {
    const StandStore::Printable state = StandStore(db).PrintableState(key);
    if (state == StandStore::Printable::Missing)
        throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
    if (state == StandStore::Printable::NoSummary)
        throw RivwoodError("Nejdřív je potřeba vypočítat souhrn !");
}

int run(const QStringList& arguments, const CliGlobals& globals) {
    const CliArgs args(arguments, {"db", "key", "pdf", "text", "codepage"}, {"all", "comment"});
    args.requirePositional(0);
    if (!args.has("db"))
        throw CliUsageError{"chybí --db DIR"};
    if (args.has("key") == args.has("all"))
        throw CliUsageError{"zadejte právě jedno z --key K a --all"};
    if (args.has("pdf") == args.has("text"))
        throw CliUsageError{"zadejte právě jedno z --pdf SOUBOR a --text SOUBOR"};
    if (args.has("codepage") && !args.has("text"))
        throw CliUsageError{"--codepage patří k --text"};
    TSestLanguage language = slCP1250;
    if (args.has("codepage")) {
        bool ok = false;
        language = languageFromName(args.value("codepage"), &ok);
        if (!ok || language == slUndefined)
            throw CliUsageError{QString("neznámá kódová stránka %1 (ascii, cp867, cp852, cp1250)")
                                    .arg(args.value("codepage"))};
    }
    const int key = args.has("key") ? parseIntArg(args.value("key"), "--key") : 0;

    const std::unique_ptr<QGuiApplication> gui = guiApplication();
    StandDatabase db(settingsFile(globals));
    openExistingDatabase(db, args.value("db"));
    if (args.has("key"))
        requirePrintable(db, key);

    TFJHKSest sest(db);
    sest.SKomentarem = args.has("comment");
    TSestava& report = sest.SJHKVysC;
    int pages = 0;
    if (args.has("text")) {
        // The text is composed on the report's character grid while the query is open.
        sest.Preview = [&](TSestava& sestava) {
            sestava.ExportLanguage = language;
            const TSestVystup grid = ReportTextExport::gridPages(sestava);
            ReportTextExport::forReport(sestava).exportToFile(grid, args.value("text"));
            pages = grid.pageCount();
            return true;
        };
    }
    if (args.has("key"))
        sest.PrintStand(key);
    else
        sest.PrintAllStands();

    if (args.has("pdf")) {
        if (!report.exportPdf(args.value("pdf")))
            throw RivwoodError(report.errorString());
        pages = report.output().pageCount();
    }
    printJson(QJsonObject{{"pages", pages}});
    return 0;
}

const CliCommand command("report",
                         "report --db DIR (--key K | --all) [--comment] (--pdf OUT | --text OUT "
                         "[--codepage ascii|cp867|cp852|cp1250])",
                         run);

} // namespace
