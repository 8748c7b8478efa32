// The generator's building blocks on cases the shipped data do not reach.
#include "CurveSegments.h"
#include "ReferenceFiles.h"
#include "RivwoodError.h"
#include "Rounding.h"
#include "VolumeRow.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Rounding, RoundsToNearestAndRefusesNearTies) {
    EXPECT_EQ(RoundWellSeparated(2.4), 2);
    EXPECT_EQ(RoundWellSeparated(2.6), 3);
    EXPECT_EQ(RoundWellSeparated(-1.3), -1);
    EXPECT_EQ(RoundWellSeparated(7.499998), 7);
    EXPECT_THROW(RoundWellSeparated(2.5), RangeError);
    EXPECT_THROW(RoundWellSeparated(3.4999995), RangeError);
    EXPECT_THROW(RoundWellSeparated(-0.5000004), RangeError);
    EXPECT_THROW(RoundWellSeparated(std::nan("")), RangeError);
    EXPECT_THROW(RoundWellSeparated(1e12), RangeError);
}

TEST(CurveSegments, OneSegmentPerBreakpointIntervalWithHeightsAndGains) {
    const auto segments = BuildCurveSegments(2400, {8, 10, 14}, [](int d) { return 100 + 5 * d; });
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].curve, 2400);
    EXPECT_EQ(segments[0].lower, 8);
    EXPECT_EQ(segments[0].upper, 10);
    EXPECT_EQ(segments[0].heightDm, 140);
    EXPECT_EQ(segments[0].gainDm, 10);
    EXPECT_EQ(segments[1].lower, 10);
    EXPECT_EQ(segments[1].upper, 14);
    EXPECT_EQ(segments[1].heightDm, 150);
    EXPECT_EQ(segments[1].gainDm, 20);
}

TEST(CurveSegments, SteepPiecesAreSplitUntilTheirGainFitsAByte) {
    // 100 dm per cm: 8..16 cm rises 800 dm and needs pieces of at most 2 cm.
    int calls = 0;
    const auto segments = BuildCurveSegments(1000, {8, 16}, [&](int d) {
        ++calls;
        return 100 * d;
    });
    ASSERT_EQ(segments.size(), 4u);
    for (size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].lower, 8 + 2 * int(i));
        EXPECT_EQ(segments[i].upper, 10 + 2 * int(i));
        EXPECT_EQ(segments[i].heightDm, 100 * segments[i].lower);
        EXPECT_EQ(segments[i].gainDm, 200);
    }
    EXPECT_GE(calls, 5);
}

TEST(CurveSegments, RefusesFallingCurvesAndUnrepresentablePieces) {
    EXPECT_THROW(BuildCurveSegments(1000, {8, 10}, [](int d) { return 300 - d; }), RangeError);
    EXPECT_THROW(BuildCurveSegments(1000, {8, 9}, [](int d) { return 300 * d; }), RangeError);
    EXPECT_THROW(BuildCurveSegments(1000, {10, 10}, [](int d) { return d; }), RangeError);
    EXPECT_THROW(BuildCurveSegments(1000, {250, 260}, [](int d) { return d; }), RangeError);
}

TEST(VolumeRow, StepsAccumulateRoundedVolumesWithoutDrift) {
    const std::vector<int> d = {8,  10, 12, 14, 16, 18, 20, 24, 28, 32, 36,
                                40, 44, 48, 52, 58, 64, 70, 78, 86, 94, 102};
    std::vector<double> v;
    for (int k = 0; k < 22; ++k)
        v.push_back(1.2 + 1.37 * k); // each step alone would round to 1
    const VolumeRow row = BuildVolumeRow(3000, d, v);
    EXPECT_EQ(row.curve, 3000);
    EXPECT_EQ(row.values[0], 1);
    const std::vector<double> read = ReadVolumeRow(d, row);
    for (int k = 0; k < 22; ++k)
        EXPECT_EQ(read[k], std::lround(v[k])) << k;
}

TEST(VolumeRow, StepTooLargeForAByteBecomesBasalAreaGrowthAndTheNextStepCatchesUp) {
    const std::vector<int> d = {8,  10, 12, 14, 16, 18, 20, 24, 28, 32, 36,
                                40, 44, 48, 52, 58, 64, 70, 78, 86, 94, 102};
    std::vector<double> v(22);
    v[0] = 100;
    v[1] = 400; // +300 does not fit
    for (int k = 2; k < 22; ++k)
        v[k] = v[k - 1] + 10;
    const VolumeRow row = BuildVolumeRow(1000, d, v);
    EXPECT_EQ(row.values[0], 100);
    EXPECT_EQ(row.values[1], 0);
    // The reader grows 100 by (10/8)^2 to 156.25; the next step brings it to 410.
    EXPECT_EQ(row.values[2], 254);
    const std::vector<double> read = ReadVolumeRow(d, row);
    EXPECT_DOUBLE_EQ(read[1], 156.25);
    EXPECT_DOUBLE_EQ(read[2], 410.25);
    for (int k = 3; k < 22; ++k)
        EXPECT_EQ(row.values[k], 10);
}

TEST(VolumeRow, FirstVolumeMustFitOneNonZeroByte) {
    const std::vector<int> d(22, 0);
    std::vector<double> v(22, 1.0);
    v[0] = 0.3;
    EXPECT_THROW(BuildVolumeRow(1000, d, v), RangeError);
    v[0] = 256;
    EXPECT_THROW(BuildVolumeRow(1000, d, v), RangeError);
    EXPECT_THROW(BuildVolumeRow(1000, d, std::vector<double>(21, 5.0)), RangeError);
}

TEST(ReferenceFiles, IndexRecordsPointAtTheRecordsOfEachSpecies) {
    SpeciesTables a{"sm ", {}, {}, {}}, b{"tp ", {}, {}, {}};
    for (int k = 0; k < 22; ++k) {
        a.diameters.push_back(8 + 2 * k);
        b.diameters.push_back(8 + 4 * k);
    }
    a.segments = {{1400, 8, 10, 55, 15}, {1400, 10, 50, 70, 100}};
    b.segments = {{2000, 8, 90, 60, 200}};
    a.rows.push_back({1400, {}});
    a.rows[0].values[0] = 2;
    b.rows.push_back({2000, {}});
    b.rows.push_back({2200, {}});

    const QByteArray kri = BuildCurveFile({a, b});
    ASSERT_EQ(kri.size(), 7 * (1 + 2 + 3));
    EXPECT_EQ(kri.left(7), QByteArray("\x02\0\0\0\0\0\0", 7));
    EXPECT_EQ(kri.mid(7, 7), QByteArray("sm \x03\0\x02\0", 7));
    EXPECT_EQ(kri.mid(14, 7), QByteArray("tp \x05\0\x01\0", 7));
    EXPECT_EQ(kri.mid(28, 7), QByteArray("\x78\x05\x0a\x32\x46\0\x64", 7));

    const QByteArray hmo = BuildVolumeFile({a, b});
    ASSERT_EQ(hmo.size(), 24 * (1 + 2 + 2 + 3));
    EXPECT_EQ(hmo.mid(24, 7), QByteArray("sm \x03\0\x01\0", 7));
    EXPECT_EQ(hmo.mid(48, 7), QByteArray("tp \x05\0\x02\0", 7));
    EXPECT_EQ(uint8_t(hmo[72 + 2]), 8);
    EXPECT_EQ(uint8_t(hmo[72 + 3]), 2);
    EXPECT_EQ(hmo.mid(96, 3), QByteArray("\x78\x05\x02", 3));
    EXPECT_EQ(uint8_t(hmo[120 + 3]), 4); // tp diameter row step
    EXPECT_EQ(hmo.mid(168, 2), QByteArray("\x98\x08", 2));

    // Fields too wide for their bytes are refused rather than truncated.
    a.segments[1].gainDm = 256;
    EXPECT_THROW(BuildCurveFile({a}), RangeError);
    a.segments[1].gainDm = 100;
    a.code = "sm";
    EXPECT_THROW(BuildCurveFile({a}), RangeError);
    b.diameters[5] = b.diameters[4] + 300;
    EXPECT_THROW(BuildVolumeFile({b}), RangeError);
}

} // namespace
