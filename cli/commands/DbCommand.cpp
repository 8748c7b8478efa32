// db list|load|save|delete --db DIR: the stand store of the database directory.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "DatabaseChooser.h"
#include "RivwoodError.h"
#include "StandJson.h"
#include "StandListModel.h"
#include "StandStore.h"

#include <QJsonArray>

namespace {

int keyArg(const CliArgs& args) {
    return parseIntArg(args.positional(1), "KLÍČ");
}

int list(StandStore& store) {
    StandListModel model(store.database());
    model.refresh();
    QJsonArray stands;
    for (const StandListModel::Row& r : model.rows())
        stands.append(QJsonObject{{"key", r.key},
                                  {"river", r.river},
                                  {"bank", r.bank},
                                  {"riverKm", r.riverKm},
                                  {"action", r.action},
                                  {"area", r.area},
                                  {"computed", r.computed},
                                  {"summary", r.summary}});
    printJson(QJsonObject{{"stands", stands}});
    return 0;
}

int load(StandStore& store, int key) {
    StandSession session;
    const LoadStandResult r = store.LoadStand(session, key);
    if (!r.found)
        throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
    if (r.skippedClassRows > 0)
        printError(QString("Vynecháno %1 řádků tloušťkových stupňů mimo rozsah stupňů dřeviny.")
                       .arg(r.skippedClassRows));
    printJson(StandJson::ToJson(session, key));
    return 0;
}

YesNoQuestion answerOf(const CliArgs& args, const char* option) {
    const QString answer = args.value(option, "no");
    if (answer != "yes" && answer != "no")
        throw CliUsageError{QString("--%1 musí být yes nebo no: %2").arg(option, answer)};
    return [yes = answer == "yes"](const UserMessage&) { return yes; };
}

// A stand without --key is stored under a new key, allocated with its rows. With --key the stand
// replaces the stored one; when its JSON carries the "change" it was loaded with and the stand
// was changed or deleted since, --conflict yes overwrites it or stores it as a new stand.
int save(StandStore& store, const CliArgs& args) {
    const YesNoQuestion askDuplicate = answerOf(args, "duplicate");
    const YesNoQuestion askConflict = answerOf(args, "conflict");

    StandSession session;
    StandJson::FromJsonBytes(readInput(args.positional(1)), session);
    const int key = args.has("key") ? parseIntArg(args.value("key"), "--key") : 0;
    if (key < 0)
        throw CliUsageError{QString("--key musí být kladné číslo: %1").arg(key)};
    session.stand.code = session.KodPorostu();
    // The question that refused the save is the message.
    UserMessage refused;
    const auto answered = [&refused](const YesNoQuestion& answer) {
        return [&refused, answer](const UserMessage& q) { return refused = q, answer(q); };
    };
    const SaveResult r = key == 0
                             ? store.SaveNewStand(session, answered(askDuplicate))
                             : store.SaveStand(session, key, answered(askConflict), answered(askDuplicate));
    if (!r.stored())
        throw RivwoodError(refused.text);
    printJson(QJsonObject{{"key", r.key}});
    return 0;
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"db", "key", "duplicate", "conflict"}, {});
    const QString action = args.positional(0);
    const int expected = action == "list" ? 1 : 2;
    if (action != "list" && action != "load" && action != "save" && action != "delete")
        throw CliUsageError{QString("neznámá akce db: %1").arg(action)};
    args.requirePositional(expected);

    StandDatabase db(settingsFile(globals));
    // A save makes the directory it is to store in.
    openCliDatabase(db, args, action == "save" ? MissingDirectory::Create : MissingDirectory::Refuse);
    StandStore store(db);
    if (action == "list")
        return list(store);
    if (action == "save")
        return save(store, args);
    const int key = keyArg(args);
    if (action == "load")
        return load(store, key);
    requireStand(db, key);
    store.DeleteStandRows(key);
    printJson(QJsonObject{{"key", key}});
    return 0;
}

const CliCommand reg("db",
                     "db list --db DIR | db load KLÍČ --db DIR | db save POROST.json --db DIR [--key K] "
                     "[--duplicate yes|no] [--conflict yes|no] | db delete KLÍČ --db DIR",
                     run);

} // namespace
