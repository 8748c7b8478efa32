#include "CliDatabase.h"

#include "DatabaseChooser.h"
#include "RivwoodError.h"
#include "ServerAddress.h"
#include "StandStore.h"

#include <QDir>
#include <QFileInfo>

void openCliDatabase(StandDatabase& db, const CliArgs& args, MissingDirectory missing) {
    if (!args.has("db"))
        throw CliUsageError{"chybí --db DIR"};
    if (missing == MissingDirectory::Create)
        createMissingDirectory(args.value("db"));
    DatabaseChooser::UseDirectory(db, args.value("db"), [](const UserMessage&) { return true; });
}

void createMissingDirectory(const QString& directory) {
    if (ServerAddress::IsServerAddress(directory) || QFileInfo(directory).isDir())
        return;
    if (!QDir().mkpath(directory))
        throw RivwoodError(
            QString("Adresář databáze „%1“ nelze vytvořit.").arg(QDir::toNativeSeparators(directory)));
}

void requireStand(StandDatabase& db, int key) {
    StandStore store(db);
    StandSession probe;
    if (!store.LoadStand(probe, key).found)
        throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
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
