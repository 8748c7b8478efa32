#include "MantaxStandReader.h"

#include "CaliperTally.h"
#include "MantaxReader.h"
#include "TextUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// The first `count` fields of a record (after its "$x"), as views into it; the number found.
int leadingFields(const QString& record, QStringView* fields, int count) {
    const qsizetype n = record.size();
    qsizetype i = 2;
    int found = 0;
    while (found < count && i < n) {
        while (i < n && (record[i] == u' ' || record[i] == u'\t'))
            ++i;
        const qsizetype start = i;
        while (i < n && record[i] != u' ' && record[i] != u'\t')
            ++i;
        if (i > start)
            fields[found++] = QStringView(record).mid(start, i - start);
    }
    return found;
}

// A diameter as ToNumber reads it. A plain decimal ("23.4", "7") of at most 15 digits is a whole
// number below 2^53 divided by a power of ten below 10^23, both exact, so one division rounds it
// exactly as strtod would; anything else is left to ToNumber.
double diameterOf(QStringView field) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = -1;
    bool plain = true;
    for (const QChar c : field) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            mantissa = mantissa * 10 + (u - u'0');
            ++digits;
            if (decimals >= 0)
                ++decimals;
        } else if ((u == u'.' || u == u',') && decimals < 0) {
            decimals = 0;
        } else {
            plain = false;
            break;
        }
    }
    if (plain && digits > 0 && digits <= 15)
        return double(mantissa) / kPowers[std::max(decimals, 0)];
    return ToNumber(field.toString(), 0);
}

} // namespace

void ReadRecordsIntoStand(const QStringList& records, qsizetype first, qsizetype last,
                          const SpeciesAssignment& assignment, const ClassLayout& layout,
                          TManualy225& stand) {
    CaliperTally tally(stand, layout);
    SpeciesOfCode species(assignment, tally, stand);
    // The species of each code met, looked up once: a stand has few codes.
    std::vector<std::pair<QString, int>> treeCache;
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
            QStringView f[2];
            const int fields = leadingFields(r, f, 2);
            if (fields == 0)
                continue;
            auto it = std::find_if(treeCache.begin(), treeCache.end(), [&](const std::pair<QString, int>& c) {
                return c.first.size() == f[0].size() &&
                       std::equal(c.first.begin(), c.first.end(), f[0].begin());
            });
            if (it == treeCache.end()) {
                const QString code = f[0].toString();
                it = treeCache.insert(treeCache.end(), {code, species.forTree(code)});
            }
            if (it->second < 0)
                continue;
            double d = fields > 1 ? diameterOf(f[1]) : 0;
            if (d > MaxDiameter)
                d = MaxDiameter;
            tally.AddTree(it->second, d);
            lastTree = r;
            lastTreeSpecies = it->second;
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
