#include "MeanStem.h"
#include "StandSession.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Counts by class centre in the 4 cm / 10 cm layout (element = (centre - 10) / 4 + 1).
void setCount(StandSession& s, int centre, double trees) {
    s.work.Cetnosti[size_t((centre - 10) / 4 + 1)] = trees;
}

} // namespace

TEST(MeanStem, BasalAreaMeanDiameterOfTheWrittenExample) {
    StandSession s;
    setCount(s, 22, 10); // centres 22 and 30: the mean stem lies between
    setCount(s, 30, 10);
    EXPECT_EQ(MeanStem::SectiCetnosti(s.work), 20);
    const double d = MeanStem::BasalAreaMeanDiameter(s.work, s.layout);
    EXPECT_NEAR(d, std::sqrt((22.0 * 22 + 30.0 * 30) / 2), 1e-12);

    StandSession t;
    t.SetClassLayout(10, 20); // classes 20, 30, …
    t.work.Cetnosti[1] = 10;
    t.work.Cetnosti[2] = 10;
    MeanStem::SectiCetnosti(t.work);
    const double d2 = MeanStem::BasalAreaMeanDiameter(t.work, t.layout);
    EXPECT_NEAR(d2, 25.495097567963924, 1e-12);
    EXPECT_EQ(MeanStem::FormatMeanValue(d2), "    25.5");
    EXPECT_NEAR(t.work.KruhoveZakladny[0], 10 * 0.031415926535 + 10 * 0.0706858347, 1e-9);
}

TEST(MeanStem, NoTreesGivesZeroNotADivisionByZero) {
    StandSession s;
    EXPECT_EQ(MeanStem::SectiCetnosti(s.work), 0);
    EXPECT_EQ(MeanStem::BasalAreaMeanDiameter(s.work, s.layout), 0);
}

TEST(MeanStem, WarningsCombineDiameterThenHeight) {
    EXPECT_TRUE(MeanStem::CurveWarning(0, 0).isEmpty());
    EXPECT_EQ(MeanStem::CurveWarning(2, 1),
              "Tloustka středniho kmene je vetší\rnež horní mez grafikonu JHK !\rPoužije se horní mez.\r"
              "Výška středniho kmene je pod\rspodní hranicí grafikonu JHK !\rPoužije se dolní křivka.");
    EXPECT_EQ(MeanStem::CurveWarning(0, 2),
              "Výška středniho kmene je nad\rhorní hranicí grafikonu JHK !\rPoužije se horní křivka.");
    EXPECT_EQ(MeanStem::CurveWarning(1, 0),
              "Tloustka středniho kmene je menší\rnež dolní mez grafikonu JHK !\rPoužije se dolní mez.");
}
