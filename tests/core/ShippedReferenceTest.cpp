#include "JhkReference.h"
#include "ProgramPaths.h"
#include "TableStock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

// The shipped JHK.KRI / JHK.HMO beside the built programs, checked against values worked out by
// hand from their bytes: for sm at 25.5 cm the 24-28 cm segments put curve 22 at
// 20.0 + 1.4 * 1.5 / 4 = 20.525 m and curve 24 at 21.8 + 1.6 * 1.5 / 4 = 22.4 m, so 22 m takes 24.
TEST(ShippedReference, SpruceCurveAndVolumesWorkedOutByHand) {
    const QString dir = testsupport::binDir();
    const CurveSearch s = FindCurve(dir, StringToChars("sm"), 25.5, 22);
    EXPECT_EQ(s.curve, 2400);
    EXPECT_EQ(s.rows, 13);
    EXPECT_EQ(s.diameterFlag, 0);
    EXPECT_EQ(s.heightFlag, 0);
    // The halfway height between the two curves is 21.4625 m.
    EXPECT_EQ(FindCurve(dir, StringToChars("sm"), 25.5, 21.45).curve, 2200);
    EXPECT_EQ(FindCurve(dir, StringToChars("sm"), 25.5, 21.48).curve, 2400);

    // Curve 24 tabulates 0.05 m3 at 10 cm, 0.46 / 0.66 at 24 / 28 cm and 3.03 / 3.70 at 58 / 64 cm.
    EXPECT_DOUBLE_EQ(VolumeFromTable(s.diameterRow, s.volumeRow, 10).volume, 0.05);
    EXPECT_DOUBLE_EQ(VolumeFromTable(s.diameterRow, s.volumeRow, 26).volume, 0.56);
    EXPECT_NEAR(VolumeFromTable(s.diameterRow, s.volumeRow, 60).volume, 3.03 + 2 * (3.70 - 3.03) / 6, 1e-12);
    const TableVolume beyond = VolumeFromTable(s.diameterRow, s.volumeRow, 110);
    EXPECT_EQ(beyond.flag, 2);

    // Tabulated volumes follow the spruce volume equation at the curve's height: 21.8 m at 24 cm
    // gives 0.4630 m3 (table 0.46), 23.4 m at 28 cm gives 0.6574 m3 (table 0.66).
    EXPECT_NEAR(TotalStemVolume("sm", 24, 21.8), 0.4629832364630738, 1e-12);
    EXPECT_NEAR(TotalStemVolume("sm", 28, 23.4), 0.6573813357749475, 1e-12);
    EXPECT_DOUBLE_EQ(VolumeFromTable(s.diameterRow, s.volumeRow, 24).volume, 0.46);
    EXPECT_DOUBLE_EQ(VolumeFromTable(s.diameterRow, s.volumeRow, 28).volume, 0.66);
}

TEST(ShippedReference, FlagsAtTheEdgesOfTheFamilies) {
    const QString dir = testsupport::binDir();
    EXPECT_EQ(FindCurve(dir, StringToChars("sm"), 25.5, 37).heightFlag, 0);
    const CurveSearch high = FindCurve(dir, StringToChars("sm"), 25.5, 40);
    EXPECT_EQ(high.heightFlag, 2);
    EXPECT_EQ(high.curve, 3800);
    const CurveSearch low = FindCurve(dir, StringToChars("sm"), 25.5, 10);
    EXPECT_EQ(low.heightFlag, 1);
    EXPECT_EQ(low.curve, 1400);
    EXPECT_EQ(FindCurve(dir, StringToChars("sm"), 5, 10).diameterFlag, 1);
    EXPECT_EQ(FindCurve(dir, StringToChars("tp"), 130, 30).diameterFlag, 2);
    EXPECT_EQ(FindCurve(dir, StringToChars("ak"), 30, 20).curve, 0);
}
