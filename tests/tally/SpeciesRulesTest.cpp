#include "TallyFixture.h"
#include "TextUtils.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

class SpeciesRules : public TallyFixture {
  protected:
    void record(const QString& name, const QString& count) {
        addSpecies(name);
        typeCounts(0, {count});
        click(main()->Zaznam);
        main()->Refresh();
    }
    void pick(int index) {
        main()->VyberDrevin->setCurrentIndex(index);
        emit main()->VyberDrevin->activated(index);
    }
};

TEST_F(SpeciesRules, AddingSetsGroupsAndIgnoresDuplicates) {
    start();
    addSpecies("Ostatní vrby");
    EXPECT_EQ(main()->VyberDrevin->currentText(), "VR");
    EXPECT_EQ(main()->PocDle->currentText(), "db");
    EXPECT_EQ(main()->TabZasDle->currentText(), "tp");
    EXPECT_TRUE(flags().JeNovaDrevina);
    EXPECT_FALSE(flags().PoStartu);
    EXPECT_FALSE(flags().Ulozeno);
    // The species on display is not recorded: the command does nothing.
    addSpecies("Olše lepkavá");
    EXPECT_EQ(main()->VyberDrevin->count(), 1);
    typeCounts(0, {"2"});
    click(main()->Zaznam);
    main()->Refresh();
    // A species already in the stand is ignored; a cancelled dialog adds nothing.
    addSpecies("Ostatní vrby");
    addSpecies("Olše lepkavá", false);
    EXPECT_EQ(main()->VyberDrevin->count(), 1);
    addSpecies("olše lepkavá");
    EXPECT_EQ(main()->VyberDrevin->currentText(), "OL");
    EXPECT_EQ(main()->PocDle->currentText(), "ol");
    EXPECT_EQ(main()->TabZasDle->currentText(), "ol");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SpeciesRules, SwitchingShowsTheSpeciesPicked) {
    start();
    record("Smrk ztepilý", "4");
    record("Buk lesní", "9");
    pick(0);
    EXPECT_EQ(cell(0, 2), "4");
    EXPECT_FALSE(flags().JeNovaDrevina);
    pick(1);
    EXPECT_EQ(cell(0, 2), "9");

    // A recorded species with an empty tally: the species picked is still shown.
    typeCounts(0, {"0"});
    click(main()->Zaznam);
    main()->Refresh();
    ASSERT_FALSE(flags().VyplneneCetnosti);
    pick(0);
    EXPECT_EQ(CharsToString(ctx().session.work.KodDreviny), "SM");
    EXPECT_EQ(cell(0, 2), "4");
}

TEST_F(SpeciesRules, RestoringAsksAndReloads) {
    start();
    record("Smrk ztepilý", "4");
    typeCounts(0, {"7"});
    main()->Refresh();
    ASSERT_TRUE(main()->BZeZaznamu->isEnabled());
    MessageBox::setNextAnswer(false);
    click(main()->BZeZaznamu);
    EXPECT_EQ(messages(), QStringList{"? Návrat k původním údajům.\nMají se provedené změny zrušit ?"});
    EXPECT_EQ(cell(0, 2), "7");
    MessageBox::setNextAnswer(true);
    click(main()->BZeZaznamu);
    messages();
    EXPECT_EQ(cell(0, 2), "4");
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_FALSE(flags().ZmenaCetnosti);
}

TEST_F(SpeciesRules, DeletingMiddleLastAndOnly) {
    start();
    record("Smrk ztepilý", "1");
    record("Buk lesní", "2");
    record("Olše lepkavá", "3");
    pick(1);
    MessageBox::setNextAnswer(false);
    main()->actions().zrusitDrevinu->trigger();
    EXPECT_EQ(main()->VyberDrevin->count(), 3) << "No keeps the species";
    MessageBox::setNextAnswer(true);
    main()->actions().zrusitDrevinu->trigger();
    EXPECT_EQ(messages().size(), 2);
    ASSERT_EQ(main()->VyberDrevin->count(), 2);
    EXPECT_EQ(main()->VyberDrevin->currentText(), "OL") << "the following species is shown";
    EXPECT_EQ(cell(0, 2), "3");
    EXPECT_EQ(ctx().session.stand.count(), 2);
    EXPECT_FALSE(flags().Ulozeno);

    MessageBox::setNextAnswer(true);
    main()->actions().zrusitDrevinu->trigger();
    EXPECT_EQ(main()->VyberDrevin->currentText(), "SM") << "after the last one the new last";
    EXPECT_EQ(cell(0, 2), "1");

    MessageBox::setNextAnswer(true);
    main()->actions().zrusitDrevinu->trigger();
    messages();
    EXPECT_EQ(main()->VyberDrevin->count(), 0);
    EXPECT_EQ(ctx().session.stand.count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(cell(0, 2).isEmpty());
    EXPECT_TRUE(main()->JmenoDrev->text().isEmpty());
    EXPECT_EQ(main()->PocDle->currentIndex(), -1);
    main()->Refresh();
    EXPECT_TRUE(main()->SirkaTlStupne->isEnabled());
    EXPECT_TRUE(main()->actions().novaDrevina->isEnabled());
}

TEST_F(SpeciesRules, NewStandAsksOnlyWhenUnsaved) {
    start();
    // Without species only the header is cleared.
    main()->ETok->setText("Morava");
    main()->actions().novyPorost->trigger();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(main()->ETok->text().isEmpty());

    record("Smrk ztepilý", "4");
    MessageBox::setNextAnswer(false);
    main()->actions().zrusitVsechny->trigger();
    EXPECT_EQ(messages(), QStringList{"? Chcete opravdu zrušit všechny dřeviny ?"});
    EXPECT_EQ(main()->VyberDrevin->count(), 1);
    MessageBox::setNextAnswer(true);
    main()->actions().novyPorost->trigger();
    messages();
    EXPECT_EQ(main()->VyberDrevin->count(), 0);
    EXPECT_EQ(ctx().session.stand.count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_TRUE(flags().Ulozeno);
}
