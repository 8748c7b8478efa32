#include "LocaleNumbers.h"
#include "TallyFixture.h"
#include "TallyGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

struct Enabled {
    bool vypocet, tloustka, vyberDrevin, grid, novaDrevina, zaznam, zeZaznamu, souhrn, cteni, layout;
};

void expectEnabled(TZapisnik* m, const Enabled& e, const char* state) {
    SCOPED_TRACE(state);
    EXPECT_EQ(m->VypZas->isEnabled(), e.vypocet);
    EXPECT_EQ(m->StrTl->isEnabled(), e.tloustka);
    EXPECT_EQ(m->ETloustka->isEnabled(), e.tloustka);
    EXPECT_EQ(m->EVyska->isEnabled(), e.tloustka);
    EXPECT_EQ(m->VyberDrevin->isEnabled(), e.vyberDrevin);
    EXPECT_EQ(m->ZapForm->isEnabled(), e.grid);
    EXPECT_EQ(m->PocDle->isEnabled(), e.grid);
    EXPECT_EQ(m->TabZasDle->isEnabled(), e.grid);
    EXPECT_EQ(TZapisnik::commandEnabled(m->actions().novaDrevina), e.novaDrevina);
    EXPECT_EQ(m->Zaznam->isEnabled(), e.zaznam);
    EXPECT_EQ(m->BZeZaznamu->isEnabled(), e.zeZaznamu);
    EXPECT_EQ(TZapisnik::commandEnabled(m->actions().souhrn), e.souhrn);
    EXPECT_EQ(TZapisnik::commandEnabled(m->actions().cteniDat), e.cteni);
    EXPECT_EQ(TZapisnik::commandEnabled(m->actions().prumerka->menuAction()), e.cteni);
    EXPECT_EQ(m->SirkaTlStupne->isEnabled(), e.layout);
    EXPECT_EQ(m->PrvniTlStupen->isEnabled(), e.layout);
}

} // namespace

// The refresh along the workflow: what can be used in each state.
TEST_F(TallyFixture, RefreshEnablesTheWorkflowStepByStep) {
    start();
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(flags().PoStartu);
    expectEnabled(main(), {false, false, false, false, true, false, false, false, true, true}, "after start");
    EXPECT_FALSE(main()->CBUlozeno->isChecked()) << "an empty stand is not shown as stored";
    EXPECT_TRUE(main()->actions().sKomentarem->isChecked());
    EXPECT_TRUE(flags().SKomentarem);

    addSpecies("Olše lepkavá");
    expectEnabled(main(), {false, false, false, true, false, true, true, false, false, false},
                  "species added");
    EXPECT_EQ(main()->PocDle->currentText(), "ol");
    EXPECT_EQ(main()->TabZasDle->currentText(), "ol");

    typeCounts(3, {"4", "6"});
    main()->Refresh();
    expectEnabled(main(), {false, true, false, true, false, true, true, false, false, false}, "counts typed");

    click(main()->StrTl);
    main()->Refresh();
    expectEnabled(main(), {false, true, false, true, false, true, true, false, false, false},
                  "diameter only");
    type("15");
    key(Qt::Key_Return);
    expectEnabled(main(), {true, true, false, true, false, true, true, false, false, false},
                  "diameter and height");

    click(main()->VypZas);
    main()->Refresh();
    EXPECT_TRUE(main()->CBVypocteno->isChecked());
    EXPECT_FALSE(main()->CBZaznamenano->isChecked());
    click(main()->Zaznam);
    main()->Refresh();
    // "Záznam" stays usable while the edits of the species are marked.
    expectEnabled(main(), {true, true, true, true, true, true, false, true, false, false}, "recorded");
    EXPECT_TRUE(flags().ZmenaCetnosti);
    EXPECT_TRUE(main()->CBZaznamenano->isChecked());
    EXPECT_FALSE(main()->CBUlozeno->isChecked());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TallyFixture, ClassLayoutCombos) {
    start();
    EXPECT_EQ(main()->ZapForm->rowCount(), 49);
    EXPECT_EQ(main()->ZapForm->text(48, 1).trimmed(), "202");
    EXPECT_EQ(main()->ZapForm->text(0, 0).trimmed(), "31.4");
    setLayout("1");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "8");
    EXPECT_EQ(main()->ZapForm->rowCount(), 193);
    EXPECT_EQ(main()->ZapForm->text(192, 1).trimmed(), "200");
    setLayout("3");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "9");
    setLayout("4", "7");
    EXPECT_EQ(main()->ZapForm->rowCount(), 49);
    EXPECT_EQ(main()->ZapForm->text(48, 1).trimmed(), "199");
    setLayout("4");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "7") << "the same width again changes nothing";
    EXPECT_TRUE(messages().isEmpty());

    // No usable class count: refused, the combos show the layout in use.
    setLayout("0");
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(main()->SirkaTlStupne->currentText(), "4");
    EXPECT_EQ(ctx().session.layout.SirkaStupne, 4);
    setLayout("4", "250");
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "7");
    // A text that is no integer falls back to width 4 and first centre 10.
    setLayout("x");
    EXPECT_EQ(main()->SirkaTlStupne->currentText(), "4");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "10");

    addSpecies("Smrk ztepilý");
    EXPECT_FALSE(main()->SirkaTlStupne->isEnabled());
}

TEST_F(TallyFixture, CountEntryFlagsAndErrors) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"5"});
    click(main()->Zaznam);
    main()->Refresh();
    ASSERT_TRUE(flags().Zaznamenano);

    // Retyping the same text changes no flag.
    flags().ZmenaCetnosti = false;
    typeCounts(0, {"5"});
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_FALSE(flags().ZmenaCetnosti);

    // Another text clears the recorded, computed and saved state.
    flags().Vypocteno = true;
    typeCounts(1, {"-2"});
    EXPECT_FALSE(flags().Zaznamenano);
    EXPECT_FALSE(flags().Vypocteno);
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_TRUE(flags().ZmenaCetnosti);
    EXPECT_EQ(total(2), "3") << "negative counts enter the total";

    // A text that is no integer counts 0, says so with its row from 0, and stays in the cell.
    typeCounts(0, {"abc"});
    EXPECT_EQ(messages(), QStringList{" chyba 0"});
    EXPECT_EQ(cell(0, 2), "abc");
    EXPECT_EQ(ctx().session.work.Cetnosti[1], 0);
    EXPECT_EQ(total(2), "-2");
    EXPECT_FALSE(flags().VyplneneCetnosti);

    // All zero: empty total, and no mean stem.
    typeCounts(0, {"0", "0"});
    EXPECT_TRUE(total(2).isEmpty());
    EXPECT_FALSE(flags().VyplneneCetnosti);
    main()->Refresh();
    EXPECT_FALSE(main()->StrTl->isEnabled());

    // Delete empties a cell.
    typeCounts(5, {"8"});
    main()->ZapForm->setCurrentCell(5, TallyGrid::CountColumn);
    key(Qt::Key_Delete);
    EXPECT_TRUE(cell(5, 2).isEmpty());
    EXPECT_TRUE(total(2).isEmpty());
    // Only the count column can be current.
    main()->ZapForm->setCurrentCell(5, TallyGrid::CountColumn);
    key(Qt::Key_Left);
    EXPECT_EQ(main()->ZapForm->currentColumn(), TallyGrid::CountColumn);
}

TEST_F(TallyFixture, MeanDiameterTypedOrComputed) {
    start();
    setLayout("2");
    addSpecies("Smrk ztepilý");
    typeCounts(6, {"10", "", "", "", "", "10"});
    main()->Refresh();

    // A diameter typed by hand survives "Tloušťka".
    click(main()->ETloustka);
    type("27");
    key(Qt::Key_Tab);
    EXPECT_TRUE(flags().ZmenaTloustky);
    EXPECT_FALSE(ctx().session.work.TloustkaVypoctena);
    main()->Refresh();
    click(main()->StrTl);
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "27");
    EXPECT_DOUBLE_EQ(ctx().session.work.StrTloustka, 27);

    // Text that is no number is replaced by the computed diameter when the box is left.
    click(main()->ETloustka);
    main()->ETloustka->selectAll();
    type("x");
    key(Qt::Key_Tab);
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "25.5");
    EXPECT_TRUE(ctx().session.work.TloustkaVypoctena);
    EXPECT_TRUE(messages().isEmpty());

    // A computed diameter is computed again from the changed tally.
    typeCounts(6, {"30"});
    main()->Refresh();
    click(main()->StrTl);
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "22.91");

    // Bad text when "Tloušťka" is pressed: the warning, then the computed value.
    main()->ETloustka->setText("abc");
    main()->Refresh();
    click(main()->StrTl);
    EXPECT_EQ(messages(), QStringList{"Chybně zadaná tloušťka bude nahrazena vypočítanou hodnotou"});
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "22.91");
}

TEST_F(TallyFixture, CurveWarningsAndGroupCombos) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"3"});
    main()->Refresh();
    click(main()->ETloustka);
    type("500");
    key(Qt::Key_Return);
    type("1");
    key(Qt::Key_Return);
    click(main()->VypZas);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0],
              "Tloustka středniho kmene je vetší\nnež horní mez grafikonu JHK !\nPoužije se horní mez.\n"
              "Výška středniho kmene je pod\nspodní hranicí grafikonu JHK !\nPoužije se dolní křivka.");
    EXPECT_TRUE(flags().Vypocteno);
    // The computation writes every class's volume per tree, 0.00 included; showing the species
    // again leaves the zero cells empty.
    QList<int> zeroRows;
    for (int r = 0; r < main()->ZapForm->rowCount(); ++r) {
        EXPECT_FALSE(cell(r, 3).isEmpty()) << r;
        if (cell(r, 3) == "0.00")
            zeroRows << r;
    }

    click(main()->Zaznam);
    main()->ZPracNaDispl();
    for (int r : zeroRows)
        EXPECT_TRUE(cell(r, 3).isEmpty()) << r;
    main()->Refresh();
    // The table-stock species changes no flag, the curve species clears the computation.
    main()->TabZasDle->setCurrentIndex(main()->TabZasDle->findText("bo"));
    emit main()->TabZasDle->activated(main()->TabZasDle->currentIndex());
    EXPECT_TRUE(flags().Vypocteno);
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_EQ(CharsToString(ctx().session.work.KodTabZasDle), "bo");
    main()->PocDle->setCurrentIndex(main()->PocDle->findText("bo"));
    emit main()->PocDle->activated(main()->PocDle->currentIndex());
    EXPECT_FALSE(flags().Vypocteno);
    EXPECT_FALSE(flags().Zaznamenano);
}
