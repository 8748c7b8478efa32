#include "ClassLayout.h"
#include "RivwoodError.h"

#include <gtest/gtest.h>

TEST(ClassLayout, CountsForEachOfferedWidthHalvesToEven) {
    EXPECT_EQ(ClassLayout::ClassCount(4, 10), 49);
    EXPECT_EQ(ClassLayout::ClassCount(2, 8), 97);
    EXPECT_EQ(ClassLayout::ClassCount(1, 8), 193);
    EXPECT_EQ(ClassLayout::ClassCount(3, 9), 65);
    // (200 - 7) / 2 = 96.5 rounds to the even 96; (200 - 9) / 2 = 95.5 rounds to 96 as well.
    EXPECT_EQ(ClassLayout::ClassCount(2, 7), 97);
    EXPECT_EQ(ClassLayout::ClassCount(2, 9), 97);
    // (200 - 10) / 4 = 47.5 -> 48 (even), (200 - 8) / 4 = 48 exactly.
    EXPECT_EQ(ClassLayout::ClassCount(4, 8), 49);
}

TEST(ClassLayout, DefaultFirstCentreByWidth) {
    EXPECT_EQ(ClassLayout::DefaultFirstCentre(1), 8);
    EXPECT_EQ(ClassLayout::DefaultFirstCentre(2), 8);
    EXPECT_EQ(ClassLayout::DefaultFirstCentre(3), 9);
    EXPECT_EQ(ClassLayout::DefaultFirstCentre(4), 10);
    EXPECT_EQ(ClassLayout::DefaultFirstCentre(5), 10);
}

TEST(ClassLayout, InvalidWidthIsARangeErrorNotADivisionByZero) {
    EXPECT_THROW(ClassLayout::ClassCount(0, 10), RangeError);
    EXPECT_THROW(ClassLayout::ClassCount(-4, 10), RangeError);
    EXPECT_EQ(ClassLayout::ClassCount(4, 500), 1); // first centre beyond 200 cm leaves one class
}
