// compute STAND: for every species the tally sheet's buttons — "Tloušťka", "Výpočet ", "Záznam".
#include "CliCommand.h"
#include "CliSheet.h"
#include "SheetComputation.h"
#include "StandJson.h"

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(1);
    CliSheet cli(nullptr, referenceDirectory(globals));
    cli.load(readInput(args.positional(0)));
    for (const SpeciesComputation& c : ComputeAllSpecies(cli.sheet))
        if (!c.computed())
            printError(QString("%1: %2").arg(c.abbreviation, c.reason));
    printJson(cli.json());
    return 0;
}

const CliCommand reg("compute", "compute POROST.json", run);

} // namespace
