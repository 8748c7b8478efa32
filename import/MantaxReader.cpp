#include "MantaxReader.h"

#include "CaliperLines.h"
#include "RivwoodError.h"
#include "TextUtils.h"

#include <algorithm>

namespace MantaxReader {

namespace {

bool startsWithCi(const QString& text, const char* head) {
    return text.startsWith(QLatin1String(head), Qt::CaseInsensitive);
}

bool isRecordLine(const QString& t) {
    return t.size() > 1 && t[0] == '$' && QStringLiteral("129ABDabd").contains(t[1]);
}

// Adds the header record of a report header line; false for other lines.
bool headerRecord(const QString& t, MantaxConversion& out) {
    if (startsWithCi(t, "DATUM")) {
        out.add("$d" + t.mid(5).trimmed());
        return true;
    }
    if (startsWithCi(t, "LIST")) {
        out.add("$A" + t);
        return true;
    }
    if (startsWithCi(t, "ID")) {
        out.add("$B" + t.mid(2).trimmed());
        return true;
    }
    return false;
}

} // namespace

} // namespace MantaxReader

using MantaxReader::CommaFields;

// Class totals: species sections opened by "<species> -ABCD", class lines "a-b count" inside,
// height lines "V height" outside.
class MantaxConverter::ClassTotals {
  public:
    explicit ClassTotals(MantaxConversion& out) : m_out(out) {}

    void line(const QString& t) {
        const QStringList f = CommaFields(t);
        if (f.isEmpty())
            return;
        if (m_inSection) {
            if (f[0].contains('-')) {
                classLine(t, f);
                return;
            }
            m_inSection = false;
        }
        if (f[0].compare(QLatin1String("V"), Qt::CaseInsensitive) == 0) {
            const double h = f.size() > 1 ? ToNumber(f[1], 0) : 0;
            if (h > 1)
                m_out.add("$2 " + m_species + " 0 " + FormatNumber("%.0f", RoundHalfEven(h * 10)));
        } else if (f.size() > 1 && f[1].toUpper() == QLatin1String("-ABCD") && f[0] != QLatin1String("VSE")) {
            m_species = f[0];
            m_inSection = true;
        }
    }

  private:
    void classLine(const QString& t, const QStringList& f) {
        // A class line without a count field says nothing about trees.
        if (f.size() < 2)
            return;
        const qsizetype dash = f[0].indexOf('-');
        const int a = ToInteger(f[0].left(dash), 0);
        const int b = ToInteger(f[0].mid(dash + 1), 0);
        if (a >= b)
            return;
        const double count = RoundHalfEven(ToNumber(f[1], 0));
        if (count > double(MantaxReader::MaxClassCount))
            throw RivwoodError(QString("Řádek „%1“ udává v jednom tloušťkovém stupni %2 stromů, nejvýše je "
                                       "možné %3. Soubor průměrky je poškozený.")
                                   .arg(t.left(60), f[1].left(20))
                                   .arg(MantaxReader::MaxClassCount));
        const long long n = count > 0 ? (long long)count : 0;
        if (m_out.generatedTrees + n > MantaxReader::MaxGeneratedTrees)
            throw RivwoodError(
                QString("Tloušťkové stupně souboru průměrky udávají více než %1 stromů. Soubor "
                        "průměrky je poškozený.")
                    .arg(MantaxReader::MaxGeneratedTrees));
        const double centre = (double(a) + double(b)) / 2;
        const QString record = "$1 " + m_species + " " + FormatNumber("%5.0f", centre);
        for (long long i = 0; i < n; ++i)
            m_out.add(record); // shared text, one copy in memory
        m_out.generatedTrees += n;
        m_out.classWidth = b - a;
        m_out.smallestCentre = std::min(m_out.smallestCentre, centre);
    }

    MantaxConversion& m_out;
    QString m_species;
    bool m_inSection = false;
};

MantaxConverter::MantaxConverter(MantaxKind kind, MantaxConversion& out)
    : m_kind(kind), m_out(out), m_totals(std::make_unique<ClassTotals>(out)) {}

MantaxConverter::~MantaxConverter() = default;

void MantaxConverter::line(const QString& line) {
    if (m_kind == MantaxKind::Records) {
        m_out.add(line.trimmed());
        return;
    }
    if (m_kind != MantaxKind::SingleTrees && m_kind != MantaxKind::ClassTotals)
        return;
    const QString t = line.trimmed();
    if (t.isEmpty() || MantaxReader::headerRecord(t, m_out))
        return;
    if (m_kind == MantaxKind::ClassTotals) {
        m_totals->line(t);
    } else if (m_afterKruh) {
        // A tree line: field 3 the species code, field 4 the diameter in millimetres.
        const QStringList f = CommaFields(t);
        if (f.size() < 5)
            return;
        const int mm = ToInteger(f[4], 0);
        m_out.add("$1 " + f[3] + " " + FormatNumber("%5.1f", mm / 10.0));
    } else if (MantaxReader::startsWithCi(t, "KRUH")) {
        m_afterKruh = true;
    }
}

void MantaxConverter::finish() {
    if (m_kind == MantaxKind::SingleTrees || m_kind == MantaxKind::ClassTotals)
        m_out.add("$9");
}

namespace MantaxReader {

MantaxKind DetectKind(const CaliperLines& lines) {
    bool any = false;
    bool allRecords = true;
    lines.ForEach([&](qsizetype, const QString& line) {
        const QString t = line.trimmed();
        if (t.size() <= 1)
            return true;
        any = true;
        allRecords = isRecordLine(t);
        return allRecords;
    });
    if (!any)
        return MantaxKind::Empty;
    if (allRecords)
        return MantaxKind::Records;

    static const char* const heads[5] = {"LIST", "MANTAX", "ID", "DATUM", "METODA"};
    int n = 0;
    MantaxKind kind = MantaxKind::ClassTotals;
    lines.ForEach([&](qsizetype, const QString& line) {
        const QString t = line.trimmed();
        if (t.isEmpty())
            return true;
        ++n;
        if (n <= 5) {
            if (!startsWithCi(t, heads[n - 1])) {
                kind = MantaxKind::Other;
                return false;
            }
        } else if (startsWithCi(t, "KRUH")) {
            kind = MantaxKind::SingleTrees;
            return false;
        }
        return true;
    });
    // A report needs its whole five-line header.
    return n >= 5 ? kind : MantaxKind::Other;
}

MantaxKind DetectKind(const QStringList& lines) {
    return DetectKind(CaliperLines(lines));
}

QString KindName(MantaxKind kind) {
    switch (kind) {
    case MantaxKind::Records:
        return "zakl";
    case MantaxKind::SingleTrees:
        return "jedn";
    case MantaxKind::ClassTotals:
        return "souh";
    case MantaxKind::Empty:
        return "praz";
    case MantaxKind::Other:
        break;
    }
    return "jina";
}

QStringList CommaFields(const QString& line) {
    QStringList fields;
    const qsizetype n = line.size();
    auto blank = [&](qsizetype i) { return i < n && line[i].unicode() <= ' '; };
    qsizetype i = 0;
    while (blank(i))
        ++i;
    while (i < n) {
        QString field;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field.append('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.append(line[i++]);
            }
        } else {
            const qsizetype start = i;
            while (i < n && line[i].unicode() > ' ' && line[i] != ',')
                ++i;
            field = line.mid(start, i - start);
        }
        fields.append(field);
        while (blank(i))
            ++i;
        if (i < n && line[i] == ',') {
            ++i;
            while (blank(i))
                ++i;
        }
    }
    return fields;
}

void Convert(const QStringList& lines, qsizetype first, qsizetype last, MantaxKind kind,
             MantaxConversion& out) {
    first = std::max<qsizetype>(first, 0);
    last = std::min<qsizetype>(last, lines.size() - 1);
    MantaxConverter converter(kind, out);
    for (qsizetype i = first; i <= last; ++i)
        converter.line(lines[i]);
    converter.finish();
}

MantaxConversion Convert(const QStringList& lines, MantaxKind kind) {
    MantaxConversion out;
    Convert(lines, 0, lines.size() - 1, kind, out);
    return out;
}

QChar RecordType(const QString& record) {
    if (record.size() < 2 || record[0] != '$')
        return {};
    return record[1].toUpper();
}

QStringList RecordFields(const QString& record) {
    QStringList fields;
    const qsizetype n = record.size();
    qsizetype i = 2;
    while (i < n) {
        while (i < n && (record[i] == ' ' || record[i] == '\t'))
            ++i;
        const qsizetype start = i;
        while (i < n && record[i] != ' ' && record[i] != '\t')
            ++i;
        if (i > start)
            fields.append(record.mid(start, i - start));
    }
    return fields;
}

QString RecordText(const QString& record) {
    return record.mid(2).trimmed();
}

} // namespace MantaxReader
