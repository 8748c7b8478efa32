#pragma once

#include <QSqlRecord>
#include <QString>
#include <vector>

class StandDatabase;

// The report queries of the workbook exports, run to their end: QSestava for one stand (its
// summary rows, one per species) and QPor (every computed stand, by survey and key).
namespace StandQueries {

// Line 10 of QSestava for one stand: "and  RivwoodSes.KLIC  = <key>".
QString QSestavaStandCondition(int key);
std::vector<QSqlRecord> QSestava(StandDatabase& db, int key);
std::vector<QSqlRecord> QPor(StandDatabase& db);
// Whether the stand is stored, computed and has its summary (the rows QSestava selects).
bool HasSummary(StandDatabase& db, int key);

// A NULL-tolerant field of a row.
QString text(const QSqlRecord& row, const char* field);
double number(const QSqlRecord& row, const char* field);

} // namespace StandQueries
