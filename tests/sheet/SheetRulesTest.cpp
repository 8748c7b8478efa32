#include "SheetFixture.h"
#include "TextUtils.h"

namespace {

struct Enabled {
    bool vypocet, tloustka, speciesCombo, grid, novaDrevina, zaznam, zeZaznamu, souhrn, dataInput, layout;
};

void expectEnabled(const SheetCommands& c, const Enabled& e, const char* state) {
    SCOPED_TRACE(state);
    EXPECT_EQ(c.vypocet, e.vypocet);
    EXPECT_EQ(c.tloustka, e.tloustka);
    EXPECT_EQ(c.speciesCombo, e.speciesCombo);
    EXPECT_EQ(c.groupCombos, e.grid);
    EXPECT_EQ(c.novaDrevina, e.novaDrevina);
    EXPECT_EQ(c.zaznam, e.zaznam);
    EXPECT_EQ(c.zeZaznamu, e.zeZaznamu);
    EXPECT_EQ(c.souhrn, e.souhrn);
    EXPECT_EQ(c.dataInput, e.dataInput);
    EXPECT_EQ(c.layoutCombos, e.layout);
}

} // namespace

// The refresh along the workflow: what can be used in each state.
TEST_F(SheetFixture, RefreshFollowsTheWorkflow) {
    SheetCommands c = commands();
    expectEnabled(c, {false, false, false, false, true, false, false, false, true, true}, "after start");
    EXPECT_FALSE(c.ulozeno) << "an empty stand is not shown as stored";
    EXPECT_TRUE(c.sKomentarem);

    add("OL");
    expectEnabled(commands(), {false, false, false, true, false, true, true, false, false, false}, "added");
    EXPECT_EQ(sheet.view().curveSpecies, "ol");
    EXPECT_EQ(sheet.view().tableSpecies, "ol");
    EXPECT_EQ(takeFocus(), SheetFocus::Grid);

    counts(3, {"4", "6"});
    expectEnabled(commands(), {false, true, false, true, false, true, true, false, false, false}, "counts");
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(takeFocus(), SheetFocus::Height);
    expectEnabled(commands(), {false, true, false, true, false, true, true, false, false, false}, "diameter");
    typeHeight("15");
    expectEnabled(commands(), {true, true, false, true, false, true, true, false, false, false}, "height");

    sheet.meanStem().computeStock();
    EXPECT_EQ(takeFocus(), SheetFocus::Zaznam);
    c = commands();
    EXPECT_TRUE(c.vypocteno);
    EXPECT_FALSE(c.zaznamenano);
    sheet.meanStem().record();
    // "Záznam" stays usable while the edits of the species are marked.
    c = commands();
    expectEnabled(c, {true, true, true, true, true, true, false, true, false, false}, "recorded");
    EXPECT_TRUE(c.zaznamenano);
    EXPECT_FALSE(c.ulozeno);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SheetFixture, ClassLayout) {
    ASSERT_EQ(sheet.view().rows.size(), 49u);
    EXPECT_EQ(cell(48, 1), "202");
    EXPECT_EQ(cell(0, 0), "31.4");
    sheet.setClassWidth("1");
    EXPECT_EQ(sheet.view().firstText, "8");
    EXPECT_EQ(sheet.view().rows.size(), 193u);
    EXPECT_EQ(cell(192, 1), "200");
    sheet.setClassWidth("3");
    EXPECT_EQ(sheet.view().firstText, "9");
    sheet.setClassWidth("4");
    sheet.setFirstCentre("7");
    EXPECT_EQ(cell(48, 1), "199");
    sheet.setClassWidth("4");
    EXPECT_EQ(sheet.view().firstText, "7") << "the same width again changes nothing";
    EXPECT_TRUE(messages().isEmpty());

    // No usable class count: refused, the combos show the layout in use.
    sheet.setClassWidth("0");
    sheet.setFirstCentre("250");
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(sheet.view().widthText, "4");
    EXPECT_EQ(sheet.view().firstText, "7");
    // A text that is no integer falls back to width 4 and first centre 10.
    sheet.setClassWidth("x");
    EXPECT_EQ(sheet.view().widthText, "4");
    EXPECT_EQ(sheet.view().firstText, "10");

    add("SM");
    EXPECT_FALSE(commands().layoutCombos);
}

TEST_F(SheetFixture, CountEntry) {
    add("SM");
    counts(0, {"5"});
    sheet.meanStem().record();
    ASSERT_TRUE(flags().Zaznamenano);

    // Retyping the same text changes nothing.
    counts(0, {"5"});
    EXPECT_TRUE(flags().Zaznamenano);

    // Another text clears the recorded, computed and saved state; negative counts add up.
    counts(1, {"-2"});
    EXPECT_FALSE(flags().Zaznamenano);
    EXPECT_FALSE(flags().Vypocteno);
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_TRUE(flags().ZmenaCetnosti);
    EXPECT_EQ(sheet.view().totals[2], "3");

    // A text that is no integer counts 0 and stays in its cell; it is reported once, with its row
    // from 0, the text and the class, however often the counts are summed again (leaving the grid,
    // "Tloušťka").
    counts(0, {"abc"});
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(messages(), QStringList{" chyba 0: „abc“ není počet stromů (stupeň 10 cm)"});
    EXPECT_EQ(count(0), "abc");
    EXPECT_EQ(session.work.Cetnosti[1], 0);
    EXPECT_EQ(sheet.view().totals[2], "-2");
    EXPECT_FALSE(flags().VyplneneCetnosti);
    // A second bad cell is reported alone; a new bad text in the first cell again.
    counts(11, {"1x5"});
    EXPECT_EQ(messages(), QStringList{" chyba 11: „1x5“ není počet stromů (stupeň 54 cm)"});
    counts(0, {"abd"});
    EXPECT_EQ(messages(), QStringList{" chyba 0: „abd“ není počet stromů (stupeň 10 cm)"});

    // All zero: empty total, and no mean stem.
    counts(0, {"0", "0", "", "", ""});
    EXPECT_TRUE(sheet.view().totals[2].isEmpty());
    EXPECT_FALSE(commands().tloustka);
}

TEST_F(SheetFixture, MeanDiameterTypedOrComputed) {
    sheet.setClassWidth("2");
    add("SM");
    counts(6, {"10", "", "", "", "", "10"});

    // A diameter typed by hand survives "Tloušťka".
    typeDiameter("27");
    EXPECT_TRUE(flags().ZmenaTloustky);
    EXPECT_FALSE(session.work.TloustkaVypoctena);
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(sheet.view().diameter.trimmed(), "27");
    EXPECT_DOUBLE_EQ(session.work.StrTloustka, 27);

    // Text that is no number is replaced by the computed diameter when the box is left.
    typeDiameter("x");
    EXPECT_EQ(sheet.view().diameter, "    25.5");
    EXPECT_TRUE(session.work.TloustkaVypoctena);
    EXPECT_TRUE(messages().isEmpty());

    // A computed diameter is computed again from the changed tally.
    counts(6, {"30"});
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(sheet.view().diameter.trimmed(), "22.91");

    // Bad text when "Tloušťka" is pressed: the warning, then the computed value.
    sheet.meanStem().typed(MeanStemBox::Diameter, "abc");
    commands();
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(messages(), QStringList{"Chybně zadaná tloušťka bude nahrazena vypočítanou hodnotou"});
    EXPECT_EQ(sheet.view().diameter.trimmed(), "22.91");
}

TEST_F(SheetFixture, StockWarningsAndVolumes) {
    add("SM");
    counts(0, {"3"});
    typeDiameter("500");
    typeHeight("1");
    sheet.meanStem().computeStock();
    EXPECT_EQ(messages(),
              QStringList{"Tloustka středniho kmene je vetší\nnež horní mez grafikonu JHK !\nPoužije se "
                          "horní mez.\nVýška středniho kmene je pod\nspodní hranicí grafikonu JHK "
                          "!\nPoužije se dolní křivka."});
    EXPECT_TRUE(flags().Vypocteno);
    // Every class gets its volume per tree, also where no tree was counted.
    for (int r = 0; r < int(sheet.view().rows.size()); ++r)
        EXPECT_FALSE(cell(r, 3).isEmpty()) << r;
    EXPECT_TRUE(cell(1, 4).isEmpty()) << "no trees, no class volume";
}

// A changed group of a recorded species is a change of the stand: "Záznam" (or the save) takes it.
TEST_F(SheetFixture, ChangedGroupsReachTheStand) {
    computeAndRecord("SM", 3, {"4", "6"}, "20");
    ASSERT_TRUE(flags().Zaznamenano);
    // As a loaded species carries it.
    StandSession loaded = session;
    loaded.stand.at(0).tableStock = 300;
    sheet.open({OpenedStand::Origin::CommandLine, loaded, 0, {}});
    ASSERT_EQ(session.work.TabZasoba, 300);
    sheet.meanStem().setTableSpecies("bo");
    EXPECT_TRUE(flags().Vypocteno) << "the stock does not depend on the table species";
    EXPECT_FALSE(flags().Zaznamenano);
    EXPECT_TRUE(commands().zaznam);
    sheet.meanStem().record();
    EXPECT_EQ(CharsToString(session.stand.at(0).tableSpecies), "bo");
    EXPECT_EQ(session.stand.at(0).tableStock, 0) << "the old group's table stock is not kept";

    sheet.meanStem().setCurveSpecies("bo");
    EXPECT_FALSE(flags().Vypocteno);
    EXPECT_FALSE(flags().Zaznamenano);
    sheet.meanStem().record();
    EXPECT_EQ(CharsToString(session.stand.at(0).curveSpecies), "bo");
    EXPECT_FALSE(session.stand.at(0).computed);
}
