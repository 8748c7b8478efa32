#pragma once

#include "QueryRows.h"
#include "RowCursor.h"

#include <QStringList>
#include <map>
#include <utility>
#include <vector>

class StandDatabase;

// The queries of the stand report and the workbook exports over the stand tables, and the page
// numbers the report stores with the summary rows (STRANKA). The report's own queries keep their
// written form: QSestava (the summary rows of the computed stands with their stand columns, in
// report order: river, bank, river kilometre, action, key, species code) and QPor (every computed
// stand, by action and key).
namespace StandReportQueries {

// Which stands QSestava covers.
struct Scope {
    enum Kind { Stand, Range, Keys, None } kind = None;
    int first = 0, last = 0; // the stand, or the key range
    std::vector<int> keys;
    static Scope OneStand(int key) { return {Stand, key, key, {}}; }
    static Scope KeyRange(int first, int last) { return {Range, first, last, {}}; }
    static Scope SomeStands(std::vector<int> keys) { return {Keys, 0, 0, std::move(keys)}; }
    // No stand: the columns alone.
    static Scope NoStand() { return {}; }
};
QueryRows QSestava(StandDatabase& db, const Scope& scope);
// QSestava of every stand, by key.
std::map<int, std::vector<QueryRow>> QSestavaByStand(StandDatabase& db);
QueryRows QPor(StandDatabase& db);

// Fields of QSestava that hold one value per stand: columns of the stand table and the key.
QStringList StandFields();

// The computed stands (used and computed, in table order): KLIC, whether the stand has its
// summary, NazevTok, NazevBreh, NazevRKm, NazevAkce, then the given columns of the stand table
// ("''" for an empty name) — only names out of StandFields().
RowCursor ComputedStands(StandDatabase& db, const QStringList& columns);
// The summary rows in table order, where a stand's rows lie together: KLIC, whether the row has
// a species, STRANKA.
RowCursor SummaryPageRows(StandDatabase& db);
// The computed and summarised stands in report order.
std::vector<int> ReportOrder(StandDatabase& db);
// Writes each stand's page into STRANKA of all its summary rows, in one write transaction.
void WritePages(StandDatabase& db, const std::vector<std::pair<int, int>>& pages);
// The pages of the report of all stands: every computed stand with species rows gets the page it
// starts on (0 when the report does not print it; at most 32767).
void WriteFirstPages(StandDatabase& db, const std::map<int, int>& firstPages);

} // namespace StandReportQueries
