#pragma once

#include "StandStore.h"

#include <QString>
#include <vector>

// Stands and their species rows as a CSV table for analysts: UTF-8, a header row, one row per
// species (a stand without species gets one row of its own), ending with the species' count of
// sample heights and the model of its best height curve. Czech spreadsheets expect ";" between
// fields and "," in numbers; the C format uses "," and ".".
namespace StandCsvExport {

enum class Format { Czech, C };

// The header row's captions, in column order.
QStringList Header();
// The rows of one stand, fields not yet quoted.
std::vector<QStringList> StandRows(int key, const TManualy225& stand, Format format);
// One line: fields quoted where they hold the separator, a quote or a line break.
QString Line(const QStringList& fields, Format format);

// Writes the stored stands of `keys` (in that order) to `fileName`, replacing it only when the
// whole table was written. A key without a stand is a RivwoodError naming it; nothing is written.
void Export(StandStore& store, const std::vector<int>& keys, const QString& fileName, Format format);

} // namespace StandCsvExport
