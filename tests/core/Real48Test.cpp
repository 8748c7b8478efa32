#include "Real48.h"
#include "RivwoodError.h"

#include <gtest/gtest.h>

TEST(Real48, ThreeIsStoredAsWritten) {
    const Real48Bytes b = DoubleToReal48(3.0);
    const Real48Bytes expected = {0x82, 0, 0, 0, 0, 0x40};
    EXPECT_EQ(b, expected);
    EXPECT_EQ(Real48ToDouble(expected.data()), 3.0);
}

TEST(Real48, DecodesSignZeroAndFractions) {
    const std::uint8_t zero[6] = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // exponent 0 means 0 whatever follows
    EXPECT_EQ(Real48ToDouble(zero), 0.0);
    const std::uint8_t minusOne[6] = {0x81, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(Real48ToDouble(minusOne), -1.0);
    const std::uint8_t half[6] = {0x80, 0, 0, 0, 0, 0};
    EXPECT_EQ(Real48ToDouble(half), 0.5);
    for (double v : {25.5, 22.0, 10000.0, -7.25, 0.001, 123456.789})
        EXPECT_NEAR(RoundToReal48(v), v, std::abs(v) * 1e-11) << v;
}

TEST(Real48, RoundsToThirtyNineBitsAndRefusesHugeValues) {
    const double v = 1.0 + 1.0 / (1LL << 45); // below the format's resolution
    EXPECT_EQ(RoundToReal48(v), 1.0);
    EXPECT_THROW(DoubleToReal48(1e300), RangeError);
    EXPECT_EQ(RoundToReal48(1e-300), 0.0);
}
