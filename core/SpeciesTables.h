#pragma once

#include <QString>
#include <QStringList>

// Look-ups in the built-in species lists. Keys are compared case-insensitively and values are
// trimmed before use.
namespace SpeciesTables {

QString SpeciesName(const QString& abbreviation);    // DrevJmCs, empty when missing
QString CurveSpeciesOf(const QString& abbreviation); // DrevJHK
bool IsConifer(const QString& abbreviation);         // DrevJL value "j"
QString TableSpeciesOf(const QString& abbreviation); // DrevTab
int SpeciesCode(const QString& abbreviation);        // DrevKod, 0 when missing

// The raw key=value lines of a list, as the reference window shows them.
QStringList DrevJmCs();
QStringList DrevJHK();
QStringList DrevJL();
QStringList DrevTab();
QStringList DrevKod();

// The abbreviations alone, in the order of DrevJmCs.
const QStringList& DrevZkratky();
// The curve species of each abbreviation of DrevZkratky, same position (empty when missing).
QStringList DrevJako();
// Each curve species / table species of DrevZkratky once, in order of first use.
QStringList DistinctCurveSpecies();
QStringList DistinctTableSpecies();

} // namespace SpeciesTables
