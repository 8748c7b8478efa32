#include "MantaxReader.h"
#include "RivwoodError.h"

#include <gtest/gtest.h>

using MantaxReader::CommaFields;
using MantaxReader::Convert;
using MantaxReader::DetectKind;

namespace {

const QStringList kReportHeader = {"LIST 1", "MANTAX 2.1", "ID 7", "DATUM 01.02.2023", "METODA X"};

QStringList report(const QStringList& body) {
    return kReportHeader + body;
}

} // namespace

TEST(MantaxKind, RecordFileNeedsEveryLongLineToBeARecord) {
    EXPECT_EQ(DetectKind({"$A name", "  $1 SM 20", "$2 SM 0 200", "$b x", "$d 1.1.", "$9", "x", ""}),
              MantaxKind::Records);
    // One line that is no record makes it something else; "$3" and "$a" differ in kind.
    EXPECT_EQ(DetectKind({"$A name", "$3 SM 20"}), MantaxKind::Other);
    EXPECT_EQ(DetectKind({"$1 SM 20", "hello"}), MantaxKind::Other);
}

TEST(MantaxKind, EmptyWhenNoLineIsLongerThanOneCharacter) {
    EXPECT_EQ(DetectKind(QStringList{}), MantaxKind::Empty);
    EXPECT_EQ(DetectKind({"", " ", "x", "$ "}), MantaxKind::Empty);
}

TEST(MantaxKind, ReportsByHeaderAndKruhLine) {
    EXPECT_EQ(DetectKind(report({"SM -ABCD", "8-12 4"})), MantaxKind::ClassTotals);
    EXPECT_EQ(DetectKind(report({"", "KRUH 1", "1,1,0,SM,200"})), MantaxKind::SingleTrees);
    // Header comparison ignores case; empty lines do not count.
    EXPECT_EQ(DetectKind({"list 1", "", "Mantax", "id", "datum", "metoda", "kruh"}), MantaxKind::SingleTrees);
    // A "KRUH" line inside the header does not make single trees.
    EXPECT_EQ(DetectKind({"LIST", "MANTAX", "ID", "DATUM", "METODA KRUH"}), MantaxKind::ClassTotals);
}

TEST(MantaxKind, BrokenHeaderIsOther) {
    EXPECT_EQ(DetectKind({"LIST", "MANTAX", "DATUM", "ID", "METODA"}), MantaxKind::Other);
    EXPECT_EQ(DetectKind({"MANTAX", "LIST"}), MantaxKind::Other);
    // An incomplete header is no report.
    EXPECT_EQ(DetectKind({"LIST 1", "MANTAX", "ID"}), MantaxKind::Other);
}

TEST(MantaxFields, CommasBlanksAndQuotes) {
    EXPECT_EQ(CommaFields("1,2, 3  4"), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(CommaFields("a,,b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(CommaFields("  \"Smrk ztepilý\",\"a\"\"b\" ,x"), QStringList({"Smrk ztepilý", "a\"b", "x"}));
    EXPECT_EQ(CommaFields("a,"), QStringList({"a"}));
    EXPECT_EQ(CommaFields("\"unterminated"), QStringList({"unterminated"}));
    EXPECT_TRUE(CommaFields("   ").isEmpty());
}

TEST(MantaxRecords, TypeFieldsAndText) {
    EXPECT_EQ(MantaxReader::RecordType("$a x"), QChar('A'));
    EXPECT_EQ(MantaxReader::RecordType("$9"), QChar('9'));
    EXPECT_TRUE(MantaxReader::RecordType("x$1").isNull());
    EXPECT_TRUE(MantaxReader::RecordType("$").isNull());
    EXPECT_EQ(MantaxReader::RecordFields("$1 SM\t 23.4  "), QStringList({"SM", "23.4"}));
    EXPECT_EQ(MantaxReader::RecordFields("$1SM 2"), QStringList({"SM", "2"}));
    EXPECT_EQ(MantaxReader::RecordText("$A  Olšina "), "Olšina");
}

TEST(MantaxConvert, RecordFileIsTakenTrimmed) {
    const MantaxConversion c = Convert({" $A x ", "$1 SM 2", "$9"}, MantaxKind::Records);
    EXPECT_EQ(c.records, QStringList({"$A x", "$1 SM 2", "$9"}));
}

TEST(MantaxConvert, OtherAndEmptyGiveNothing) {
    EXPECT_TRUE(Convert({"hello", "world"}, MantaxKind::Other).records.isEmpty());
    EXPECT_TRUE(Convert({}, MantaxKind::Empty).records.isEmpty());
}

TEST(MantaxConvert, HeaderLinesBecomeHeaderRecords) {
    const MantaxConversion c = Convert(report({}), MantaxKind::ClassTotals);
    EXPECT_EQ(c.records, QStringList({"$ALIST 1", "$B7", "$d01.02.2023", "$9"}));
}

TEST(MantaxConvert, SingleTreesInCentimetres) {
    const MantaxConversion c = Convert(
        report({"1,1,0,SM,999", "KRUH 1", "1,1,0,SM,234", "2 1 0 \"BK\" 41", "3,1,0,SM,x", "4,1,0,SM"}),
        MantaxKind::SingleTrees);
    // Trees before "KRUH" are not trees; a line with fewer than five fields is skipped.
    EXPECT_EQ(c.records.mid(3), QStringList({"$1 SM  23.4", "$1 BK   4.1", "$1 SM   0.0", "$9"}));
}

TEST(MantaxConvert, ClassTotalsWriteOneRecordPerTree) {
    const MantaxConversion c = Convert(report({"SM -ABCD", "8-12 2", "12-16 1", "V 22.46", "BK,-abcd",
                                               "8-12,1", "VSE -ABCD", "8-12 9", "V 0.5"}),
                                       MantaxKind::ClassTotals);
    EXPECT_EQ(c.records.mid(3),
              QStringList({"$1 SM    10", "$1 SM    10", "$1 SM    14", "$2 SM 0 225", "$1 BK    10", "$9"}));
    EXPECT_EQ(c.classWidth, 4);
    EXPECT_EQ(c.smallestCentre, 10);
}

TEST(MantaxConvert, ClassLinesOutsideASectionAndBadClasses) {
    // "8-12" before any section, a reversed class, a missing count, a single-field section line.
    const MantaxConversion c = Convert(
        report({"8-12 3", "SM", "SM -ABCD", "16-12 4", "20-22", "x-y 2", "6-8 1"}), MantaxKind::ClassTotals);
    EXPECT_EQ(c.records.mid(3), QStringList({"$1 SM     7", "$9"}));
    EXPECT_EQ(c.classWidth, 2);
    EXPECT_EQ(c.smallestCentre, 7);
}

TEST(MantaxConvert, HeightLineBelongsToTheLastSpecies) {
    const MantaxConversion c =
        Convert(report({"SM -ABCD", "8-12 1", "BK -ABCD", "V 19", "V 1"}), MantaxKind::ClassTotals);
    EXPECT_EQ(c.records.mid(3), QStringList({"$1 SM    10", "$2 BK 0 190", "$9"}));
}

TEST(MantaxConvert, AbsurdClassCountIsRefused) {
    try {
        Convert(report({"SM -ABCD", "8-12 2000000000"}), MantaxKind::ClassTotals);
        FAIL() << "no error";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().contains("2000000000")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("poškozený"));
    }
    // The limit itself is still a count.
    const MantaxConversion c = Convert(report({"SM -ABCD", "8-12 100000"}), MantaxKind::ClassTotals);
    EXPECT_EQ(c.generatedTrees, 100000);
    EXPECT_EQ(c.records.size(), 3 + 100000 + 1);
}

TEST(MantaxConvert, TotalOfClassCountsIsLimited) {
    QStringList body{"SM -ABCD"};
    for (int i = 0; i < 21; ++i)
        body << QString("%1-%2 100000").arg(8 + 4 * i).arg(12 + 4 * i);
    EXPECT_THROW(Convert(report(body), MantaxKind::ClassTotals), RivwoodError);
}
