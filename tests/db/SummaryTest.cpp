#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "SummaryTable.h"
#include "SummaryTextOutput.h"
#include "TableStock.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

TManual225 species(const char* abbr, const char* table, double d, double h,
                   std::initializer_list<TTloustkoveStupne> classes) {
    TManual225 s;
    s.abbreviation = StringToChars(abbr);
    s.curveSpecies = StringToChars(table);
    s.tableSpecies = StringToChars(table);
    s.meanDiameter = d;
    s.meanHeight = h;
    s.computed = true;
    s.classes.push_back({});
    for (const TTloustkoveStupne& e : classes) {
        s.classes.push_back(e);
        s.classes[0].trees += e.trees;
        s.classes[0].classVolume += e.classVolume;
    }
    s.classCount = std::int16_t(s.classes.size());
    return s;
}

// SM: 10 trees, 5 m3, table stock 400; BK: 5 trees, 2 m3, table stock 250; 5000 m2.
TManualy225 example() {
    TManualy225 st;
    st.name = "Pod jezem";
    st.designation = "12a";
    st.date = "3.6.2024";
    st.area = 5000;
    TManual225 sm = species("SM", "sm", 30, 25, {{26, 4, 0.4, 1.6}, {30, 6, 0.5666, 3.4}});
    sm.tableStock = 400;
    TManual225 bk = species("BK", "bk", 26, 22, {{26, 5, 0.4, 2}});
    bk.tableStock = 250;
    st.append("SM", sm);
    st.append("BK", bk);
    return st;
}

} // namespace

TEST(SummaryTable, ComputesReducedAreasSharesAndStocking) {
    TManualy225 st = example();
    SummaryTable t;
    t.Fill(st);
    const SummaryResult r = t.Compute(st);
    ASSERT_FALSE(r.error);
    EXPECT_DOUBLE_EQ(r.reducedAreaSum, 205);
    EXPECT_DOUBLE_EQ(r.stocking, 0.041);
    EXPECT_EQ(t.stockingText(), "  0.4");
    const TManual225& sm = st.at(0);
    const TManual225& bk = st.at(1);
    EXPECT_DOUBLE_EQ(sm.reducedArea, 125);
    EXPECT_DOUBLE_EQ(bk.reducedArea, 80);
    EXPECT_DOUBLE_EQ(sm.share, 12500.0 / 205);
    EXPECT_DOUBLE_EQ(bk.share, 8000.0 / 205);
    EXPECT_DOUBLE_EQ(sm.actualArea, 5000 * (12500.0 / 205) / 100);
    EXPECT_DOUBLE_EQ(sm.reducedAreaShare, 0.025);
    EXPECT_DOUBLE_EQ(bk.reducedAreaShare, 0.016);
    EXPECT_DOUBLE_EQ(sm.standStocking, 0.041);
    EXPECT_DOUBLE_EQ(sm.stocking, 0.041 * sm.share / 100);
    EXPECT_DOUBLE_EQ(sm.totalStock, 5);
    EXPECT_DOUBLE_EQ(sm.stockPerHa, 10);
    EXPECT_DOUBLE_EQ(bk.stockPerHa, 4);
    EXPECT_TRUE(sm.conifer);
    EXPECT_FALSE(bk.conifer);
    EXPECT_EQ(sm.code, SpeciesTables::SpeciesCode("SM"));
    EXPECT_NE(sm.code, bk.code);
    const double g = std::numbers::pi * (0.13 * 0.13 * 4 + 0.15 * 0.15 * 6);
    EXPECT_DOUBLE_EQ(sm.basalArea, g);
    EXPECT_DOUBLE_EQ(sm.basalAreaPerHa, g / 5000 * 10000);

    EXPECT_EQ(t.cell(1, 1), " 61");
    EXPECT_EQ(t.cell(2, 1), "      125");
    EXPECT_EQ(t.cell(3, 1), "     3049");
    EXPECT_EQ(t.cell(6, 2), "  250");
    EXPECT_EQ(t.cell(2, 3), "      205");
}

TEST(SummaryTable, FillShowsTheStandAndGroupSums) {
    TManualy225 st = example();
    st.at(1).tableStock = 0;
    SummaryTable t;
    EXPECT_EQ(t.rowCount(), 30);
    EXPECT_EQ(t.cell(0, 0), "Dřev.");
    EXPECT_EQ(t.cell(9, 0), "Zás.celk.");
    t.setCell(3, 5, "left over");
    t.Fill(st);
    EXPECT_EQ(t.cell(0, 1), "SM");
    EXPECT_EQ(t.cell(4, 1), "30");
    EXPECT_EQ(t.cell(5, 2), "22");
    EXPECT_EQ(t.cell(6, 1), "  400");
    EXPECT_EQ(t.cell(6, 2), "");
    EXPECT_EQ(t.cell(7, 1), "     5");
    EXPECT_EQ(t.cell(8, 1), "");
    EXPECT_EQ(t.cell(8, 2), "     2");
    EXPECT_EQ(t.cell(9, 2), "     2");
    EXPECT_EQ(t.cell(7, 3), "     5");
    EXPECT_EQ(t.cell(8, 3), "     2");
    EXPECT_EQ(t.cell(9, 3), "     7");
    EXPECT_EQ(t.cell(3, 5), "");
    EXPECT_TRUE(SummaryTable::IsEditable(6, 2, 2));
    EXPECT_FALSE(SummaryTable::IsEditable(6, 3, 2));
    EXPECT_FALSE(SummaryTable::IsEditable(5, 1, 2));
}

TEST(SummaryTable, TableStockFromTheCellOrFromTheEquations) {
    TManualy225 st = example();
    st.append("OL", species("OL", "ol", 28, 21, {{26, 3, 0.3, 0.9}}));
    st.append("KR", species("KR", "ker", 10, 3, {{10, 8, 0.01, 0.08}}));
    st.append("VR", species("VR", "vr", 6, 12, {{6, 2, 0.02, 0.04}}));
    st.at(0).tableStock = 312.68; // shown as " 313", used unrounded
    SummaryTable t;
    t.Fill(st);
    t.setCell(6, 2, "300"); // typed
    t.setCell(6, 3, "abc"); // not a number: computed
    const SummaryResult r = t.Compute(st);
    ASSERT_FALSE(r.error);
    EXPECT_EQ(st.at(0).tableStock, 312.68);
    EXPECT_DOUBLE_EQ(st.at(0).reducedArea, 5 / 312.68 * 10000);
    EXPECT_EQ(st.at(1).tableStock, 300);
    const double ol = TableStock("ol", 28, 21).S;
    EXPECT_GT(ol, 0);
    EXPECT_EQ(st.at(2).tableStock, ol);
    EXPECT_EQ(t.cell(6, 3), FormatNumber("%5.0f", ol));
    // No equations for "ker", and 6 cm is below the equations: table stock, area and share 0.
    for (int i : {3, 4}) {
        EXPECT_EQ(st.at(i).tableStock, 0);
        EXPECT_EQ(st.at(i).reducedArea, 0);
        EXPECT_EQ(st.at(i).share, 0);
        EXPECT_EQ(t.cell(6, i + 1), "    0");
    }
    const double sum = st.at(0).reducedArea + st.at(1).reducedArea + st.at(2).reducedArea;
    EXPECT_DOUBLE_EQ(r.reducedAreaSum, sum);
    EXPECT_DOUBLE_EQ(st.at(0).share + st.at(1).share + st.at(2).share, 100);

    // A second run over the same grid gives the same values.
    TManualy225 again = st;
    ASSERT_FALSE(t.Compute(again).error);
    EXPECT_EQ(again, st);
}

TEST(SummaryTable, NegativeTableStockStopsTheComputation) {
    TManualy225 st = example();
    SummaryTable t;
    t.Fill(st);
    t.setCell(6, 2, "-20");
    const SummaryResult r = t.Compute(st);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->text, "Chyba v zadání tabulkové zásoby");
    EXPECT_EQ(st.at(1).tableStock, 250);
    EXPECT_EQ(st.at(0).reducedArea, 0);
    EXPECT_EQ(st.at(0).share, 0);
    EXPECT_EQ(t.cell(1, 1), "");
}

TEST(SummaryTable, StandAreaZero) {
    TManualy225 st = example();
    st.area = 0;
    SummaryTable t;
    t.Fill(st);
    const SummaryResult r = t.Compute(st);
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.stocking, 0);
    EXPECT_EQ(t.stockingText(), "  0.0");
    EXPECT_DOUBLE_EQ(st.at(0).share, 12500.0 / 205);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(st.at(i).actualArea, 0);
        EXPECT_EQ(st.at(i).reducedAreaShare, 0);
        EXPECT_EQ(st.at(i).stockPerHa, 0);
        EXPECT_EQ(st.at(i).basalAreaPerHa, 0);
        EXPECT_EQ(st.at(i).stocking, 0);
    }
}

TEST(SummaryTable, GridGrowsForMoreThan28Species) {
    TManualy225 st;
    st.area = 10000;
    const QStringList& all = SpeciesTables::DrevZkratky();
    for (int i = 0; i < 30; ++i) {
        TManual225 s = species("SM", "sm", 30, 25, {{30, 1, 1, 1}});
        s.abbreviation = StringToChars(all[i]);
        s.tableStock = 100;
        st.append(all[i], s);
    }
    SummaryTable t;
    t.Fill(st);
    ASSERT_FALSE(t.Compute(st).error);
    EXPECT_EQ(t.rowCount(), 32);
    EXPECT_EQ(t.cell(0, 30), all[29]);
    EXPECT_EQ(t.cell(2, 31), "     3000");
    EXPECT_EQ(t.cell(9, 31), "    30");
    EXPECT_NEAR(st.at(29).share, 100.0 / 30, 1e-12);
}

TEST(SummaryTable, TextOutputLines) {
    TManualy225 st = example();
    SummaryTable t;
    t.Fill(st);
    ASSERT_FALSE(t.Compute(st).error);
    const QStringList lines = t.TextOutputLines(st);
    ASSERT_EQ(lines.size(), 5 + 4 + 1);
    EXPECT_EQ(lines[0], " JHK - výpočet zásob ");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Název   Pod jezem                   Plocha 5000.00");
    EXPECT_EQ(lines[3], "Porost    12a      Datum  3.6.2024             Zakmenění   0.4");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "Dřev. Zast  Red.pl. Skut.pl.   D   H  Tab.zás. Zás.jehl. Zás.list. Zás.celk.");
    EXPECT_EQ(lines[6], "   SM   61      125     3049  30  25       400         5                   5");
    EXPECT_EQ(lines[7], "   BK   39       80     1951  26  22       250                   2         2");
    EXPECT_EQ(lines[8], "                205                                    5         2         7");
    EXPECT_EQ(lines[9], "");
}

TEST(SummaryTextOutput, FirstOutputOverwritesLaterOnesAppend) {
    QTemporaryDir dir;
    const QString path = dir.filePath("souhrn.txt");
    testsupport::writeFile(path, "old content\n");
    SummaryTextOutput out;
    EXPECT_FALSE(out.hasFile());
    EXPECT_THROW(out.Write({"x"}), IoError);
    out.setFile(path);
    out.Write({"Řeka", ""});
    out.Write({"Zakmenění"});
    EXPECT_EQ(testsupport::readFile(path), QByteArray("\xd8"
                                                      "eka\r\n\r\nZakmen\xec"
                                                      "n\xed\r\n"));
    out.setFile(dir.filePath("missing/dir/x.txt"));
    EXPECT_THROW(out.Write({"x"}), IoError);
}
