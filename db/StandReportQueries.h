#pragma once

#include "QueryRows.h"

#include <QStringList>
#include <map>
#include <vector>

class StandDatabase;

// The queries of the stand report and the workbook exports over the stand tables (the page
// numbers the report stores with the summary rows are in StandPages). The report's own queries keep their
// written form: QSestava (the summary rows of the computed stands with their stand columns, in
// report order: river, bank, river kilometre, action, key, species code) and QPor (every computed
// stand, by action and key).
namespace StandReportQueries {

// Which stands QSestava covers.
struct Scope {
    enum Kind { Stand, Range, None } kind = None;
    int first = 0, last = 0; // the stand, or the key range
    static Scope OneStand(int key) { return {Stand, key, key}; }
    static Scope KeyRange(int first, int last) { return {Range, first, last}; }
    // No stand: the columns alone.
    static Scope NoStand() { return {}; }
};
QueryRows QSestava(StandDatabase& db, const Scope& scope);
// QSestava of every stand, by key.
std::map<int, std::vector<QueryRow>> QSestavaByStand(StandDatabase& db);
QueryRows QPor(StandDatabase& db);

// Fields of QSestava that hold one value per stand: columns of the stand table and the key.
QStringList StandFields();

} // namespace StandReportQueries
