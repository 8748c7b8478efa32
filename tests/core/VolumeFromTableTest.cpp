#include "JhkReference.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

JhkRow row(int first, std::vector<int> steps, int curve = 0) {
    JhkRow r{};
    r[0] = std::uint8_t(curve & 0xFF);
    r[1] = std::uint8_t(curve >> 8);
    r[2] = std::uint8_t(first);
    for (size_t k = 0; k < steps.size(); ++k)
        r[3 + k] = std::uint8_t(steps[k]);
    return r;
}

double g(double x) {
    return std::numbers::pi * (x / 200) * (x / 200);
}

// Diameters 8, 12, 16, … (steps of 4); volumes 2, 5, 9, 14, … hundredths.
const JhkRow D = row(8, std::vector<int>(21, 4));
const JhkRow V = row(2, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23});

} // namespace

TEST(VolumeFromTable, TabulatedPointsAndInterpolation) {
    EXPECT_DOUBLE_EQ(VolumeFromTable(D, V, 8).volume, 0.02);
    EXPECT_DOUBLE_EQ(VolumeFromTable(D, V, 12).volume, 0.05);
    EXPECT_DOUBLE_EQ(VolumeFromTable(D, V, 16).volume, 0.09);
    EXPECT_DOUBLE_EQ(VolumeFromTable(D, V, 14).volume, 0.07);
    EXPECT_EQ(VolumeFromTable(D, V, 14).flag, 0);
}

TEST(VolumeFromTable, BelowTheTableExtrapolatesAlongTheFirstStep) {
    const TableVolume two = VolumeFromTable(D, V, 6); // exactly 2 cm below: no flag
    EXPECT_EQ(two.flag, 0);
    EXPECT_DOUBLE_EQ(two.volume, (2 + (6 - 8) * 3.0 / 4) / 100);
    const TableVolume far = VolumeFromTable(D, V, 5);
    EXPECT_EQ(far.flag, 1);
    EXPECT_DOUBLE_EQ(far.volume, (2 + (5 - 8) * 3.0 / 4) / 100);
}

TEST(VolumeFromTable, ZeroStepGrowsWithBasalArea) {
    const JhkRow v = row(2, {3, 0, 5});
    // 12 cm: 5; 16 cm: 5 * g(16)/g(12); 20 cm: that + 5.
    const double at16 = 5 * g(16) / g(12);
    EXPECT_NEAR(VolumeFromTable(D, v, 16).volume, at16 / 100, 1e-15);
    EXPECT_NEAR(VolumeFromTable(D, v, 14).volume, (5 + 2 * (at16 - 5) / 4) / 100, 1e-15);
    EXPECT_NEAR(VolumeFromTable(D, v, 20).volume, (at16 + 5) / 100, 1e-15);
}

TEST(VolumeFromTable, BeyondTheLastDiameterGrowsWithBasalAreaAndFlags) {
    const double last = 8 + 21 * 4; // 92 cm
    double vLast = 2;
    for (int s = 3; s <= 23; ++s)
        vLast += s;
    const TableVolume at = VolumeFromTable(D, V, last);
    EXPECT_EQ(at.flag, 0);
    EXPECT_DOUBLE_EQ(at.volume, vLast / 100);
    const TableVolume beyond = VolumeFromTable(D, V, 100);
    EXPECT_EQ(beyond.flag, 2);
    EXPECT_NEAR(beyond.volume, vLast / g(last) * g(100) / 100, 1e-12);
}

TEST(VolumeFromTable, DegenerateRowsGiveNumbersNotNaN) {
    const JhkRow zeros{};
    EXPECT_EQ(VolumeFromTable(zeros, zeros, 30).volume, 0);
    const JhkRow d0 = row(0, {0, 0});
    EXPECT_TRUE(std::isfinite(VolumeFromTable(d0, row(5, {}), 30).volume));
}
