#include "TableStock.h"

#include <gtest/gtest.h>

namespace {
// Expected values were worked out independently in double precision from the equations.
void expectStock(const char* sp, int d, int h, double v1, double v2, double T, double S) {
    const TableStockResult r = TableStock(sp, d, h);
    EXPECT_NEAR(r.v1, v1, 1e-9) << sp;
    EXPECT_NEAR(r.v2, v2, 1e-9) << sp;
    EXPECT_NEAR(r.T, T, 1e-7) << sp;
    EXPECT_NEAR(r.S, S, 1e-7) << sp;
}
} // namespace

TEST(TableStock, EquationSetsAgainstHandWorkedValues) {
    expectStock("sm", 26, 22, 0.538204306974, 0.533073090543, 436.149064128, 431.990837939);
    expectStock("bk", 30, 25, 0.833455780781, 0.876749153275, 378.419763288, 398.076556304);
    expectStock("tp", 40, 28, 1.6320372867, 1.75259352017, 410.07870195, 440.370622447);
    expectStock("hb", 20, 18, 0.419361130857, 0.483527432027, 193.948152444, 223.624091975);
    expectStock("js", 32, 24, 0.800664005169, 0.891835245844, 274.323553086, 305.560649446);
    expectStock("db", 36, 26, 1.24524641212, 1.33041013125, 402.888293103, 430.442249571);
}

TEST(TableStock, GuardsAndSpeciesWithoutEquations) {
    const TableStockResult zero = TableStock("sm", 6, 22);
    EXPECT_EQ(zero.v1, 0);
    EXPECT_EQ(zero.S, 0);
    EXPECT_EQ(TableStock("sm", 26, 6).T, 0);
    const TableStockResult typed{1, 2, 3, 4};
    const TableStockResult ker = TableStock("ker", 26, 22, typed);
    EXPECT_EQ(ker.S, 4) << "a typed value stays for shrubs";
    EXPECT_FALSE(HasTableStockEquations("ker"));
    EXPECT_TRUE(HasTableStockEquations("DG "));
    EXPECT_EQ(TableStock("SM", 26, 22).S, TableStock("sm", 26, 22).S);
}

TEST(TableStock, SpruceBelowFiveBecomesZeroOthersStay) {
    // At 300 m the spruce polynomial is negative: the stock is replaced by 0.
    const TableStockResult sm = TableStock("sm", 26, 300);
    EXPECT_LT(sm.T, 0);
    EXPECT_EQ(sm.S, 0);
    const TableStockResult tp = TableStock("tp", 7, 7);
    EXPECT_NEAR(tp.S, 4.27685126684, 1e-8);
}

TEST(TableStock, TotalStemVolumeMatchesV1) {
    EXPECT_NEAR(TotalStemVolume("sm", 26, 22), TableStock("sm", 26, 22).v1, 1e-15);
    EXPECT_EQ(TotalStemVolume("ker", 26, 22), 0);
}
