#include "MantaxStandReader.h"
#include "ImportTestSupport.h"
#include "SpeciesCodes.h"
#include "TextUtils.h"

#include <gtest/gtest.h>

using importtest::treesAt;

namespace {

SpeciesAssignment assigned(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    SpeciesAssignment a;
    QStringList codes;
    for (const auto& p : pairs)
        codes << p.first;
    a.SetCodes(codes);
    for (const auto& p : pairs)
        a.Assign(p.first, p.second);
    return a;
}

TManualy225 read(const QStringList& records, const SpeciesAssignment& a,
                 ClassLayout layout = ClassLayout::Make(4, 10)) {
    TManualy225 stand;
    stand.ClearStand();
    MantaxStandReader::Reader reader(a, layout, stand);
    for (qsizetype i = 0; i < records.size() && reader.Read(records[i]); ++i) {
    }
    reader.Finish();
    return stand;
}

// Distinct codes of the "$1" records; with stopAtEnd only those of the first stand.
QStringList CollectCodes(const QStringList& records, bool stopAtEnd) {
    SpeciesCodes codes;
    for (const QString& r : records)
        if (!MantaxStandReader::CollectCode(r, codes) && stopAtEnd)
            break;
    return codes.list();
}

} // namespace

TEST(MantaxStand, HeaderRecordsAndTrees) {
    const TManualy225 s = read({"$A Olšina", "$B 12a", "$d 1.5.2023", "$1 SM 23.4", "$1 SM 31,0", "$1 BK 12"},
                               assigned({{"SM", "SM"}, {"BK", "BK"}}));
    EXPECT_EQ(s.name, "Olšina");
    EXPECT_EQ(s.designation, "12a");
    EXPECT_EQ(s.date, "1.5.2023");
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.abbreviationAt(0), "SM");
    const TManual225& sm = s.at(0);
    EXPECT_EQ(CharsToString(sm.curveSpecies), "sm");
    EXPECT_EQ(CharsToString(sm.tableSpecies), "sm");
    EXPECT_EQ(sm.classes.size(), 50u);
    EXPECT_EQ(sm.classes[0].trees, 2);
    EXPECT_EQ(treesAt(sm, 22), 1); // 23.4 cm
    EXPECT_EQ(treesAt(sm, 30), 1); // 31,0 cm with a decimal comma
    // 12 cm lies halfway between 10 and 14: halves go to the even class index.
    EXPECT_EQ(treesAt(s.at(1), 10), 1);
    EXPECT_EQ(s.at(0).classWidth, 4);
    EXPECT_EQ(s.at(0).firstCentre, 10);
}

TEST(MantaxStand, HalvesGoToTheEvenClass) {
    // (14 - 10) / 8 = 0.5 -> 0, (30 - 10) / 8 = 2.5 -> 2, (38 - 10) / 8 = 3.5 -> 4.
    const TManualy225 s =
        read({"$1 SM 14", "$1 SM 30", "$1 SM 38"}, assigned({{"SM", "SM"}}), ClassLayout::Make(8, 10));
    EXPECT_EQ(treesAt(s.at(0), 10), 1);
    EXPECT_EQ(treesAt(s.at(0), 26), 1);
    EXPECT_EQ(treesAt(s.at(0), 42), 1);
}

TEST(MantaxStand, DiametersAbove200AreTalliedAt200) {
    const TManualy225 s =
        read({"$1 BK 250", "$1 BK 200", "$1 BK 1e300"}, assigned({{"BK", "BK"}}), ClassLayout::Make(2, 8));
    EXPECT_EQ(treesAt(s.at(0), 200), 3);
    EXPECT_EQ(s.at(0).classes.back().centre, 200);
    // With width 4 and first centre 10 the class holding 200 cm is the last one.
    const TManualy225 w4 = read({"$1 BK 250"}, assigned({{"BK", "BK"}}));
    EXPECT_EQ(w4.at(0).classes.back().trees, 1);
}

TEST(MantaxStand, TreesBelowTheFirstClassAreNotCounted) {
    const TManualy225 s = read({"$1 SM 7", "$1 SM -3", "$1 SM x", "$1 SM 8.1"}, assigned({{"SM", "SM"}}));
    ASSERT_EQ(s.count(), 1);
    EXPECT_EQ(s.at(0).classes[0].trees, 1);
    EXPECT_EQ(treesAt(s.at(0), 10), 1);
}

TEST(MantaxStand, MeanHeightsFromSampleHeights) {
    const TManualy225 s = read({"$2 SM 0 300", "$1 SM 20", "$2 SM 0 215", "$2 sm x 225", "$2 SM 0 0",
                                "$2 SM 0 x", "$2 BK 0 300", "$1 BK 30"},
                               assigned({{"SM", "SM"}, {"BK", "BK"}}));
    // The height before the species' first tree is ignored, as are heights below 1 dm.
    EXPECT_DOUBLE_EQ(s.at(0).meanHeight, 22.0);
    EXPECT_EQ(s.at(0).curve, 0);
    EXPECT_DOUBLE_EQ(s.at(1).meanHeight, 0);
}

TEST(MantaxStand, OnlyTheFirstStandIsRead) {
    const TManualy225 s = read({"$A one", "$1 SM 20", "$9", "$A two", "$1 SM 20", "$1 BK 20"},
                               assigned({{"SM", "SM"}, {"BK", "BK"}}));
    EXPECT_EQ(s.name, "one");
    ASSERT_EQ(s.count(), 1);
    EXPECT_EQ(s.at(0).classes[0].trees, 1);
}

TEST(MantaxStand, CodesMatchCaseInsensitivelyAndUnassignedAreIgnored) {
    const TManualy225 s = read({"$1 smrk 20", "$1 SMRK 24", "$1 dub 30", "$1", "junk", "$1 ABCDEFGHIJKL 20"},
                               assigned({{"Smrk", "SM"}, {"ABCDEFGHIJ", "JD"}}));
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.at(0).classes[0].trees, 2);
    // A long code is listed cut to ten characters and its trees are found under the cut code.
    EXPECT_EQ(s.abbreviationAt(1), "JD");
    EXPECT_EQ(s.at(1).classes[0].trees, 1);
}

TEST(MantaxStand, SeveralCodesOfOneSpecies) {
    const TManualy225 s = read({"$1 1 20", "$1 2 20", "$1 2 24"}, assigned({{"1", "OL"}, {"2", "ol"}}));
    ASSERT_EQ(s.count(), 1);
    EXPECT_EQ(s.abbreviationAt(0), "OL");
    EXPECT_EQ(s.at(0).classes[0].trees, 3);
}

TEST(MantaxCodes, FirstStandOrWholeFile) {
    const QStringList records{"$1 B 1", "$1 a 2", "$2 Z 0 1", "$1 A 3", "$9", "$1 C 1", "$1 ABCDEFGHIJKLM 1"};
    EXPECT_EQ(CollectCodes(records, true), QStringList({"B", "a"}));
    EXPECT_EQ(CollectCodes(records, false), QStringList({"B", "a", "C", "ABCDEFGHIJ"}));
}
