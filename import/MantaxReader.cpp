#include "MantaxReader.h"

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
bool headerRecord(const QString& t, QStringList& out) {
    if (startsWithCi(t, "DATUM")) {
        out.append("$d" + t.mid(5).trimmed());
        return true;
    }
    if (startsWithCi(t, "LIST")) {
        out.append("$A" + t);
        return true;
    }
    if (startsWithCi(t, "ID")) {
        out.append("$B" + t.mid(2).trimmed());
        return true;
    }
    return false;
}

// Class totals: species sections opened by "<species> -ABCD", class lines "a-b count" inside,
// height lines "V height" outside.
class ClassTotalsConverter {
  public:
    explicit ClassTotalsConverter(MantaxConversion& out) : m_out(out) {}

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
                m_out.records.append("$2 " + m_species + " 0 " + FormatNumber("%.0f", RoundHalfEven(h * 10)));
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
        if (count > double(MaxClassCount))
            throw RivwoodError(QString("Řádek „%1“ udává v jednom tloušťkovém stupni %2 stromů, nejvýše je "
                                       "možné %3. Soubor průměrky je poškozený.")
                                   .arg(t.left(60), f[1].left(20))
                                   .arg(MaxClassCount));
        const long long n = count > 0 ? (long long)count : 0;
        if (m_out.generatedTrees + n > MaxGeneratedTrees)
            throw RivwoodError(
                QString("Tloušťkové stupně souboru průměrky udávají více než %1 stromů. Soubor "
                        "průměrky je poškozený.")
                    .arg(MaxGeneratedTrees));
        const double centre = (double(a) + double(b)) / 2;
        const QString record = "$1 " + m_species + " " + FormatNumber("%5.0f", centre);
        for (long long i = 0; i < n; ++i)
            m_out.records.append(record); // shared text, one copy in memory
        m_out.generatedTrees += n;
        m_out.classWidth = b - a;
        m_out.smallestCentre = std::min(m_out.smallestCentre, centre);
    }

    MantaxConversion& m_out;
    QString m_species;
    bool m_inSection = false;
};

} // namespace

MantaxKind DetectKind(const QStringList& lines) {
    bool any = false;
    bool allRecords = true;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.size() <= 1)
            continue;
        any = true;
        if (!isRecordLine(t)) {
            allRecords = false;
            break;
        }
    }
    if (!any)
        return MantaxKind::Empty;
    if (allRecords)
        return MantaxKind::Records;

    static const char* const heads[5] = {"LIST", "MANTAX", "ID", "DATUM", "METODA"};
    int n = 0;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.isEmpty())
            continue;
        ++n;
        if (n <= 5) {
            if (!startsWithCi(t, heads[n - 1]))
                return MantaxKind::Other;
        } else if (startsWithCi(t, "KRUH")) {
            return MantaxKind::SingleTrees;
        }
    }
    // A report needs its whole five-line header.
    return n >= 5 ? MantaxKind::ClassTotals : MantaxKind::Other;
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
    if (kind == MantaxKind::Records) {
        for (qsizetype i = first; i <= last; ++i)
            out.records.append(lines[i].trimmed());
        return;
    }
    if (kind != MantaxKind::SingleTrees && kind != MantaxKind::ClassTotals)
        return;

    ClassTotalsConverter totals(out);
    bool afterKruh = false;
    for (qsizetype i = first; i <= last; ++i) {
        const QString t = lines[i].trimmed();
        if (t.isEmpty() || headerRecord(t, out.records))
            continue;
        if (kind == MantaxKind::ClassTotals) {
            totals.line(t);
        } else if (afterKruh) {
            // A tree line: field 3 the species code, field 4 the diameter in millimetres.
            const QStringList f = CommaFields(t);
            if (f.size() < 5)
                continue;
            const int mm = ToInteger(f[4], 0);
            out.records.append("$1 " + f[3] + " " + FormatNumber("%5.1f", mm / 10.0));
        } else if (startsWithCi(t, "KRUH")) {
            afterKruh = true;
        }
    }
    out.records.append("$9");
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
