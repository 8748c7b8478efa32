#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CaliperLines;

// The three text layouts of the Mantax caliper and their conversion into the record layout:
// "$1 code diameter" trees, "$2 code x height" sample heights (dm), "$A" name, "$B" designation,
// "$D" date and "$9" at the end of a stand.
enum class MantaxKind : unsigned char {
    Other = 0,       // nothing is read
    Records = 1,     // record file
    SingleTrees = 2, // report with single trees
    ClassTotals = 3, // report with class totals
    Empty = 4,
};

// Records made from caliper lines, with the class layout a class-total report revealed.
struct MantaxConversion {
    QStringList records;
    int classWidth = 0;           // width of the last class line (class totals)
    double smallestCentre = 1000; // smallest class centre seen, 1000 when none
    long long generatedTrees = 0; // "$1" records written from class counts so far
    // When set, each record goes here as it is made instead of into `records`.
    std::function<void(const QString& record)> sink;

    void add(const QString& record) { sink ? sink(record) : records.append(record); }
};

// Converts caliper lines of one kind into records one line at a time, so that a file is read
// line by line and never held whole. Records are taken trimmed, Other and Empty give nothing. A
// class count above the limits is a RivwoodError and adds nothing of the offending line.
class MantaxConverter {
  public:
    MantaxConverter(MantaxKind kind, MantaxConversion& out);
    ~MantaxConverter();
    MantaxConverter(const MantaxConverter&) = delete;
    MantaxConverter& operator=(const MantaxConverter&) = delete;

    void line(const QString& line);
    // After the last line: a report ends with an added "$9".
    void finish();

  private:
    class ClassTotals;
    MantaxKind m_kind;
    MantaxConversion& m_out;
    std::unique_ptr<ClassTotals> m_totals;
    bool m_afterKruh = false;
};

namespace MantaxReader {

// A class line may claim at most this many trees; more is refused as a damaged file.
inline constexpr long long MaxClassCount = 100000;
// The class lines of one file may write at most this many trees in all.
inline constexpr long long MaxGeneratedTrees = 2000000;

MantaxKind DetectKind(const CaliperLines& lines);
MantaxKind DetectKind(const QStringList& lines);
// "jina", "zakl", "jedn", "souh" or "praz".
QString KindName(MantaxKind kind);

// Fields of a report line: commas and blanks separate, double quotes group a field ("" inside
// quotes is a quote), an empty field between two commas is kept.
QStringList CommaFields(const QString& line);

// Converts lines [first, last] of a file of the given kind and appends the records (see
// MantaxConverter); report kinds end with an appended "$9".
void Convert(const QStringList& lines, qsizetype first, qsizetype last, MantaxKind kind,
             MantaxConversion& out);
MantaxConversion Convert(const QStringList& lines, MantaxKind kind);

// The record type: the character after "$" in upper case, or a null character for other lines.
QChar RecordType(const QString& record);
// The fields after the first two characters, separated by blanks or tabs.
QStringList RecordFields(const QString& record);
// The text from the third character on, trimmed ("$A", "$B", "$D").
QString RecordText(const QString& record);

} // namespace MantaxReader
