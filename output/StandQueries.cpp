#include "StandQueries.h"

#include "StandReportQueries.h"
#include "StandStore.h"

namespace StandQueries {

std::vector<QueryRow> QSestava(StandDatabase& db, int key) {
    return StandReportQueries::QSestava(db, StandReportQueries::Scope::OneStand(key)).rows;
}

std::vector<QueryRow> QPor(StandDatabase& db) {
    return StandReportQueries::QPor(db).rows;
}

bool HasSummary(StandDatabase& db, int key) {
    return StandStore(db).PrintableState(key) == StandStore::Printable::Ready;
}

QString text(const QueryRow& row, const char* field) {
    return row.value(QString::fromLatin1(field)).toString().trimmed();
}

double number(const QueryRow& row, const char* field) {
    return row.value(QString::fromLatin1(field)).toDouble();
}

} // namespace StandQueries
