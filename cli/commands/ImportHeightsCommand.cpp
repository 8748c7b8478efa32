// import-heights FILE STAND: sample heights "dřevina;tloušťka;výška" added to the species of a
// stand, as the menu's import does; prints the stand.
#include "CliCommand.h"
#include "CliSheet.h"
#include "SampleHeightFile.h"
#include "StandJson.h"

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(2);
    const QString file = args.positional(0);
    if (file == "-" && args.positional(1) == "-")
        throw CliUsageError{"soubor vzorníků a porost nemohou být oba ze standardního vstupu"};
    CliSheet cli(nullptr, referenceDirectory(globals));
    cli.load(readInput(args.positional(1)));
    // Nothing added is a failure the user can mend; the messages on stderr say why.
    if (!cli.sheet.heights().importFile(file == "-" ? readInput(file) : SampleHeightFile::Read(file)))
        return 1;
    printJson(cli.json());
    return 0;
}

const CliCommand reg("import-heights", "import-heights SOUBOR POROST.json", run);

} // namespace
