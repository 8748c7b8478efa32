// table-stock TABLESPECIES D H: the table-stock equations for integer D and H.
#include "CliCommand.h"
#include "TableStock.h"

#include <QJsonObject>

namespace {

int run(const QStringList& argv, const CliGlobals&) {
    const CliArgs args(argv, {}, {});
    args.requirePositional(3);
    const int d = parseIntArg(args.positional(1), "D");
    const int h = parseIntArg(args.positional(2), "H");
    const TableStockResult r = TableStock(args.positional(0), d, h);
    printJson(QJsonObject{{"v1", r.v1}, {"v2", r.v2}, {"T", r.T}, {"S", r.S}});
    return 0;
}

const CliCommand reg("table-stock", "table-stock DRUH D H", run);

} // namespace
