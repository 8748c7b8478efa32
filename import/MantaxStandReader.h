#pragma once

#include "CaliperTally.h"
#include "ClassLayout.h"
#include "SpeciesAssignment.h"
#include "TManualy225.h"

#include <QStringList>
#include <QStringView>
#include <utility>
#include <vector>

class SpeciesCodes;

namespace MantaxStandReader {

// Diameters above this are tallied in the class of 200 cm.
inline constexpr double MaxDiameter = 200.0;

// Reads records one at a time into `stand` (which the caller has cleared), up to the first "$9":
// "$A", "$B", "$D" give the name, designation and date; "$1" trees of assigned codes are tallied
// into the classes of `layout`, creating their species on first use; "$2" sample heights (dm) of
// species with trees give the mean heights in metres.
class Reader {
  public:
    Reader(const SpeciesAssignment& assignment, const ClassLayout& layout, TManualy225& stand);
    // False once "$9" has ended the stand; later records are not read.
    bool Read(const QString& record);
    // After the last record: the mean heights.
    void Finish();

  private:
    int speciesOfTree(QStringView code);

    const SpeciesAssignment& m_assignment;
    TManualy225& m_stand;
    CaliperTally m_tally;
    // Species index of every code met so far, -1 unassigned: a stand has few codes, so a short list
    // compared without copying the record's field.
    std::vector<std::pair<QString, int>> m_treeSpecies;
    QString m_lastTree;
    int m_lastTreeSpecies = -1;
    double m_lastDiameter = 0;
    bool m_ended = false;
};

// Adds the code of a "$1" record to the distinct codes in order of first occurrence; false for a
// "$9" record, which ends a stand.
bool CollectCode(const QString& record, SpeciesCodes& codes);

} // namespace MantaxStandReader
