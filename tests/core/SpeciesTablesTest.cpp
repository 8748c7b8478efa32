#include "SpeciesTables.h"

#include <gtest/gtest.h>

using namespace SpeciesTables;

TEST(SpeciesTables, MasterOrderAndDerivedLists) {
    const QStringList& abbr = DrevZkratky();
    ASSERT_EQ(abbr.size(), 81);
    EXPECT_EQ(abbr.first(), "OL");
    EXPECT_EQ(abbr[12], "SM");
    EXPECT_EQ(abbr.last(), "KR");
    const QStringList jako = DrevJako();
    ASSERT_EQ(jako.size(), 81);
    EXPECT_EQ(jako[0], "ol");
    EXPECT_EQ(jako[4], "db"); // VR computes by oak curves
    EXPECT_EQ(DistinctCurveSpecies().mid(0, 5), (QStringList{"ol", "tp", "db", "js", "bk"}));
    QStringList curves = DistinctCurveSpecies();
    curves.sort();
    EXPECT_EQ(curves, (QStringList{"bk", "bo", "br", "db", "hb", "jd", "js", "md", "ol", "os", "sm", "tp"}));
    QStringList tables = DistinctTableSpecies();
    EXPECT_EQ(tables.size(), 14);
    EXPECT_TRUE(tables.contains("ker") && tables.contains("dg") && tables.contains("ak"));
}

TEST(SpeciesTables, LookUpsIgnoreCaseAndTrimValues) {
    EXPECT_EQ(SpeciesName("sm"), "Smrk ztepilý");
    EXPECT_EQ(SpeciesName(" olS "), "Olše šedá");
    EXPECT_EQ(CurveSpeciesOf("dg"), "jd");
    EXPECT_EQ(TableSpeciesOf("DG"), "dg");
    EXPECT_EQ(SpeciesCode("dbz"), 42);
    EXPECT_TRUE(IsConifer("BOP")) << "a value with a trailing blank is still conifer";
    EXPECT_TRUE(IsConifer("sm"));
    EXPECT_FALSE(IsConifer("BK"));
    EXPECT_FALSE(IsConifer("XYZ"));
}

TEST(SpeciesTables, KeysThatOnlySomeListsHold) {
    EXPECT_EQ(SpeciesName("LPP"), "Lípa plstnatá");
    EXPECT_EQ(SpeciesCode("LPP"), 0);
    EXPECT_EQ(TableSpeciesOf("LPP"), "bk");
    for (const char* k : {"LPS", "SOJ", "SOL"})
        EXPECT_TRUE(SpeciesName(k).isEmpty()) << k;
    EXPECT_EQ(SpeciesCode("LPS"), 82);
    EXPECT_EQ(SpeciesCode("SOJ"), 38);
    EXPECT_EQ(TableSpeciesOf("SOL"), "db");
    EXPECT_EQ(TableSpeciesOf("LPS"), "");
    EXPECT_EQ(DrevKod().size(), 83);
    EXPECT_EQ(DrevTab().size(), 83);
    EXPECT_FALSE(DrevZkratky().contains("SOJ"));
}
