#pragma once

#include "StandStore.h"

#include <QString>
#include <vector>

// Stands and their species rows as a CSV table for analysts: UTF-8, a header row, one row per
// species (a stand without species gets one row of its own), ending with the species' count of sample
// heights and the model of its best height curve. Czech spreadsheets expect ";"
// between fields and "," in numbers, and a byte order mark to read UTF-8; the C format uses ","
// and "." and no mark. Texts are always quoted; numbers carry the digits they have (stocks and
// areas to 0.001, shares to 0.0001).
namespace StandCsvExport {

enum class Format { Czech, C };

// One field: a number already written in the format, or a text.
struct Field {
    QString value;
    bool text = false;
    friend bool operator==(const Field&, const Field&) = default;
};
using Row = std::vector<Field>;

// The header row's captions, in column order.
QStringList Header();
// The rows of one stand, fields not yet quoted.
std::vector<Row> StandRows(int key, const TManualy225& stand, Format format);
// One line. Texts are quoted (quotes doubled), stripped of control characters, and a text that a
// spreadsheet would take for a formula (beginning with "=", "+", "-" or "@") gets a leading "'".
QString Line(const Row& fields, Format format);

// Writes the stored stands of `keys` (in that order) to `fileName`, replacing it only when the
// whole table was written. A key without a stand is a RivwoodError naming it; nothing is written.
void Export(StandStore& store, const std::vector<int>& keys, const QString& fileName, Format format);

} // namespace StandCsvExport
