// compute STAND: mean diameters, curves and volumes of every species, as the tally sheet does.
#include "CliCommand.h"
#include "MeanStem.h"
#include "StandJson.h"

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(1);
    StandSession session;
    StandJson::FromJsonBytes(readInput(args.positional(0)), session);
    printMessages(MeanStem::ComputeStand(session, referenceDirectory(globals)));
    printJson(StandJson::ToJson(session));
    return 0;
}

const CliCommand reg("compute", "compute POROST.json", run);

} // namespace
