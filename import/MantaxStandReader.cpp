#include "MantaxStandReader.h"

#include "CaliperTally.h"
#include "MantaxReader.h"
#include "TextUtils.h"

#include <QHash>
#include <algorithm>

namespace MantaxStandReader {

namespace {

// Species index of every assigned code met so far, so a long file looks each code up once.
class SpeciesOfCode {
  public:
    SpeciesOfCode(const SpeciesAssignment& assignment, CaliperTally& tally, const TManualy225& stand)
        : m_assignment(assignment), m_tally(tally), m_stand(stand) {}

    // For a tree: the species, created on first use; -1 for a code without an assignment.
    int forTree(const QString& code) {
        const QString abbreviation = m_assignment.AbbreviationOf(code);
        if (abbreviation.isEmpty())
            return -1;
        return m_tally.EnsureSpecies(abbreviation);
    }
    // For a height: the species only when it already has a place in the stand.
    int forHeight(const QString& code) const {
        const QString abbreviation = m_assignment.AbbreviationOf(code);
        return abbreviation.isEmpty() ? -1 : m_stand.indexOf(abbreviation);
    }

  private:
    const SpeciesAssignment& m_assignment;
    CaliperTally& m_tally;
    const TManualy225& m_stand;
};

} // namespace

void ReadRecordsIntoStand(const QStringList& records, qsizetype first, qsizetype last,
                          const SpeciesAssignment& assignment, const ClassLayout& layout,
                          TManualy225& stand) {
    CaliperTally tally(stand, layout);
    SpeciesOfCode species(assignment, tally, stand);
    QHash<QString, int> treeCache;
    QString lastTree;
    int lastTreeSpecies = -1;
    double lastDiameter = 0;
    first = std::max<qsizetype>(first, 0);
    last = std::min<qsizetype>(last, records.size() - 1);
    for (qsizetype i = first; i <= last; ++i) {
        const QString& r = records[i];
        const QChar type = MantaxReader::RecordType(r);
        if (type == '9')
            break;
        if (type == 'A') {
            stand.name = MantaxReader::RecordText(r);
        } else if (type == 'B') {
            stand.designation = MantaxReader::RecordText(r);
        } else if (type == 'D') {
            stand.date = MantaxReader::RecordText(r);
        } else if (type == '1') {
            // Class totals repeat one record per tree; its reading is the same each time.
            if (lastTreeSpecies >= 0 && r == lastTree) {
                tally.AddTree(lastTreeSpecies, lastDiameter);
                continue;
            }
            const QStringList f = MantaxReader::RecordFields(r);
            if (f.isEmpty())
                continue;
            auto it = treeCache.constFind(f[0]);
            if (it == treeCache.constEnd())
                it = treeCache.insert(f[0], species.forTree(f[0]));
            if (it.value() < 0)
                continue;
            double d = f.size() > 1 ? ToNumber(f[1], 0) : 0;
            if (d > MaxDiameter)
                d = MaxDiameter;
            tally.AddTree(it.value(), d);
            lastTree = r;
            lastTreeSpecies = it.value();
            lastDiameter = d;
        } else if (type == '2') {
            const QStringList f = MantaxReader::RecordFields(r);
            if (f.isEmpty())
                continue;
            const int s = species.forHeight(f[0]);
            const int h = f.size() > 2 ? ToInteger(f[2], 0) : 0;
            if (s >= 0 && h >= 1)
                tally.AddHeight(s, h);
        }
    }
    tally.FinishHeights(10); // decimetres to metres
}

QStringList CollectCodes(const QStringList& records, bool stopAtEnd) {
    QStringList codes;
    for (const QString& r : records) {
        const QChar type = MantaxReader::RecordType(r);
        if (type == '9' && stopAtEnd)
            break;
        if (type != '1')
            continue;
        const QStringList f = MantaxReader::RecordFields(r);
        if (!f.isEmpty())
            SpeciesAssignment::AddCode(codes, f[0]);
    }
    return codes;
}

} // namespace MantaxStandReader
