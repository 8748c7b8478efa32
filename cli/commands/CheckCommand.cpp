// check STAND: "Kontrola porostu", the plausibility check of the stand.
#include "CliCommand.h"
#include "CliSheet.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(1);
    CliSheet cli(nullptr, referenceDirectory(globals));
    cli.load(readInput(args.positional(0)));
    QJsonArray warnings;
    for (const PlausibilityWarning& w : cli.sheet.check(true))
        warnings.append(QJsonObject{
            {"species", w.species}, {"class", w.classCentre}, {"kind", w.kind}, {"text", w.text}});
    printJson(QJsonObject{{"warnings", warnings}});
    return 0;
}

const CliCommand reg("check", "check POROST.json", run);

} // namespace
