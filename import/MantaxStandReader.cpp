#include "MantaxStandReader.h"

#include "MantaxReader.h"
#include "SpeciesCodes.h"
#include "TextUtils.h"

namespace MantaxStandReader {

Reader::Reader(const SpeciesAssignment& assignment, const ClassLayout& layout, TManualy225& stand)
    : m_assignment(assignment), m_stand(stand), m_tally(stand, layout) {}

// The species of a tree's code, created on first use; -1 for a code without an assignment. A long
// file looks each code up once.
int Reader::speciesOfTree(const QString& code) {
    auto it = m_treeSpecies.constFind(code);
    if (it == m_treeSpecies.constEnd()) {
        const QString abbreviation = m_assignment.AbbreviationOf(code);
        it = m_treeSpecies.insert(code, abbreviation.isEmpty() ? -1 : m_tally.EnsureSpecies(abbreviation));
    }
    return it.value();
}

bool Reader::Read(const QString& r) {
    if (m_ended)
        return false;
    const QChar type = MantaxReader::RecordType(r);
    if (type == '9') {
        m_ended = true;
        return false;
    }
    if (type == 'A') {
        m_stand.name = MantaxReader::RecordText(r);
    } else if (type == 'B') {
        m_stand.designation = MantaxReader::RecordText(r);
    } else if (type == 'D') {
        m_stand.date = MantaxReader::RecordText(r);
    } else if (type == '1') {
        // Class totals repeat one record per tree; its reading is the same each time.
        if (m_lastTreeSpecies >= 0 && r == m_lastTree) {
            m_tally.AddTree(m_lastTreeSpecies, m_lastDiameter);
            return true;
        }
        const QStringList f = MantaxReader::RecordFields(r);
        if (f.isEmpty())
            return true;
        const int species = speciesOfTree(f[0]);
        if (species < 0)
            return true;
        double d = f.size() > 1 ? ToNumber(f[1], 0) : 0;
        if (d > MaxDiameter)
            d = MaxDiameter;
        m_tally.AddTree(species, d);
        m_lastTree = r;
        m_lastTreeSpecies = species;
        m_lastDiameter = d;
    } else if (type == '2') {
        // A height counts only for a species that already has a place in the stand.
        const QStringList f = MantaxReader::RecordFields(r);
        if (f.isEmpty())
            return true;
        const QString abbreviation = m_assignment.AbbreviationOf(f[0]);
        const int s = abbreviation.isEmpty() ? -1 : m_stand.indexOf(abbreviation);
        const int h = f.size() > 2 ? ToInteger(f[2], 0) : 0;
        if (s >= 0 && h >= 1)
            m_tally.AddHeight(s, h);
    }
    return true;
}

void Reader::Finish() {
    m_tally.FinishHeights(10); // decimetres to metres
}

bool CollectCode(const QString& record, SpeciesCodes& codes) {
    const QChar type = MantaxReader::RecordType(record);
    if (type == '9')
        return false;
    if (type == '1')
        if (const QStringList f = MantaxReader::RecordFields(record); !f.isEmpty())
            codes.Add(f[0]);
    return true;
}

} // namespace MantaxStandReader
