// The shipped files through the program's own curve search and volume-table reader.
#include "JhkReference.h"
#include "ParsedReferenceFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace refdata;

namespace {

const QString kDir = QStringLiteral(RIVWOOD_SHIPPED_DATA_DIR);

std::vector<VolumeIndex> shippedVolumes() {
    std::vector<VolumeIndex> volumes;
    QString error;
    EXPECT_TRUE(parseVolumeFile(testsupport::readFile(kDir + "/JHK.HMO"), volumes, error))
        << error.toStdString();
    return volumes;
}

TEST(ShippedFilesReader, EveryCurveIsFoundAtItsDesignationAndGivesItsTabulatedVolumes) {
    for (const VolumeIndex& s : shippedVolumes()) {
        SCOPED_TRACE(s.code.toStdString());
        const Kod3 code = StringToChars(QString::fromLatin1(s.code).trimmed());
        for (const VolumeRowRecord& row : s.rows) {
            const CurveSearch found = FindCurve(kDir, code, 30.0, row.curve / 100.0);
            ASSERT_EQ(found.curve, row.curve);
            EXPECT_EQ(found.rows, int(s.rows.size()));
            EXPECT_EQ(found.diameterFlag, 0);
            EXPECT_EQ(found.heightFlag, 0);
            const std::vector<double> v = tabulatedVolumes(s, row);
            for (size_t k = 0; k < v.size(); ++k) {
                const TableVolume t = VolumeFromTable(found.diameterRow, found.volumeRow, s.diameters[k]);
                EXPECT_NEAR(t.volume, v[k] / 100, 1e-12) << "curve " << row.curve << " at " << s.diameters[k];
                EXPECT_EQ(t.flag, 0);
            }
            EXPECT_EQ(VolumeFromTable(found.diameterRow, found.volumeRow, s.diameters.back() + 1.0).flag, 2);
        }
    }
}

// Worked by hand from the records: at 25.5 cm the spruce curves 22 and 24 stand at 20.525 m and
// 22.4 m (segments 24-28 cm: 20.0 m + 1.4 m * 1.5/4, 21.8 m + 1.6 m * 1.5/4).
TEST(ShippedFilesReader, SpruceExampleWorkedByHand) {
    const CurveSearch found = FindCurve(kDir, StringToChars("sm"), 25.5, 22.0);
    ASSERT_EQ(found.curve, 2400);
    EXPECT_EQ(found.rows, 13);
    EXPECT_EQ(found.diameterFlag, 0);
    EXPECT_EQ(found.heightFlag, 0);
    EXPECT_DOUBLE_EQ(VolumeFromTable(found.diameterRow, found.volumeRow, 10).volume, 0.05);
    EXPECT_DOUBLE_EQ(VolumeFromTable(found.diameterRow, found.volumeRow, 26).volume, 0.56);
    EXPECT_NEAR(VolumeFromTable(found.diameterRow, found.volumeRow, 60).volume, 3.03 + 2 * 0.67 / 6, 1e-12);
    // Halfway between the two curves lies 21.4625 m.
    EXPECT_EQ(FindCurve(kDir, StringToChars("sm"), 25.5, 21.45).curve, 2200);
    EXPECT_EQ(FindCurve(kDir, StringToChars("sm"), 25.5, 21.48).curve, 2400);
}

TEST(ShippedFilesReader, MeanStemsOutsideAFamilyAreFlagged) {
    // At 25.5 cm spruce curve 38 stands at 35.4375 m, 1.875 m above curve 36 (33.5625 m): the widest
    // spacing of the family there. 37 m lies within it, 40 m does not; curve 14 stands at 13.1 m.
    EXPECT_EQ(FindCurve(kDir, StringToChars("sm"), 25.5, 37.0).heightFlag, 0);
    const CurveSearch high = FindCurve(kDir, StringToChars("sm"), 25.5, 40.0);
    EXPECT_EQ(high.curve, 3800);
    EXPECT_EQ(high.heightFlag, 2);
    const CurveSearch low = FindCurve(kDir, StringToChars("sm"), 25.5, 10.0);
    EXPECT_EQ(low.curve, 1400);
    EXPECT_EQ(low.heightFlag, 1);
    EXPECT_EQ(FindCurve(kDir, StringToChars("sm"), 5.0, 8.0).diameterFlag, 1);
    EXPECT_EQ(FindCurve(kDir, StringToChars("tp"), 130.0, 40.0).diameterFlag, 2);
    EXPECT_EQ(FindCurve(kDir, StringToChars("bk"), 102.0, 30.0).diameterFlag, 0);
    EXPECT_EQ(FindCurve(kDir, StringToChars("ak"), 30.0, 20.0).curve, 0);
}

} // namespace
