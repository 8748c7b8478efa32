#include "MantaxStandReader.h"

#include "MantaxReader.h"
#include "SpeciesCodes.h"
#include "TextUtils.h"

#include <algorithm>
#include <cstdint>

namespace MantaxStandReader {

namespace {

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
// number below 2^53 divided by a power of ten below 10^16, both exact, so one division rounds it
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

Reader::Reader(const SpeciesAssignment& assignment, const ClassLayout& layout, TManualy225& stand)
    : m_assignment(assignment), m_stand(stand), m_tally(stand, layout) {}

// The species of a tree's code, created on first use; -1 for a code without an assignment. A long
// file looks each code up once.
int Reader::speciesOfTree(QStringView code) {
    for (const auto& [known, species] : m_treeSpecies)
        if (known.size() == code.size() && std::equal(known.begin(), known.end(), code.begin()))
            return species;
    const QString abbreviation = m_assignment.AbbreviationOf(code.toString());
    m_treeSpecies.emplace_back(code.toString(),
                               abbreviation.isEmpty() ? -1 : m_tally.EnsureSpecies(abbreviation));
    return m_treeSpecies.back().second;
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
        // The two fields looked at without copying them out of the record.
        QStringView f[2];
        const int fields = leadingFields(r, f, 2);
        if (fields == 0)
            return true;
        const int species = speciesOfTree(f[0]);
        if (species < 0)
            return true;
        double d = fields > 1 ? diameterOf(f[1]) : 0;
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
