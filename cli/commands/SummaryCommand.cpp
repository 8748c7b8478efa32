// summary STAND [--db DIR --save]: the summary window's computation; with --save its "Výpočet a
// uložení do databáze", which stores the stand.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "CliSheet.h"
#include "RivwoodError.h"
#include "StandJson.h"

#include <memory>

namespace {

bool duplicateAnswer(const CliArgs& args) {
    const QString answer = args.value("duplicate", "no");
    if (answer != "yes" && answer != "no")
        throw CliUsageError{QString("--duplicate musí být yes nebo no: %1").arg(answer)};
    return answer == "yes";
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"db", "duplicate"}, {"save"});
    args.requirePositional(1);
    const bool save = args.has("save");
    if (save && !args.has("db"))
        throw CliUsageError{"--save vyžaduje --db DIR"};
    const bool yes = duplicateAnswer(args);

    std::unique_ptr<StandDatabase> db;
    std::unique_ptr<StandStore> store;
    if (save) {
        db = std::make_unique<StandDatabase>(settingsFile(globals));
        openCliDatabase(*db, args, MissingDirectory::Create);
        store = std::make_unique<StandStore>(*db);
    }
    CliSheet cli(store.get(), referenceDirectory(globals), yes);
    cli.load(readInput(args.positional(0)));
    // Messages of the computation are failures here: print them as the error.
    FixedAnswerDialogs dialogs(yes);
    cli.sheet.setDialogs(&dialogs);
    SheetSummary& summary = cli.sheet.summary();
    summary.show();
    if (save) {
        if (!summary.computeAndSave() && dialogs.messages.empty())
            throw RivwoodError("Duplicitní kód porostu. Má se přesto uložit ?");
    } else if (cli.sheet.state().stand.area <= 0) {
        summary.compute();
    }
    if (!dialogs.messages.empty())
        throw RivwoodError(dialogs.messages.front().text);
    printJson(cli.json());
    return 0;
}

const CliCommand reg("summary", "summary POROST.json [--db DIR --save [--duplicate yes|no]]", run);

} // namespace
