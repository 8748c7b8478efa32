#pragma once

#include "CaliperLines.h"
#include "ClassLayout.h"
#include "SpeciesAssignment.h"
#include "TManualy225.h"

#include <QString>
#include <QStringList>

// The Vaduz caliper report: a column-based text with header keyword lines, a table of single
// trees and a table of sample heights, labelled in German, Czech or Slovak.
namespace VaduzReader {

// Diameters above this are tallied at 90 cm.
inline constexpr double MaxDiameter = 90.0;
// Only species with a tree of at least this diameter are listed.
inline constexpr double ListedDiameter = 8.0;

// Columns from..to (1-based, inclusive) of a line, trimmed of blanks.
QString Columns(const QString& line, int from, int to);

enum class Keyword { None, Unit, Stand, Date };
// The header keyword in columns 1-15: "Abteilung:", "Oddeleni:", "Oddelenie:" (forest unit),
// "Bestand:", "Porast:", "Skupina:" (stand), "Datum:".
Keyword KeywordOf(const QString& line);
bool IsTreeHeader(const QString& line);
bool IsHeightHeader(const QString& line);

// Distinct species codes (cut to 10 characters) of the trees of 8 cm or more in the tree table;
// more than SpeciesCodes::MaxCodes is a RivwoodError.
QStringList ScanCodes(const CaliperLines& lines);

// Reads the report into `stand` (which the caller has cleared): one species per assignment row, in
// row order, even without trees; trees of assigned codes tallied into the classes of `layout`;
// mean heights in metres; designation, name and date from the keyword lines.
void ReadReport(const CaliperLines& lines, const SpeciesAssignment& assignment, const ClassLayout& layout,
                TManualy225& stand);

} // namespace VaduzReader
