#include "FileDialog.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "ModalDialog.h"
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

// The surveyor's run: two species typed, computed and recorded, the header filled, the stand
// saved, cleared, and opened again from the stand list.
TEST_F(TallyFixture, TypicalRunSavesAndReopensTheStand) {
    start();
    EXPECT_TRUE(m_exitCodes.empty());
    EXPECT_EQ(main()->windowTitle(), "JHK - průměrkovací zápisník");
    setLayout("2");
    EXPECT_EQ(widget<QComboBox>("PrvniTlStupen")->currentText(), "8");
    EXPECT_EQ(widget<TallyGrid>("ZapForm")->rowCount(), 97);

    // Spruce: 10 trees in the 20 cm class (row 6) and 10 in the 30 cm class (row 11).
    addSpecies("Smrk ztepilý");
    ASSERT_EQ(widget<QComboBox>("VyberDrevin")->currentText(), "SM");
    EXPECT_EQ(widget<QLineEdit>("JmenoDrev")->text(), "Smrk ztepilý");
    EXPECT_EQ(widget<QComboBox>("PocDle")->currentText(), "sm");
    typeCounts(6, {"10", "", "", "", "", "10"});
    EXPECT_EQ(cell(6, 2), "10");
    EXPECT_EQ(cell(11, 2), "10");
    EXPECT_EQ(total(2), "20");
    click(widget<QPushButton>("StrTl"));
    EXPECT_EQ(widget<QLineEdit>("ETloustka")->text(), "    25.5");
    EXPECT_TRUE(state().work.TloustkaVypoctena);
    // Without a height the height box is next.
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("EVyska"));
    type("18");
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("VypZas"));
    EXPECT_EQ(messages(), QStringList{});
    EXPECT_TRUE(flags().Vypocteno);
    EXPECT_FALSE(widget<QLineEdit>("EJHK")->text().isEmpty());
    EXPECT_FALSE(cell(6, 3).isEmpty());
    EXPECT_FALSE(cell(6, 4).isEmpty());
    EXPECT_FALSE(total(4).isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), widget<QPushButton>("Zaznam"));
    click(widget<QPushButton>("Zaznam"));
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_EQ(state().stand.count(), 1);
    const QString spruceJhk = widget<QLineEdit>("EJHK")->text();
    const QString spruceStock = total(4);

    // Beech with a typed diameter.
    addSpecies("Buk");
    EXPECT_EQ(widget<QComboBox>("VyberDrevin")->count(), 1) << "a typed name that is no species adds nothing";
    EXPECT_EQ(messages(), QStringList{"„Buk“ není název ani zkratka dřeviny."});
    addSpecies("Buk lesní");
    ASSERT_EQ(widget<QComboBox>("VyberDrevin")->currentText(), "BK");
    EXPECT_TRUE(cell(6, 2).isEmpty());
    typeCounts(10, {"3", "7", "5"});
    click(widget<QLineEdit>("ETloustka"));
    type("31.5");
    key(Qt::Key_Return);
    type("24");
    key(Qt::Key_Return);
    click(widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("Zaznam"));
    EXPECT_EQ(state().stand.count(), 2);
    EXPECT_TRUE(messages().isEmpty());

    // Header and save.
    const std::pair<QLineEdit*, QString> header[] = {
        {widget<QLineEdit>("ETok"), "Labe"},       {widget<QLineEdit>("EBreh"), "L"},
        {widget<QLineEdit>("ERKm"), "112.4"},      {widget<QLineEdit>("EAkce"), "Zkouška"},
        {widget<QLineEdit>("Edatum"), "3.6.2024"}, {widget<QLineEdit>("EKroviny"), "150"}};
    for (const auto& [edit, text] : header) {
        click(edit);
        type(text);
    }
    ASSERT_TRUE(TZapisnik::commandEnabled(action("Ulozeniporostu1")));
    action("Ulozeniporostu1")->trigger();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(flags().KlicZaznamu, 1);
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(state().stand.summary);
    EXPECT_TRUE(widget<QCheckBox>("CBUlozeno")->isChecked());

    // Clearing a saved stand asks nothing.
    action("Novyporost1")->trigger();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(widget<QComboBox>("VyberDrevin")->count(), 0);
    EXPECT_TRUE(widget<QLineEdit>("ETok")->text().isEmpty());
    EXPECT_EQ(flags().KlicZaznamu, 0);

    // Reopen from the stand list.
    TFVybPor* list = ctx().vybPor;
    ModalDialog::setNext([list](QDialog&) {
        ASSERT_EQ(list->model()->rowCount(), 1);
        QTest::mouseClick(list->findChild<QPushButton*>("VyberPorost"), Qt::LeftButton);
    });
    action("Vyberporostu1")->trigger();
    EXPECT_EQ(flags().KlicZaznamu, 1);
    ASSERT_EQ(widget<QComboBox>("VyberDrevin")->count(), 2);
    EXPECT_EQ(widget<QComboBox>("VyberDrevin")->itemText(0), "SM");
    EXPECT_EQ(widget<QComboBox>("VyberDrevin")->itemText(1), "BK");
    EXPECT_EQ(widget<QComboBox>("SirkaTlStupne")->currentText(), "2");
    EXPECT_EQ(widget<QComboBox>("PrvniTlStupen")->currentText(), "8");
    EXPECT_EQ(cell(6, 2), "10");
    EXPECT_EQ(cell(11, 2), "10");
    EXPECT_EQ(widget<TallyGrid>("ZapForm")->rowAt(0), 6) << "the first class with trees is the top row";
    EXPECT_EQ(widget<QLineEdit>("ETloustka")->text().trimmed(), "25.5");
    EXPECT_EQ(widget<QLineEdit>("EVyska")->text().trimmed(), "18");
    EXPECT_EQ(widget<QLineEdit>("EJHK")->text().trimmed(), spruceJhk.trimmed());
    EXPECT_EQ(total(4), spruceStock);
    EXPECT_EQ(widget<QLineEdit>("ETok")->text(), "Labe");
    EXPECT_EQ(widget<QLineEdit>("EBreh")->text(), "L");
    EXPECT_EQ(widget<QLineEdit>("ERKm")->text(), "112.4");
    EXPECT_EQ(widget<QLineEdit>("EAkce")->text(), "Zkouška");
    EXPECT_EQ(widget<QLineEdit>("Edatum")->text(), "3.6.2024");
    EXPECT_EQ(widget<QLineEdit>("EKroviny")->text(), "150");
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(flags().Zaznamenano);

    // The second species comes back as typed.
    widget<QComboBox>("VyberDrevin")->setCurrentIndex(1);
    emit widget<QComboBox>("VyberDrevin")->activated(1);
    EXPECT_EQ(cell(10, 2), "3");
    EXPECT_EQ(cell(11, 2), "7");
    EXPECT_EQ(cell(12, 2), "5");
    EXPECT_EQ(widget<QLineEdit>("ETloustka")->text().trimmed(), "31.5");
    EXPECT_EQ(widget<QLineEdit>("EVyska")->text().trimmed(), "24");
    EXPECT_TRUE(messages().isEmpty());
}

// Numbers in the mean-stem boxes follow the locale's decimal separator both ways.
TEST_F(TallyFixture, MeanStemUsesTheDecimalSeparator) {
    start();
    LocaleNumbers::setDecimalPoint(',');
    setLayout("2");
    addSpecies("Smrk ztepilý");
    typeCounts(6, {"10", "", "", "", "", "10"});
    click(widget<QPushButton>("StrTl"));
    EXPECT_EQ(widget<QLineEdit>("ETloustka")->text(), "    25,5");
    type("17,5");
    key(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(state().work.StrVyska, 17.5);
    click(widget<QPushButton>("VypZas"));
    // "Výpočet " reads the diameter back through its four digits.
    EXPECT_DOUBLE_EQ(state().work.StrTloustka, 25.5);
    EXPECT_TRUE(widget<QLineEdit>("EJHK")->text().contains(','));
    EXPECT_TRUE(cell(6, 3).contains(','));
}
