// curve SPECIES D H [--at X,…]: the curve search and the volume table at chosen diameters.
#include "CliCommand.h"
#include "JhkReference.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"at"}, {});
    args.requirePositional(3);
    const Kod3 species = StringToChars(args.positional(0).trimmed().toLower());
    const double d = parseDoubleArg(args.positional(1), "D");
    const double h = parseDoubleArg(args.positional(2), "H");
    const CurveSearch s = FindCurve(referenceDirectory(globals), species, d, h);
    QJsonArray volumes;
    if (args.has("at")) {
        for (const QString& x : args.value("at").split(',', Qt::SkipEmptyParts)) {
            const double at = parseDoubleArg(x, "--at");
            const TableVolume v = VolumeFromTable(s.diameterRow, s.volumeRow, at);
            volumes.append(QJsonObject{{"d", at}, {"volume", v.volume}, {"flag", v.flag}});
        }
    }
    printJson(QJsonObject{{"curve", s.curve},
                          {"rows", s.rows},
                          {"diameterFlag", s.diameterFlag},
                          {"heightFlag", s.heightFlag},
                          {"volumes", volumes}});
    return 0;
}

const CliCommand reg("curve", "curve DRUH D H [--at X,…]", run);

} // namespace
