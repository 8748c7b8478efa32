#pragma once

#include "ClassLayout.h"
#include "SpeciesAssignment.h"
#include "TManualy225.h"

#include <QStringList>

namespace MantaxStandReader {

// Diameters above this are tallied in the class of 200 cm.
inline constexpr double MaxDiameter = 200.0;

// Reads records [first, last] up to the first "$9" into `stand` (which the caller has cleared):
// "$A", "$B", "$D" give the name, designation and date; "$1" trees of assigned codes are tallied
// into the classes of `layout`, creating their species on first use; "$2" sample heights (dm) of
// species with trees give the mean heights in metres.
void ReadRecordsIntoStand(const QStringList& records, qsizetype first, qsizetype last,
                          const SpeciesAssignment& assignment, const ClassLayout& layout, TManualy225& stand);

// Distinct codes of the "$1" records, in order of first occurrence; with stopAtEnd only those of
// the first stand (up to its "$9").
QStringList CollectCodes(const QStringList& records, bool stopAtEnd);

} // namespace MantaxStandReader
