#include "TextUtils.h"
#include "RivwoodError.h"
#include "StandCode.h"

#include <gtest/gtest.h>

TEST(TextUtils, ThreeCharacterCodesArePaddedAndTrimmed) {
    const Kod3 sm = StringToChars("SM");
    EXPECT_EQ(sm.c[0], 'S');
    EXPECT_EQ(sm.c[1], 'M');
    EXPECT_EQ(sm.c[2], ' ');
    EXPECT_EQ(CharsToString(sm), "SM");
    EXPECT_EQ(CharsToString(StringToChars("")), "");
    Kod3 ctl;
    ctl.c = {'\t', 'O', '\0'};
    EXPECT_EQ(CharsToString(ctl), "O");
    EXPECT_THROW(StringToChars("ABCD"), RangeError);
}

TEST(TextUtils, SmallHelpers) {
    EXPECT_EQ(TrimSet("  a b \t "), "a b \t");
    EXPECT_EQ(NamePart(" SM = Smrk=x"), "SM");
    EXPECT_EQ(ValuePart(" SM = Smrk=x"), "Smrk=x");
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_TRUE(IsBlank(""));
    EXPECT_FALSE(IsBlank(" x "));
    EXPECT_EQ(ToNumber(" 25,5 ", -1), 25.5);
    EXPECT_EQ(ToNumber("25.5", -1), 25.5);
    EXPECT_EQ(ToNumber("abc", -1), -1);
    EXPECT_EQ(ToNumber("", 7), 7);
    EXPECT_EQ(ToInteger(" 12 ", 0), 12);
    EXPECT_EQ(ToInteger("1.5", 4), 4);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(FormatNumber("%8.4g", 25.495), "    25.5");
}

TEST(StandCode, SixtyEightCharactersSplitBackAtTheSameWidths) {
    const QString code = MakeStandCode(" Morava ", "L", "12,5", "Obnova 2026");
    ASSERT_EQ(code.size(), 68);
    EXPECT_EQ(code.left(20), QString("Morava").leftJustified(20));
    EXPECT_EQ(code.mid(20, 2), "L ");
    const StandCodeParts p = SplitStandCode(code);
    EXPECT_EQ(p.river, "Morava");
    EXPECT_EQ(p.bank, "L");
    EXPECT_EQ(p.riverKm, "12,5");
    EXPECT_EQ(p.action, "Obnova 2026");

    const QString longRiver = MakeStandCode("Labe u Ústí nad Labem a dál", "", "", "");
    EXPECT_EQ(longRiver.size(), 68);
    EXPECT_EQ(longRiver.left(20), "Labe u Ústí nad Labe");

    const StandCodeParts shortText = SplitStandCode("Dyje");
    EXPECT_EQ(shortText.river, "Dyje");
    EXPECT_TRUE(shortText.bank.isEmpty() && shortText.riverKm.isEmpty() && shortText.action.isEmpty());
}
