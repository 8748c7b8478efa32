#include "MeanStem.h"
#include "ReferenceFileBuilder.h"

#include <QTemporaryDir>
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
    EXPECT_EQ(MeanStem::ThroughDisplay(d2), 25.5);
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

TEST(MeanStem, ComputeStandFillsCurvesAndVolumesThroughTheDisplay) {
    QTemporaryDir dir;
    HmoSpecies sm{"sm", 10, std::vector<int>(21, 4), {}};
    sm.rows.push_back({2000, 4, std::vector<int>(21, 10)});
    sm.rows.push_back({2400, 6, std::vector<int>(21, 12)});
    WriteReferenceFiles(dir.path(), {{"sm", {{2000, 8, 100, 120, 150}, {2400, 8, 100, 160, 150}}}}, {sm});

    StandSession s;
    s.stand.summary = true;
    s.work.KodDreviny = StringToChars("SM");
    setCount(s, 22, 10);
    setCount(s, 30, 10);
    s.work.StrVyska = 14.98765;
    s.RecordWorkingCopy(81);
    // A typed diameter stays; it only passes through the four-digit display.
    s.work.KodDreviny = StringToChars("SMX");
    s.work.StrTloustka = 31.23456;
    s.work.TloustkaVypoctena = false;
    s.RecordWorkingCopy(81);

    const UserMessages warnings = MeanStem::ComputeStand(s, dir.path());
    EXPECT_TRUE(warnings.empty());
    const TManual225& a = s.stand.at(0);
    EXPECT_EQ(CharsToString(a.curveSpecies), "sm") << "blank curve species takes the reference default";
    EXPECT_EQ(CharsToString(a.tableSpecies), "sm");
    EXPECT_NEAR(a.meanDiameter, 26.31, 1e-9) << "sqrt((22² + 30²)/2) = 26.306 … shown as 26.31";
    EXPECT_TRUE(a.meanDiameterComputed);
    EXPECT_NEAR(a.meanHeight, 14.99, 1e-9);
    EXPECT_EQ(a.curve, 2000);
    EXPECT_TRUE(a.computed);
    EXPECT_FALSE(s.stand.summary);
    // Table: 10 cm -> 0.04 m3, +0.10 per 4 cm; 22 cm -> 0.34, 30 cm -> 0.54.
    EXPECT_NEAR(a.classes[4].treeVolume, 0.34, 1e-12);
    EXPECT_NEAR(a.classes[6].classVolume, 5.4, 1e-12);
    EXPECT_NEAR(a.classes[0].classVolume, 3.4 + 5.4, 1e-12);
    EXPECT_NEAR(s.stand.at(1).meanDiameter, 31.23, 1e-9);
    EXPECT_FALSE(s.stand.at(1).meanDiameterComputed);
}
