// db compute (--key K … | --all) --db DIR: the tally sheet's computation, the summary and the save
// for many stored stands; --all takes the stands not yet computed or summarised.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "StandBatch.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"db", "key"}, {"all"});
    args.requirePositional(0);
    StandDatabase db(settingsFile(globals));
    openCliDatabase(db, args);
    StandStore store(db);
    const std::vector<int> keys = keysOrAll(args, [&store] { return store.StandsNotComputed(); });
    const StandBatchResult result = ComputeStands(store, referenceDirectory(globals), keys);
    QJsonArray computed, skipped;
    for (int key : result.computed)
        computed.append(key);
    for (const StandBatchResult::Skip& s : result.skipped)
        skipped.append(QJsonObject{{"key", s.key}, {"species", s.species}, {"reason", s.reason}});
    printJson(QJsonObject{{"computed", computed}, {"skipped", skipped}});
    return 0;
}

const CliCommand reg("db compute", "db compute (--key KLÍČ … | --all) --db DIR", run);

} // namespace
