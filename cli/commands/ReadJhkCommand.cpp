// read-jhk FILE: a *.JHK stand file as stand JSON.
#include "CliCommand.h"
#include "JhkFileReader.h"
#include "RivwoodError.h"
#include "StandJson.h"

#include <QFileInfo>

namespace {

int run(const QStringList& argv, const CliGlobals&) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(1);
    const QString path = args.positional(0);
    StandSession session;
    const QString name = path == "-" ? QString("-") : QFileInfo(path).fileName();
    const JhkFileReader::Result r = JhkFileReader::ReadJhkData(readInput(path), name, session);
    printMessages(r.messages);
    if (!r.loaded)
        return 1;
    printJson(StandJson::ToJson(session, 0));
    return 0;
}

const CliCommand reg("read-jhk", "read-jhk SOUBOR", run);

} // namespace
