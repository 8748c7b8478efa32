#include "RivwoodError.h"
#include "StandSession.h"

#include <gtest/gtest.h>

namespace {

void fillWork(StandSession& s, const QString& abbr, double trees) {
    s.work.KodDreviny = StringToChars(abbr);
    s.work.KodJhkDle = StringToChars("sm");
    s.work.KodTabZasDle = StringToChars("sm");
    s.work.StrTloustka = 25.5;
    s.work.StrVyska = 22;
    s.work.CisloJhk100 = 2400;
    std::fill(s.work.Cetnosti.begin(), s.work.Cetnosti.end(), 0.0);
    s.work.Cetnosti[3] = trees;
    s.work.Cetnosti[0] = trees;
}

} // namespace

TEST(StandModel, NewSessionHasTheInitialStandAndLayout) {
    StandSession s;
    EXPECT_EQ(s.stand.area, 10000);
    EXPECT_EQ(s.stand.shrubArea, 0);
    EXPECT_FALSE(s.stand.summary);
    EXPECT_EQ(s.layout.PocetStupnu, 49);
    EXPECT_EQ(s.work.Cetnosti.size(), 50u);
    EXPECT_EQ(CharsToString(s.work.KodDreviny), "");
}

TEST(StandModel, SetClassLayoutResizesTheWorkingArrays) {
    StandSession s;
    s.SetClassLayout(3, 9);
    EXPECT_EQ(s.layout.PocetStupnu, 65);
    for (auto* v : {&s.work.Cetnosti, &s.work.ObjJednotky, &s.work.Objemy, &s.work.KruhoveZakladny})
        EXPECT_EQ(v->size(), 66u);
}

TEST(StandModel, RecordingAddsThenReplacesInPlaceKeepingOrder) {
    StandSession s;
    fillWork(s, "SM", 5);
    EXPECT_EQ(s.RecordWorkingCopy(81, false), StandSession::Recording::Appended);
    fillWork(s, "BK", 7);
    s.RecordWorkingCopy(81, false);
    ASSERT_EQ(s.stand.count(), 2);
    EXPECT_EQ(s.stand.abbreviationAt(0), "SM"); // listed without the padding space
    const TManual225& sm = s.stand.at(0);
    EXPECT_EQ(sm.abbreviation.c[2], ' ');
    EXPECT_EQ(sm.classCount, 50);
    EXPECT_EQ(sm.classes[1].centre, 10);
    EXPECT_EQ(sm.classes[3].centre, 18);
    EXPECT_EQ(sm.classes[3].trees, 5);
    EXPECT_EQ(sm.curve, 2400);

    fillWork(s, "SM", 9);
    EXPECT_EQ(s.RecordWorkingCopy(81, true), StandSession::Recording::Replaced);
    ASSERT_EQ(s.stand.count(), 2);
    EXPECT_EQ(s.stand.abbreviationAt(0), "SM");
    EXPECT_EQ(s.stand.at(0).classes[3].trees, 9);
    EXPECT_TRUE(s.stand.at(0).computed);
}

TEST(StandModel, AFullStandSkipsNewSpecies) {
    StandSession s;
    fillWork(s, "SM", 5);
    s.RecordWorkingCopy(1, false);
    fillWork(s, "BK", 5);
    EXPECT_EQ(s.RecordWorkingCopy(1, false), StandSession::Recording::Refused);
    EXPECT_EQ(s.stand.count(), 1);
}

TEST(StandModel, CurveNumberOutOfSixteenBitsIsARangeErrorAndChangesNothing) {
    StandSession s;
    fillWork(s, "SM", 5);
    s.RecordWorkingCopy(81, false);
    fillWork(s, "SM", 8);
    s.work.CisloJhk100 = 40000;
    EXPECT_THROW(s.RecordWorkingCopy(81, false), RangeError);
    EXPECT_EQ(s.stand.at(0).classes[3].trees, 5);
    EXPECT_EQ(s.stand.at(0).curve, 2400);
}

TEST(StandModel, SelectLoadAndDeleteSpecies) {
    StandSession s;
    fillWork(s, "SM", 5);
    s.work.TloustkaVypoctena = true;
    s.RecordWorkingCopy(81, true);
    s.ResetWorkingCopy();
    EXPECT_EQ(s.work.Cetnosti[3], 0);
    EXPECT_EQ(s.work.StrTloustka, 0);

    const TManual225* sm = s.SelectSpecies(StringToChars("sm"));
    ASSERT_NE(sm, nullptr) << "look-up ignores case";
    EXPECT_EQ(s.work.Cetnosti[3], 5);
    EXPECT_EQ(s.work.StrTloustka, 25.5);
    EXPECT_TRUE(s.work.TloustkaVypoctena);
    EXPECT_TRUE(sm->computed);
    EXPECT_EQ(s.SelectSpecies(StringToChars("BK")), nullptr);

    EXPECT_FALSE(s.DeleteSpecies(StringToChars("BK")));
    EXPECT_TRUE(s.DeleteSpecies(StringToChars("SM")));
    EXPECT_EQ(s.stand.count(), 0);
}

TEST(StandModel, ClearStandKeepsDesignationCommentAndCode) {
    StandSession s;
    s.stand.name = "Luh";
    s.stand.designation = "12a";
    s.stand.comment = "poznámka";
    s.stand.code = "X";
    s.stand.river = "Morava";
    s.stand.age = 40;
    s.stand.summary = true;
    fillWork(s, "SM", 5);
    s.RecordWorkingCopy(81, false);
    s.ClearStand();
    EXPECT_EQ(s.stand.count(), 0);
    EXPECT_TRUE(s.stand.name.isEmpty());
    EXPECT_TRUE(s.stand.river.isEmpty());
    EXPECT_EQ(s.stand.age, 0);
    EXPECT_EQ(s.stand.area, 0);
    EXPECT_FALSE(s.stand.summary);
    EXPECT_EQ(s.stand.designation, "12a");
    EXPECT_EQ(s.stand.comment, "poznámka");
    EXPECT_EQ(s.stand.code, "X");
}
