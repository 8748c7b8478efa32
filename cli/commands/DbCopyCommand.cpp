// db copy --from A --to B (--key K … | --all) [--conflict yes|no]: copies stands between two stand
// databases (directories or server addresses), keys and change counters kept. A stand whose key
// holds another version in the target is a conflict: reported and left alone, overwritten with
// --conflict yes.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "DatabaseChooser.h"
#include "StandCopy.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

void openOption(StandDatabase& db, const CliArgs& args, const char* option) {
    if (!args.has(option))
        throw CliUsageError{QString("chybí --%1 DIR|postgresql://…").arg(option)};
    // The target is stored into: a directory that does not exist yet is made.
    if (QLatin1String(option) == QLatin1String("to"))
        createMissingDirectory(args.value(option));
    DatabaseChooser::UseDirectory(db, args.value(option), [](const UserMessage&) { return true; });
}

QJsonArray array(const std::vector<int>& keys) {
    QJsonArray a;
    for (int k : keys)
        a.append(k);
    return a;
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"from", "to", "key", "conflict"}, {"all"});
    args.requirePositional(0);
    const QString conflict = args.value("conflict", "no");
    if (conflict != "yes" && conflict != "no")
        throw CliUsageError{QString("--conflict musí být yes nebo no: %1").arg(conflict)};
    StandDatabase from(settingsFile(globals));
    StandDatabase to(settingsFile(globals));
    openOption(from, args, "from");
    openOption(to, args, "to");
    const std::vector<int> keys = keysOrAll(args, [&from] { return StandCopy::StandKeys(from); });
    const StandCopy::Result r = StandCopy::Copy(from, to, keys, conflict == "yes");
    printJson(QJsonObject{{"copied", array(r.copied)}, {"conflicts", array(r.conflicts)}});
    return 0;
}

const CliCommand reg("db copy",
                     "db copy --from DIR|postgresql://… --to DIR|postgresql://… (--key KLÍČ … | --all) "
                     "[--conflict yes|no]",
                     run);

} // namespace
