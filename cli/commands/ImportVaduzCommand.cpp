// import-vaduz FILE: a Vaduz caliper report as stand JSON. Codes are assigned from --assign
// CODE=ABBR, the settings section "KodyDrevin" and codes that are abbreviations themselves.
#include "CliCommand.h"
#include "StandJson.h"
#include "VaduzImport.h"

namespace {

void applyAssignments(const QStringList& pairs, SpeciesAssignment& assignment) {
    for (const QString& pair : pairs) {
        const qsizetype eq = pair.indexOf('=');
        const QString code = pair.left(eq).trimmed();
        const QString abbreviation = assignment.OfferedAbbreviation(pair.mid(eq + 1));
        if (eq <= 0 || code.isEmpty())
            throw CliUsageError{QString("--assign očekává KÓD=ZKRATKA: %1").arg(pair)};
        if (abbreviation.isEmpty())
            throw CliUsageError{QString("neznámá zkratka dřeviny v --assign %1").arg(pair)};
        assignment.Assign(code, abbreviation); // a code the file does not hold is no error
    }
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"assign", "width", "first"}, {});
    args.requirePositional(1);

    StandSession session;
    if (args.has("width") || args.has("first")) {
        const int width = args.has("width") ? parseIntArg(args.value("width"), "--width") : 4;
        session.SetClassLayout(width, args.has("first") ? parseDoubleArg(args.value("first"), "--first")
                                                        : ClassLayout::DefaultFirstCentre(width));
    }
    VaduzImport import(settingsFile(globals));
    QTemporaryFile copy;
    import.ScanFile(inputFile(args.positional(0), copy), true);
    applyAssignments(args.values("assign"), import.assignment());

    const SpeciesAssignment::Check check = import.CheckOk();
    if (check != SpeciesAssignment::Check::Ok) {
        printMessages({SpeciesAssignment::MessageFor(check)});
        return 1;
    }
    printJson(StandJson::ToJson(import.Import(session), 0));
    return 0;
}

const CliCommand reg("import-vaduz", "import-vaduz SOUBOR [--assign KÓD=ZKRATKA]… [--width W --first C]",
                     run);

} // namespace
