#include "FileDialog.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "StandListModel.h"
#include "TFVybPor.h"
#include "TallyFixture.h"
#include "TallyGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The surveyor's run: two species typed, computed and recorded, the header filled, the stand
// saved, cleared, and opened again from the stand list.
TEST_F(TallyFixture, TypicalRunSavesAndReopensTheStand) {
    start();
    EXPECT_TRUE(m_exitCodes.empty());
    EXPECT_EQ(main()->windowTitle(), "JHK - průměrkovací zápisník");
    setLayout("2");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "8");
    EXPECT_EQ(main()->ZapForm->rowCount(), 97);

    // Spruce: 10 trees in the 20 cm class (row 6) and 10 in the 30 cm class (row 11).
    addSpecies("Smrk ztepilý");
    ASSERT_EQ(main()->VyberDrevin->currentText(), "SM");
    EXPECT_EQ(main()->JmenoDrev->text(), "Smrk ztepilý");
    EXPECT_EQ(main()->PocDle->currentText(), "sm");
    typeCounts(6, {"10", "", "", "", "", "10"});
    EXPECT_EQ(cell(6, 2), "10");
    EXPECT_EQ(cell(11, 2), "10");
    EXPECT_EQ(total(2), "20");
    main()->Refresh();
    click(main()->StrTl);
    EXPECT_EQ(main()->ETloustka->text(), "    25.5");
    EXPECT_TRUE(ctx().session.work.TloustkaVypoctena);
    // Without a height the height box is next.
    EXPECT_EQ(QApplication::focusWidget(), main()->EVyska);
    type("18");
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), main()->VypZas);
    click(main()->VypZas);
    EXPECT_EQ(messages(), QStringList{});
    EXPECT_TRUE(flags().Vypocteno);
    EXPECT_FALSE(main()->EJHK->text().isEmpty());
    EXPECT_FALSE(cell(6, 3).isEmpty());
    EXPECT_FALSE(cell(6, 4).isEmpty());
    EXPECT_FALSE(total(4).isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), main()->Zaznam);
    click(main()->Zaznam);
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_EQ(ctx().session.stand.count(), 1);
    const QString spruceJhk = main()->EJHK->text();
    const QString spruceStock = total(4);

    // Beech with a typed diameter.
    main()->Refresh();
    addSpecies("Buk");
    EXPECT_EQ(main()->VyberDrevin->count(), 1) << "a typed name that is no species adds nothing";
    EXPECT_EQ(messages(), QStringList{"„Buk“ není název ani zkratka dřeviny."});
    addSpecies("Buk lesní");
    ASSERT_EQ(main()->VyberDrevin->currentText(), "BK");
    EXPECT_TRUE(cell(6, 2).isEmpty());
    typeCounts(10, {"3", "7", "5"});
    main()->Refresh();
    click(main()->ETloustka);
    type("31.5");
    key(Qt::Key_Return);
    type("24");
    key(Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    EXPECT_EQ(ctx().session.stand.count(), 2);
    EXPECT_TRUE(messages().isEmpty());

    // Header and save.
    const std::pair<QLineEdit*, QString> header[] = {{main()->ETok, "Labe"},       {main()->EBreh, "L"},
                                                     {main()->ERKm, "112.4"},      {main()->EAkce, "Zkouška"},
                                                     {main()->Edatum, "3.6.2024"}, {main()->EKroviny, "150"}};
    for (const auto& [edit, text] : header) {
        click(edit);
        type(text);
    }
    main()->Refresh();
    main()->actions().data->aboutToShow();
    ASSERT_TRUE(TZapisnik::commandEnabled(main()->actions().ulozeniPorostu));
    main()->actions().ulozeniPorostu->trigger();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(flags().KlicZaznamu, 1);
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(ctx().session.stand.summary);
    main()->Refresh();
    EXPECT_TRUE(main()->CBUlozeno->isChecked());

    // Clearing a saved stand asks nothing.
    main()->actions().novyPorost->trigger();
    main()->Refresh();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(main()->VyberDrevin->count(), 0);
    EXPECT_TRUE(main()->ETok->text().isEmpty());
    EXPECT_EQ(flags().KlicZaznamu, 0);

    // Reopen from the stand list.
    TFVybPor* list = ctx().vybPor;
    QTimer::singleShot(0, list, [list] {
        ASSERT_EQ(list->model()->rowCount(), 1);
        QTest::mouseClick(list->findChild<QPushButton*>("VyberPorost"), Qt::LeftButton);
    });
    main()->actions().vyberPorostu->trigger();
    EXPECT_EQ(flags().KlicZaznamu, 1);
    ASSERT_EQ(main()->VyberDrevin->count(), 2);
    EXPECT_EQ(main()->VyberDrevin->itemText(0), "SM");
    EXPECT_EQ(main()->VyberDrevin->itemText(1), "BK");
    EXPECT_EQ(main()->SirkaTlStupne->currentText(), "2");
    EXPECT_EQ(main()->PrvniTlStupen->currentText(), "8");
    EXPECT_EQ(cell(6, 2), "10");
    EXPECT_EQ(cell(11, 2), "10");
    EXPECT_EQ(main()->ZapForm->rowAt(0), 6) << "the first class with trees is the top row";
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "25.5");
    EXPECT_EQ(main()->EVyska->text().trimmed(), "18");
    EXPECT_EQ(main()->EJHK->text().trimmed(), spruceJhk.trimmed());
    EXPECT_EQ(total(4), spruceStock);
    EXPECT_EQ(main()->ETok->text(), "Labe");
    EXPECT_EQ(main()->EBreh->text(), "L");
    EXPECT_EQ(main()->ERKm->text(), "112.4");
    EXPECT_EQ(main()->EAkce->text(), "Zkouška");
    EXPECT_EQ(main()->Edatum->text(), "3.6.2024");
    EXPECT_EQ(main()->EKroviny->text(), "150");
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(flags().Zaznamenano);

    // The second species comes back as typed.
    main()->Refresh();
    main()->VyberDrevin->setCurrentIndex(1);
    emit main()->VyberDrevin->activated(1);
    EXPECT_EQ(cell(10, 2), "3");
    EXPECT_EQ(cell(11, 2), "7");
    EXPECT_EQ(cell(12, 2), "5");
    EXPECT_EQ(main()->ETloustka->text().trimmed(), "31.5");
    EXPECT_EQ(main()->EVyska->text().trimmed(), "24");
    EXPECT_TRUE(messages().isEmpty());
}

// Numbers in the mean-stem boxes follow the locale's decimal separator both ways.
TEST_F(TallyFixture, MeanStemUsesTheDecimalSeparator) {
    start();
    LocaleNumbers::setDecimalPoint(',');
    setLayout("2");
    addSpecies("Smrk ztepilý");
    typeCounts(6, {"10", "", "", "", "", "10"});
    main()->Refresh();
    click(main()->StrTl);
    EXPECT_EQ(main()->ETloustka->text(), "    25,5");
    type("17,5");
    key(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(ctx().session.work.StrVyska, 17.5);
    click(main()->VypZas);
    // "Výpočet " reads the diameter back through its four digits.
    EXPECT_DOUBLE_EQ(ctx().session.work.StrTloustka, 25.5);
    EXPECT_TRUE(main()->EJHK->text().contains(','));
    EXPECT_TRUE(cell(6, 3).contains(','));
}
