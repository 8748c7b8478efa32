#include "JhkFileReader.h"
#include "JhkFileBuilder.h"
#include "RivwoodError.h"
#include "TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

JhkTestStand standOf(int width, int elements, int species = 2) {
    JhkTestStand s;
    s.name = "Břehový porost u jezu";
    s.designation = "Svratka";
    s.date = "12.5.2026";
    s.area = 8450;
    const char* names[] = {"SM", "OL", "JS"};
    for (int i = 0; i < species; ++i)
        s.species.push_back(MakeSpecies(names[i], width, elements));
    return s;
}

// A session holding one recorded species, to see whether a rejected file touches it.
StandSession previousSession() {
    StandSession s;
    s.stand.name = "Předchozí";
    s.stand.comment = "stará poznámka";
    s.work.KodDreviny = StringToChars("BK");
    s.work.Cetnosti[4] = 3;
    s.RecordWorkingCopy(81, false);
    return s;
}

JhkFileReader::Result read(const QByteArray& data, StandSession& s) {
    return JhkFileReader::ReadJhkData(data, "POROST.JHK", s);
}

} // namespace

TEST(JhkFileReader, Version3WithWidthTwoLoadsEverySpecies) {
    StandSession s = previousSession();
    const auto r = read(BuildJhkV3(standOf(2, 98)), s);
    EXPECT_TRUE(r.loaded);
    EXPECT_TRUE(r.messages.empty());
    ASSERT_EQ(s.stand.count(), 2);
    EXPECT_EQ(s.stand.name, "Břehový porost u jezu");
    EXPECT_EQ(s.stand.date, "12.5.2026");
    EXPECT_EQ(s.stand.area, 8450);
    EXPECT_EQ(s.stand.river, "Svratka");
    EXPECT_TRUE(s.stand.comment.isEmpty());
    EXPECT_EQ(s.layout.SirkaStupne, 2);
    EXPECT_EQ(s.layout.StredPrvniho, 8);
    EXPECT_EQ(s.layout.PocetStupnu, 97);
    const TManual225& sm = s.stand.at(0);
    EXPECT_EQ(CharsToString(sm.curveSpecies), "sm");
    EXPECT_EQ(sm.meanDiameter, 25.5);
    EXPECT_EQ(sm.curve, 2400);
    EXPECT_EQ(sm.firstCentre, 8);
    ASSERT_EQ(sm.classes.size(), 98u);
    EXPECT_EQ(sm.classes[3].trees, 3);
    EXPECT_EQ(s.stand.abbreviationAt(1), "OL");
    // The working copy still holds what was there before.
    EXPECT_EQ(CharsToString(s.work.KodDreviny), "BK");
}

TEST(JhkFileReader, Version3WrongElementCountRejectsSpeciesBySpecies) {
    StandSession s = previousSession();
    const auto r = read(BuildJhkV3(standOf(2, 97)), s);
    EXPECT_TRUE(r.loaded);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].text, "POROST.JHK\rnení datový soubor JHK ");
    EXPECT_EQ(r.messages[0].kind, UserMessage::Error);
    EXPECT_EQ(s.stand.count(), 0);
    EXPECT_EQ(s.layout.SirkaStupne, 4);
    EXPECT_EQ(s.layout.StredPrvniho, 10);

    // A bad species in the middle is skipped and the next one still reads.
    JhkTestStand mixed = standOf(4, 50, 3);
    mixed.species[1] = MakeSpecies("OL", 4, 30);
    const auto m = read(BuildJhkV3(mixed), s);
    EXPECT_EQ(m.messages.size(), 1u);
    ASSERT_EQ(s.stand.count(), 2);
    EXPECT_EQ(s.stand.abbreviationAt(1), "JS");
}

TEST(JhkFileReader, RejectedFilesLeaveTheStandUntouched) {
    const StandSession before = previousSession();
    auto check = [&](const QByteArray& data, const QString& message) {
        StandSession s = previousSession();
        const auto r = read(data, s);
        EXPECT_FALSE(r.loaded);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text, message);
        EXPECT_EQ(s.stand, before.stand);
        EXPECT_EQ(s.layout, before.layout);
    };
    JhkTestStand none = standOf(4, 50);
    none.declaredSpecies = 0;
    check(BuildJhkV3(none), "POROST.JHK\rneobsahuje data JHK ");
    JhkTestStand v4 = standOf(4, 50);
    v4.version = 4.0;
    check(BuildJhkV3(v4), "POROST.JHK\rnení datový soubor JHK ");
    JhkTestStand sig = standOf(4, 50);
    sig.signature = "XYZ";
    check(BuildJhkV3(sig), "POROST.JHK\rnení datový soubor JHK ");
    check(BuildJhkV3(standOf(4, 50)).left(60), "POROST.JHK\rnení datový soubor JHK ");
}

TEST(JhkFileReader, TruncatedVersion3KeepsCompleteSpeciesWithAWarning) {
    StandSession s;
    const QByteArray full = BuildJhkV3(standOf(4, 50));
    const auto r = read(full.left(full.size() - 10), s);
    EXPECT_TRUE(r.loaded);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, " Konec datového souboru ");
    EXPECT_EQ(r.messages[0].kind, UserMessage::Warning);
    ASSERT_EQ(s.stand.count(), 1);
    EXPECT_EQ(s.stand.at(0).classes.size(), 50u);
}

TEST(JhkFileReader, OldVersionsLoadTheSameStandAndTheFirstSpecies) {
    JhkTestStand old = standOf(4, 22);
    old.version = 1.0;
    StandSession s1;
    const auto r1 = read(BuildJhkOld(old, 1), s1);
    old.version = 2.0;
    StandSession s2;
    const auto r2 = read(BuildJhkOld(old, 2), s2);
    EXPECT_TRUE(r1.loaded && r2.loaded);
    EXPECT_TRUE(r1.messages.empty() && r2.messages.empty());
    EXPECT_EQ(s1.stand, s2.stand);
    ASSERT_EQ(s1.stand.count(), 2);
    const TManual225& sm = s1.stand.at(0);
    EXPECT_EQ(sm.classWidth, 4);
    EXPECT_EQ(sm.firstCentre, 10);
    ASSERT_EQ(sm.classes.size(), 50u) << "old tallies fill the 4 cm / 10 cm layout";
    EXPECT_EQ(sm.classes[1].centre, 10);
    EXPECT_EQ(sm.classes[21].centre, 90);
    EXPECT_EQ(sm.classes[3].trees, 3);
    EXPECT_EQ(sm.classes[0].trees, old.species[0].classes[0][1]);
    EXPECT_TRUE(IsBlank(CharsToString(sm.curveSpecies)));
    // The first species is in the working copy.
    EXPECT_EQ(CharsToString(s1.work.KodDreviny), "SM");
    EXPECT_EQ(s1.work.Cetnosti[3], 3);
}

TEST(JhkFileReader, TruncatedOldFileKeepsTheRecordsReadSoFar) {
    JhkTestStand old = standOf(4, 22, 3);
    old.version = 2.0;
    const QByteArray full = BuildJhkOld(old, 2);
    StandSession s;
    const auto r = read(full.left(427 * 3 + 100), s);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, " Konec datového souboru ");
    EXPECT_EQ(s.stand.count(), 2);
}

TEST(JhkFileReader, GarbageNeverCrashesAndAFailedReadChangesNothing) {
    QRandomGenerator rng(20261208);
    const QByteArray valid = BuildJhkV3(standOf(4, 50));
    for (int i = 0; i < 3000; ++i) {
        QByteArray data = valid;
        const int flips = 1 + int(rng.bounded(8));
        for (int f = 0; f < flips; ++f)
            data[int(rng.bounded(quint32(data.size())))] = char(rng.bounded(256));
        if (i % 3 == 0)
            data.truncate(int(rng.bounded(quint32(data.size()))));
        StandSession s = previousSession();
        const StandSession before = s;
        const auto r = read(data, s);
        if (!r.loaded) {
            EXPECT_EQ(s.stand, before.stand);
        }
        for (int k = 0; k < s.stand.count(); ++k)
            EXPECT_EQ(s.stand.at(k).classes.size(), size_t(s.stand.at(k).classCount));
    }
}

TEST(JhkFileReader, MissingFileIsAnInputOutputError) {
    StandSession s;
    EXPECT_THROW(JhkFileReader::ReadJhkFile("/nonexistent/x.JHK", s), IoError);
    QTemporaryDir dir;
    const QString path = dir.filePath("P.JHK");
    testsupport::writeFile(path, BuildJhkV3(standOf(4, 50)));
    EXPECT_TRUE(JhkFileReader::ReadJhkFile(path, s).loaded);
    EXPECT_EQ(s.stand.count(), 2);
}
