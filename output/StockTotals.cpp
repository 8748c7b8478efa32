#include "StockTotals.h"

#include "StandQueries.h"
#include "TextUtils.h"

namespace StockTotals {

double Shown(double stock) {
    return RoundHalfEven(stock);
}

Totals Of(const std::vector<QueryRow>& rows) {
    Totals t;
    for (const QueryRow& row : rows) {
        t.conifer += Shown(StandQueries::number(row, "DR_ZAS_J"));
        t.broadleaf += Shown(StandQueries::number(row, "DR_ZAS_L"));
        t.total += Shown(StandQueries::number(row, "DR_ZAS_CEL"));
    }
    return t;
}

} // namespace StockTotals
