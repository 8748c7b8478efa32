// import-mantax FILE: one stand of a Mantax caliper file as stand JSON; with --bulk every stand of
// the file into the database. Codes are assigned from --assign CODE=ABBR, the settings section
// "KodyDrevin" and codes that are abbreviations themselves.
#include "CliCommand.h"
#include "CliDatabase.h"
#include "DatabaseChooser.h"
#include "DatabaseStandSink.h"
#include "MantaxImport.h"
#include "RivwoodError.h"
#include "StandJson.h"

#include <QJsonArray>

namespace {

void applyAssignments(const QStringList& pairs, SpeciesAssignment& assignment) {
    for (const QString& pair : pairs) {
        const qsizetype eq = pair.indexOf('=');
        const QString code = pair.left(eq).trimmed();
        const QString abbreviation = assignment.OfferedAbbreviation(pair.mid(eq + 1));
        if (eq <= 0 || code.isEmpty())
            throw CliUsageError{QString("--assign očekává KÓD=ZKRATKA: %1").arg(pair)};
        if (abbreviation.isEmpty())
            throw CliUsageError{QString("neznámá zkratka dřeviny v --assign %1").arg(pair)};
        assignment.Assign(code, abbreviation); // a code the file does not hold is no error
    }
}

void applyLayout(const CliArgs& args, StandSession& session) {
    if (!args.has("width") && !args.has("first"))
        return;
    const int width =
        args.has("width") ? parseIntArg(args.value("width"), "--width") : session.layout.SirkaStupne;
    const double first = args.has("first") ? parseDoubleArg(args.value("first"), "--first")
                                           : ClassLayout::DefaultFirstCentre(width);
    session.SetClassLayout(width, first);
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"assign", "width", "first", "db"}, {"bulk"});
    args.requirePositional(1);
    const bool bulk = args.has("bulk");
    if (bulk != args.has("db"))
        throw CliUsageError{"--bulk a --db se zadávají spolu"};

    StandSession session;
    applyLayout(args, session);
    MantaxImport import(settingsFile(globals));
    // The file is read line by line in each pass, so standard input is first kept in a file.
    QTemporaryFile copy;
    const QString file = inputFile(args.positional(0), copy);
    if (bulk)
        import.PrepareBulkImport(file);
    else
        import.PrepareSingleImport(file);
    applyAssignments(args.values("assign"), import.assignment());

    const SpeciesAssignment::Check check = import.CheckOk();
    if (check != SpeciesAssignment::Check::Ok) {
        printMessages({SpeciesAssignment::MessageFor(check)});
        return 1;
    }

    if (!bulk) {
        printJson(StandJson::ToJson(import.ImportSingle(session), 0));
        return 0;
    }

    StandDatabase db(settingsFile(globals));
    // The bulk import stores stands: a directory that does not exist yet is made.
    createMissingDirectory(args.value("db"));
    if (!DatabaseChooser::UseDirectory(db, args.value("db"), [](const UserMessage&) { return false; }))
        throw RivwoodError(DatabaseChooser::IncompleteQuestion().text);
    StandStore store(db);
    const BulkImportResult result = MantaxBulkImport::ImportIntoDatabase(
        import.lines(), import.blocks(), import.assignment(), session.layout, store);
    QJsonArray keys;
    for (int key : result.keys)
        keys.append(key);
    printJson(QJsonObject{{"keys", keys}});
    return 0;
}

const CliCommand reg("import-mantax",
                     "import-mantax SOUBOR [--assign KÓD=ZKRATKA]… [--width W --first C] | "
                     "import-mantax --bulk SOUBOR --db ADRESÁŘ [--assign KÓD=ZKRATKA]…",
                     run);

} // namespace
