#include "VaduzReader.h"
#include "ImportTestSupport.h"

#include <gtest/gtest.h>

using importtest::sampleLines;
using importtest::treesAt;
using VaduzReader::Columns;

namespace {

// A line with texts placed at 1-based columns.
QString at(std::initializer_list<std::pair<int, const char*>> fields) {
    QString s;
    for (const auto& [col, text] : fields) {
        if (s.size() < col - 1)
            s = s.leftJustified(col - 1, ' ');
        s = s.left(col - 1) + QString::fromUtf8(text);
    }
    return s;
}

QString tree(int number, const char* code, const char* diameter) {
    return at({{1, QByteArray::number(number).constData()}, {15, code}, {30, "A"}}).leftJustified(44, ' ') +
           QString::fromUtf8(diameter).rightJustified(7, ' ');
}

SpeciesAssignment assign(const QStringList& codes, const QStringList& abbreviations) {
    SpeciesAssignment a;
    a.SetCodes(codes);
    for (int i = 0; i < abbreviations.size(); ++i)
        a.SetAbbreviation(i, abbreviations[i]);
    return a;
}

TManualy225 read(const QStringList& lines, const SpeciesAssignment& a,
                 ClassLayout layout = ClassLayout::Make(4, 10)) {
    TManualy225 stand;
    stand.ClearStand();
    VaduzReader::ReadReport(lines, a, layout, stand);
    return stand;
}

const QString kTreeHeader = at({{1, "Baumnummer:"}, {13, "Baumart:"}, {30, "Guete:"}, {45, "BHD:"}});
const QString kHeightHeader = at({{1, "Baumart:"}, {30, "Stueckzahl:"}, {45, "dBHD:"}, {53, "dH:"}});

} // namespace

TEST(VaduzLayout, ColumnsAreOneBasedAndTrimmed) {
    EXPECT_EQ(Columns("abc  def  ", 4, 9), "def");
    EXPECT_EQ(Columns("short", 10, 20), "");
    EXPECT_EQ(Columns("\tx ", 1, 3), "\tx");
}

TEST(VaduzLayout, KeywordsInThreeLanguages) {
    using VaduzReader::Keyword;
    EXPECT_EQ(VaduzReader::KeywordOf("Abteilung:     12"), Keyword::Unit);
    EXPECT_EQ(VaduzReader::KeywordOf("Oddeleni:"), Keyword::Unit);
    EXPECT_EQ(VaduzReader::KeywordOf("  Oddelenie:   x"), Keyword::Unit);
    EXPECT_EQ(VaduzReader::KeywordOf("Bestand:"), Keyword::Stand);
    EXPECT_EQ(VaduzReader::KeywordOf("Porast:"), Keyword::Stand);
    EXPECT_EQ(VaduzReader::KeywordOf("Skupina:"), Keyword::Stand);
    EXPECT_EQ(VaduzReader::KeywordOf("Datum:         1.1."), Keyword::Date);
    // The value must not reach into column 15, and keywords compare exactly.
    EXPECT_EQ(VaduzReader::KeywordOf("Datum:        1.1."), Keyword::None);
    EXPECT_EQ(VaduzReader::KeywordOf("datum:"), Keyword::None);
}

TEST(VaduzLayout, TableHeadersAsWritten) {
    EXPECT_TRUE(VaduzReader::IsTreeHeader(kTreeHeader));
    EXPECT_TRUE(
        VaduzReader::IsTreeHeader(at({{1, "Cis.stromu"}, {13, "Drevina"}, {30, "Kvalita"}, {45, "d1.3"}})));
    EXPECT_TRUE(
        VaduzReader::IsTreeHeader(at({{1, "Strom cis."}, {13, "Drevina"}, {30, "Jakost"}, {45, "MVT"}})));
    EXPECT_FALSE(
        VaduzReader::IsTreeHeader(at({{1, "Baumnummer:"}, {13, "Baumart:"}, {30, "Guete:"}, {48, "BHD:"}})));
    EXPECT_FALSE(
        VaduzReader::IsTreeHeader(at({{1, "Cis.stromu"}, {13, "Drevina"}, {30, "Jakost"}, {45, "MVT"}})));
    EXPECT_TRUE(VaduzReader::IsHeightHeader(kHeightHeader));
    EXPECT_TRUE(
        VaduzReader::IsHeightHeader(at({{1, "Drevina"}, {30, "Pocetnost"}, {45, "d1.3"}, {53, "pv"}})));
    EXPECT_TRUE(
        VaduzReader::IsHeightHeader(at({{1, "Drevina"}, {30, "Pocet kusu"}, {45, "prVT"}, {53, "pV"}})));
    EXPECT_FALSE(
        VaduzReader::IsHeightHeader(at({{1, "Drevina"}, {30, "Pocet kusu"}, {45, "d1.3"}, {53, "pv"}})));
    EXPECT_FALSE(VaduzReader::IsTreeHeader(kHeightHeader));
}

TEST(VaduzScan, CodesOfTreesOfEightCentimetresOrMore) {
    const QStringList lines{tree(1, "Vor", "30"),
                            kTreeHeader,
                            tree(1, "Erle", "5.0"),
                            tree(2, "Fichte", "8.0"),
                            tree(3, "Erle", "7.9"),
                            "Summe: Buche  99",
                            tree(4, "fichte", "40"),
                            tree(5, "Buche", "9"),
                            at({{1, "x"}, {15, "Tanne"}, {45, "50"}}),
                            tree(6, "SehrLangerCode", "20")};
    EXPECT_EQ(VaduzReader::ScanCodes(lines), QStringList({"Fichte", "Buche", "SehrLanger"}));
    EXPECT_TRUE(VaduzReader::ScanCodes(QStringList{tree(1, "Fichte", "30")}).isEmpty());
}

TEST(VaduzRead, FiveCentimetreTreeCountsOnceItsSpeciesIsListed) {
    const QStringList lines{kTreeHeader, tree(1, "Buche", "5.0"), tree(2, "Erle", "5.0"),
                            tree(3, "Buche", "12.0")};
    const QStringList codes = VaduzReader::ScanCodes(lines);
    ASSERT_EQ(codes, QStringList({"Buche"}));
    const TManualy225 s = read(lines, assign(codes, {"BK"}), ClassLayout::Make(2, 6));
    ASSERT_EQ(s.count(), 1);
    EXPECT_EQ(s.at(0).classes[0].trees, 2);
    EXPECT_EQ(treesAt(s.at(0), 6), 1);
    EXPECT_EQ(treesAt(s.at(0), 12), 1);
}

TEST(VaduzRead, DiametersAbove90AreTalliedAt90) {
    const TManualy225 s =
        read({kTreeHeader, tree(1, "Fichte", "95"), tree(2, "Fichte", "250.5")}, assign({"Fichte"}, {"SM"}));
    EXPECT_EQ(treesAt(s.at(0), 90), 2);
}

TEST(VaduzRead, HeightsInMetres) {
    const TManualy225 s = read({kTreeHeader, tree(1, "Fichte", "30"), "", kHeightHeader,
                                at({{1, "Fichte"}, {51, "    22.5"}}), at({{1, "fichte"}, {51, "23.5"}}),
                                at({{1, "Fichte"}, {51, "x"}}), at({{1, "Buche"}, {51, "30"}})},
                               assign({"Fichte"}, {"SM"}));
    EXPECT_DOUBLE_EQ(s.at(0).meanHeight, 23.0);
}

TEST(VaduzRead, HeaderKeywordsGiveDesignationNameAndDate) {
    const TManualy225 s =
        read({at({{1, "Abteilung:"}, {16, "12"}, {30, "Revier:"}, {43, "Nord"}}),
              at({{1, "Bestand:"}, {16, "3a"}, {43, "Auwald"}}), at({{1, "Datum:"}, {16, "15.05.2023"}})},
             assign({}, {}));
    EXPECT_EQ(s.designation, "12 Nord3a");
    EXPECT_EQ(s.name, "Auwald");
    EXPECT_EQ(s.date, "15.05.2023");
}

TEST(VaduzRead, AssignedSpeciesWithoutTreesIsInTheStand) {
    const TManualy225 s =
        read({kTreeHeader, tree(1, "Fichte", "30")}, assign({"Buche", "Fichte"}, {"BK", "SM"}));
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.abbreviationAt(0), "BK");
    EXPECT_EQ(s.at(0).classes[0].trees, 0);
    EXPECT_EQ(s.at(0).classes.size(), 50u);
    EXPECT_EQ(s.at(1).classes[0].trees, 1);
}

TEST(VaduzRead, HeaderOnTheLastLineAndLinesOutsideTables) {
    const TManualy225 s = read({tree(1, "Fichte", "30"), kTreeHeader}, assign({"Fichte"}, {"SM"}));
    EXPECT_EQ(s.at(0).classes[0].trees, 0);
}

TEST(VaduzRead, GermanCzechAndSlovakTwinsGiveTheSameStand) {
    const QStringList de = sampleLines("vaduz_de.txt");
    const QStringList cz = sampleLines("vaduz_cz.txt");
    const QStringList sk = sampleLines("vaduz_sk.txt");
    EXPECT_EQ(VaduzReader::ScanCodes(de), QStringList({"Fichte", "Buche"}));
    EXPECT_EQ(VaduzReader::ScanCodes(cz), QStringList({"Smrk", "Buk"}));
    EXPECT_EQ(VaduzReader::ScanCodes(sk), QStringList({"Smrek", "Buk"}));
    const TManualy225 a = read(de, assign({"Fichte", "Buche"}, {"SM", "BK"}));
    const TManualy225 b = read(cz, assign({"Smrk", "Buk"}, {"SM", "BK"}));
    const TManualy225 c = read(sk, assign({"Smrek", "Buk"}, {"SM", "BK"}));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a.designation, "12 Nord3a");
    EXPECT_EQ(a.name, "Auwald");
    EXPECT_EQ(a.date, "15.05.2023");
    ASSERT_EQ(a.count(), 2);
    const TManual225& sm = a.at(0);
    EXPECT_EQ(sm.classes[0].trees, 4);
    EXPECT_EQ(treesAt(sm, 22), 1); // 23.4
    EXPECT_EQ(treesAt(sm, 30), 1); // 31.2
    EXPECT_EQ(treesAt(sm, 18), 1); // 18.0
    EXPECT_EQ(treesAt(sm, 90), 1); // 95.0
    EXPECT_DOUBLE_EQ(sm.meanHeight, 23.0);
    // The 5 cm beech lies below the first class of width 4 and first centre 10.
    EXPECT_EQ(a.at(1).classes[0].trees, 1);
    EXPECT_DOUBLE_EQ(a.at(1).meanHeight, 18.0);
}
