#pragma once

#include "QueryRows.h"

#include <QString>
#include <vector>

class StandDatabase;

// The report queries of the workbook exports, run to their end: QSestava for one stand (its
// summary rows, one per species) and QPor (every computed stand, by survey and key).
namespace StandQueries {

std::vector<QueryRow> QSestava(StandDatabase& db, int key);
std::vector<QueryRow> QPor(StandDatabase& db);
// Whether the stand is stored, computed and has its summary (the rows QSestava selects).
bool HasSummary(StandDatabase& db, int key);

// A NULL-tolerant field of a row.
QString text(const QueryRow& row, const char* field);
double number(const QueryRow& row, const char* field);

} // namespace StandQueries
