#include "CliDatabase.h"

#include "DatabaseChooser.h"

void openCliDatabase(StandDatabase& db, const CliArgs& args) {
    if (!args.has("db"))
        throw CliUsageError{"chybí --db DIR"};
    DatabaseChooser::UseDirectory(db, args.value("db"), [](const UserMessage&) { return true; });
}

std::vector<int> keysOrAll(const CliArgs& args, const std::function<std::vector<int>()>& all) {
    const bool everything = args.has("all");
    if (everything == args.has("key"))
        throw CliUsageError{"zadejte --key KLÍČ (i vícekrát) nebo --all"};
    if (everything)
        return all();
    std::vector<int> keys;
    for (const QString& k : args.values("key"))
        keys.push_back(parseIntArg(k, "--key"));
    return keys;
}
