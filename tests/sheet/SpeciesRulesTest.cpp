#include "SheetFixture.h"
#include "TextUtils.h"

namespace {

class SpeciesRules : public SheetFixture {
  protected:
    void record(const QString& abbreviation, const QString& trees) {
        add(abbreviation);
        counts(0, {trees});
        sheet.meanStem().record();
        commands();
    }
    QString shown() const { return sheet.view().speciesText(); }
};

} // namespace

TEST_F(SpeciesRules, AddingSetsGroupsAndIgnoresDuplicates) {
    add("VR");
    EXPECT_EQ(shown(), "VR");
    EXPECT_EQ(sheet.view().curveSpecies, "db");
    EXPECT_EQ(sheet.view().tableSpecies, "tp");
    EXPECT_TRUE(flags().JeNovaDrevina);
    EXPECT_FALSE(flags().PoStartu);
    EXPECT_FALSE(flags().Ulozeno);
    // The species on display is not recorded: nothing is added.
    EXPECT_FALSE(sheet.commands().novaDrevinaPovolena);
    add("OL");
    EXPECT_EQ(sheet.view().species.size(), 1);
    counts(0, {"2"});
    sheet.meanStem().record();
    // A species already in the stand is ignored, in any letter case.
    add("vr");
    EXPECT_EQ(sheet.view().species.size(), 1);
    add("OL");
    EXPECT_EQ(shown(), "OL");
    EXPECT_EQ(sheet.view().curveSpecies, "ol");
    EXPECT_EQ(sheet.view().tableSpecies, "ol");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SpeciesRules, SwitchingShowsTheSpeciesPicked) {
    record("SM", "4");
    record("BK", "9");
    sheet.pickSpecies(0);
    EXPECT_EQ(count(0), "4");
    EXPECT_FALSE(flags().JeNovaDrevina);
    sheet.pickSpecies(1);
    EXPECT_EQ(count(0), "9");
    // A recorded species with an empty tally: the species picked is still shown.
    counts(0, {"0"});
    sheet.meanStem().record();
    ASSERT_FALSE(flags().VyplneneCetnosti);
    sheet.pickSpecies(0);
    EXPECT_EQ(CharsToString(session.work.KodDreviny), "SM");
    EXPECT_EQ(count(0), "4");
}

TEST_F(SpeciesRules, RestoringAsksAndReloads) {
    record("SM", "4");
    counts(0, {"7"});
    ASSERT_TRUE(commands().zeZaznamu);
    answer(false);
    sheet.meanStem().restoreRecorded();
    EXPECT_EQ(messages(), QStringList{"? Návrat k původním údajům.\nMají se provedené změny zrušit ?"});
    EXPECT_EQ(count(0), "7");
    answer(true);
    sheet.meanStem().restoreRecorded();
    EXPECT_EQ(count(0), "4");
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_FALSE(flags().ZmenaCetnosti);
}

TEST_F(SpeciesRules, DeletingMiddleLastAndOnly) {
    record("SM", "1");
    record("BK", "2");
    record("OL", "3");
    sheet.pickSpecies(1);
    answer(false);
    sheet.deleteSpecies();
    EXPECT_EQ(sheet.view().species.size(), 3) << "No keeps the species";
    answer(true);
    sheet.deleteSpecies();
    ASSERT_EQ(sheet.view().species.size(), 2);
    EXPECT_EQ(shown(), "OL") << "the following species is shown";
    EXPECT_EQ(count(0), "3");
    EXPECT_EQ(session.stand.count(), 2);
    EXPECT_FALSE(flags().Ulozeno);
    answer(true);
    sheet.deleteSpecies();
    EXPECT_EQ(shown(), "SM") << "after the last one the new last";
    EXPECT_EQ(count(0), "1");
    answer(true);
    sheet.deleteSpecies();
    EXPECT_TRUE(sheet.view().species.isEmpty());
    EXPECT_EQ(session.stand.count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(count(0).isEmpty());
    EXPECT_TRUE(sheet.view().speciesName.isEmpty());
    EXPECT_TRUE(sheet.view().curveSpecies.isEmpty());
    const SheetCommands c = commands();
    EXPECT_TRUE(c.layoutCombos);
    EXPECT_TRUE(c.novaDrevina);
}

TEST_F(SpeciesRules, NewStandAsksOnlyWhenUnsaved) {
    // Without species only the header is cleared.
    sheet.setHeader(SheetHeader::River, "Morava");
    sheet.newStand();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(sheet.view().river.isEmpty());
    EXPECT_TRUE(session.stand.river.isEmpty());

    record("SM", "4");
    answer(false);
    sheet.newStand();
    EXPECT_EQ(messages(), QStringList{"? Chcete opravdu zrušit všechny dřeviny ?"});
    EXPECT_EQ(sheet.view().species.size(), 1);
    answer(true);
    sheet.newStand();
    EXPECT_TRUE(sheet.view().species.isEmpty());
    EXPECT_EQ(session.stand.count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_TRUE(flags().Ulozeno);
}
