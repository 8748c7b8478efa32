// export-csv --db DIR (--key K … | --all) --out FILE [--csv-format=c]: stands and their species rows
// as CSV (UTF-8; ";" and "," by default, "," and "." with --csv-format=c).
#include "CliCommand.h"
#include "CliDatabase.h"
#include "StandCsvExport.h"
#include "StandListModel.h"

#include <QFileInfo>
#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"db", "key", "out", "csv-format"}, {"all"});
    args.requirePositional(0);
    if (!args.has("out"))
        throw CliUsageError{"chybí --out SOUBOR"};
    const QString format = args.value("csv-format", "cz");
    if (format != "cz" && format != "c")
        throw CliUsageError{QString("--csv-format musí být cz nebo c: %1").arg(format)};
    StandDatabase db(settingsFile(globals));
    openCliDatabase(db, args);
    StandStore store(db);
    const std::vector<int> keys = keysOrAll(args, [&db] {
        StandListModel list(db);
        list.refresh();
        std::vector<int> all;
        for (const StandListModel::Row& r : list.rows())
            all.push_back(r.key);
        return all;
    });
    const QString out = args.value("out");
    StandCsvExport::Export(store, keys, out,
                           format == "c" ? StandCsvExport::Format::C : StandCsvExport::Format::Czech);
    printJson(QJsonObject{{"file", QFileInfo(out).absoluteFilePath()}});
    return 0;
}

const CliCommand reg("export-csv", "export-csv --db DIR (--key KLÍČ … | --all) --out SOUBOR [--csv-format=c]",
                     run);

} // namespace
