#include "JhkReference.h"
#include "ReferenceFileBuilder.h"
#include "RivwoodError.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Three sm curves over 10..50 cm, 40 dm apart at 10 cm and diverging (gain 100, 120, 140 dm).
std::vector<KriSpecies> family() {
    return {{"bk", {{1000, 10, 50, 100, 60}}},
            {"sm", {{1600, 10, 50, 100, 100}, {2000, 10, 50, 140, 120}, {2400, 10, 50, 180, 140}}}};
}

std::vector<HmoSpecies> tables() {
    HmoSpecies sm{"sm", 10, std::vector<int>(21, 2), {}};
    for (int curve : {1600, 2000, 2400})
        sm.rows.push_back({curve, 5, std::vector<int>(21, curve / 400)});
    return {sm};
}

class CurveSearch_ : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        WriteReferenceFiles(dir.path(), family(), tables());
    }
    CurveSearch find(const char* sp, double d, double h) {
        return FindCurve(dir.path(), StringToChars(sp), d, h);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CurveSearch_, NearestCurveAndItsVolumeRow) {
    // At 30 cm the curves stand at 15, 20 and 25 m.
    const CurveSearch r = find("sm", 30, 19.4);
    EXPECT_EQ(r.curve, 2000);
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(r.diameterFlag, 0);
    EXPECT_EQ(r.heightFlag, 0);
    EXPECT_EQ(r.diameterRow[2], 10);
    EXPECT_EQ(r.volumeRow[0] | (r.volumeRow[1] << 8), 2000);
    EXPECT_EQ(r.volumeRow[3], 5);
}

TEST_F(CurveSearch_, ExactTieTakesTheFirstRecord) {
    EXPECT_EQ(find("sm", 30, 17.5).curve, 1600);
    EXPECT_EQ(find("sm", 30, 22.5).curve, 2000);
}

TEST_F(CurveSearch_, HeightOutsideTheFamilyWithinTheSpacingIsNotFlagged) {
    // Spacing at 30 cm is 50 dm: 10.5 m is 45 dm below the lowest curve, 9.5 m is 55 dm below.
    EXPECT_EQ(find("sm", 30, 10.5).heightFlag, 0);
    const CurveSearch low = find("sm", 30, 9.5);
    EXPECT_EQ(low.heightFlag, 1);
    EXPECT_EQ(low.curve, 1600);
    const CurveSearch high = find("sm", 30, 31);
    EXPECT_EQ(high.heightFlag, 2);
    EXPECT_EQ(high.curve, 2400);
}

TEST_F(CurveSearch_, DiameterOutsideTheFamilyIsClampedAndFlagged) {
    // At 10 cm the curves stand at 10, 14 and 18 m; 5 cm is raised to 10 cm.
    const CurveSearch below = find("sm", 5, 14.1);
    EXPECT_EQ(below.diameterFlag, 1);
    EXPECT_EQ(below.curve, 2000);
    const CurveSearch above = find("sm", 80, 32);
    EXPECT_EQ(above.diameterFlag, 2);
    EXPECT_EQ(above.curve, 2400); // at 50 cm: 20, 26, 32 m
}

TEST_F(CurveSearch_, SpeciesMissingInOneFileGivesCurveZero) {
    const CurveSearch bk = find("bk", 30, 13); // in JHK.KRI only
    EXPECT_EQ(bk.curve, 0);
    EXPECT_EQ(bk.volumeRow, JhkRow{});
    const CurveSearch none = find("xx", 30, 13);
    EXPECT_EQ(none.curve, 0);
    EXPECT_EQ(none.rows, 0);
    EXPECT_EQ(VolumeFromTable(none.diameterRow, none.volumeRow, 30).volume, 0);
}

TEST_F(CurveSearch_, MissingOrTruncatedFilesAreInputOutputErrors) {
    QByteArray kri = BuildKri(family());
    testsupport::writeFile(dir.filePath("JHK.KRI"), kri.left(kri.size() - 3));
    EXPECT_THROW(find("sm", 30, 20), IoError);
    testsupport::writeFile(dir.filePath("JHK.KRI"), QByteArray());
    EXPECT_THROW(find("sm", 30, 20), IoError);
    QFile::remove(dir.filePath("JHK.KRI"));
    EXPECT_THROW(find("sm", 30, 20), IoError);
}

TEST_F(CurveSearch_, GarbageIndexRecordsNeverReadOutsideTheFile) {
    QByteArray kri = BuildKri(family());
    kri[7 * 2 + 3] = char(0xFF); // sm's first segment record number -> negative
    kri[7 * 2 + 4] = char(0xFF);
    testsupport::writeFile(dir.filePath("JHK.KRI"), kri);
    EXPECT_THROW(find("sm", 30, 20), IoError);
    kri = BuildKri(family());
    kri[7 * 2 + 5] = char(0x7F); // huge segment count
    testsupport::writeFile(dir.filePath("JHK.KRI"), kri);
    EXPECT_THROW(find("sm", 30, 20), IoError);
}

// A curve's line for the height chart: the ends of its segments in metres, in diameter order.
TEST_F(CurveSearch_, CurveLineOfOneCurve) {
    WriteReferenceFiles(
        dir.path(), {{"sm", {{2000, 30, 50, 200, 20}, {1600, 10, 50, 100, 100}, {2000, 10, 30, 140, 60}}}},
        tables());
    EXPECT_EQ(CurveLine(dir.path(), StringToChars("sm"), 2000),
              (std::vector<CurvePoint>{{10, 14}, {30, 20}, {50, 22}}));
    EXPECT_TRUE(CurveLine(dir.path(), StringToChars("sm"), 2400).empty());
    EXPECT_TRUE(CurveLine(dir.path(), StringToChars("xx"), 2000).empty());
}
