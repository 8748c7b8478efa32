// export --db DIR --key K --out FILE.xlsx | export --db DIR --all [--out FILE.xlsx]: the template
// exports of "Sestavy - excel" — one stored stand with its tally sheets, or every computed stand
// (default DIR/Sestavy/Rivwood.xlsx).
#include "CliCommand.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "StandStore.h"
#include "TFDoExcelu.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

namespace {

int run(const QStringList& arguments, const CliGlobals& globals) {
    const CliArgs args(arguments, {"db", "key", "out"}, {"all"});
    args.requirePositional(0);
    if (!args.has("db"))
        throw CliUsageError{"chybí --db DIR"};
    if (args.has("key") == args.has("all"))
        throw CliUsageError{"zadejte právě jedno z --key K a --all"};
    if (args.has("key") && !args.has("out"))
        throw CliUsageError{"chybí --out SOUBOR.xlsx"};
    const int key = args.has("key") ? parseIntArg(args.value("key"), "--key") : 0;
    const QString out = args.has("out") ? QFileInfo(args.value("out")).absoluteFilePath() : QString();

    StandDatabase db(settingsFile(globals));
    openExistingDatabase(db, args.value("db"));
    TFDoExcelu exporter(db);
    QString file;
    if (args.has("key")) {
        StandStore store(db);
        StandSession session;
        if (!store.LoadStand(session, key).found)
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
        file = exporter.ExportOneStand(key, session.stand, session.layout, out);
    } else {
        file = exporter.ExportAllStands(out);
        if (file.isEmpty())
            throw RivwoodError("V databázi není žádný vypočtený porost.");
    }
    printJson(QJsonObject{{"file", QDir::toNativeSeparators(file)}});
    return 0;
}

const CliCommand command("export", "export --db DIR (--key K --out SOUBOR.xlsx | --all [--out SOUBOR.xlsx])",
                         run);

} // namespace
