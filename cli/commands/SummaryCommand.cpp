// summary STAND [--db DIR --save]: the summary computation; with --save the stand is stored as the
// summary window's "Výpočet a uložení do databáze" does.
#include "CliCommand.h"
#include "DatabaseChooser.h"
#include "RivwoodError.h"
#include "StandJson.h"
#include "SummaryHandOff.h"

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

    StandSession session;
    StandJson::FromJsonBytes(readInput(args.positional(0)), session);
    SummaryTable table;
    table.Fill(session.stand);
    if (!save) {
        const SummaryResult result = table.Compute(session.stand);
        if (result.error)
            throw RivwoodError(result.error->text);
    } else {
        StandDatabase db(settingsFile(globals));
        DatabaseChooser::UseDirectory(db, args.value("db"), [](const UserMessage&) { return true; });
        StandStore store(db);
        const SummaryHandOff::Outcome out =
            SummaryHandOff::ComputeSummary(table, session, store, [yes](const UserMessage&) { return yes; });
        if (out.result.error)
            throw RivwoodError(out.result.error->text);
        if (!out.stored)
            throw RivwoodError("Duplicitní kód porostu. Má se přesto uložit ?");
    }
    printJson(StandJson::ToJson(session));
    return 0;
}

const CliCommand reg("summary", "summary POROST.json [--db DIR --save [--duplicate yes|no]]", run);

} // namespace
