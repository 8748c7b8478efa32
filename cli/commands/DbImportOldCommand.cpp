// db import-old --from DIR --db DIR2 [--conflict yes|no]: takes the stands of the older program's
// Paradox database in DIR over into the database of --db under their old keys. A key that holds
// a stand there is a conflict: reported with the stands left out, overwritten with --conflict yes.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "OldDatabaseTakeOver.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"from", "db", "conflict"}, {});
    args.requirePositional(0);
    if (!args.has("from"))
        throw CliUsageError{"chybí --from DIR (složka databáze starší verze)"};
    const QString conflict = args.value("conflict", "no");
    if (conflict != "yes" && conflict != "no")
        throw CliUsageError{QString("--conflict musí být yes nebo no: %1").arg(conflict)};
    StandDatabase db(settingsFile(globals));
    openCliDatabase(db, args, MissingDirectory::Create);
    const OldDatabaseTakeOver::Result r =
        OldDatabaseTakeOver::TakeOver(args.value("from"), db, conflict == "yes");
    QJsonArray imported, skipped;
    for (const int key : r.imported)
        imported.append(key);
    for (const OldDatabaseTakeOver::Skip& s : r.skipped)
        skipped.append(QJsonObject{{"key", s.key}, {"reason", s.reason}});
    printJson(QJsonObject{{"imported", imported},
                          {"skipped", skipped},
                          {"heights", r.heights},
                          {"notRead", QJsonArray::fromStringList(r.notRead)}});
    return 0;
}

const CliCommand reg("db import-old", "db import-old --from DIR --db DIR|postgresql://… [--conflict yes|no]",
                     run);

} // namespace
