#include "FileDialog.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TTabulka.h"
#include "TallyFixture.h"
#include "TallyGrid.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

TEST_F(TallyFixture, NoDatabaseEndsTheProgram) {
    FileDialog::setNextFileName(QString()); // the directory dialog is cancelled
    start(false);
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Výběr složky s databází"});
    EXPECT_EQ(messages(), QStringList{"Nebyla vybrána žádná databáze, program končí !"});
    EXPECT_EQ(m_exitCodes, std::vector<int>{1});
    EXPECT_FALSE(main()->refreshRunning());
}

TEST_F(TallyFixture, DatabaseChosenAtFirstStartIsRemembered) {
    FileDialog::setNextFileName(QDir(dbDir()).filePath("RivwoodPor.db"));
    start(false);
    EXPECT_TRUE(m_exitCodes.empty());
    EXPECT_TRUE(main()->refreshRunning());
    EXPECT_TRUE(QFileInfo::exists(QDir(dbDir()).filePath("RivwoodPor.db")));
    EXPECT_EQ(QDir::fromNativeSeparators(
                  IniFile(settings()).ReadString(SettingsKeys::DataBase, SettingsKeys::Path)),
              dbDir());
}

TEST_F(TallyFixture, SampleStandIsOfferedOnceAsANewUnsavedStand) {
    samplesDirectory = QDir(testsupport::binDir()).filePath("ukazky");
    MessageBox::setNextAnswer(true);
    start();
    QTRY_COMPARE(main()->VyberDrevin->count(), 4);
    EXPECT_EQ(messages(),
              QStringList{"? Otevřít ukázkový porost?\nUkázka se otevře jako nový, neuložený porost."});
    EXPECT_FALSE(main()->CBUlozeno->isChecked());
    EXPECT_EQ(flags().KlicZaznamu, 0);
    EXPECT_EQ(IniFile(settings()).ReadInteger(SettingsKeys::Start, SettingsKeys::UkazkaNabidnuta, 0), 1);
}

TEST_F(TallyFixture, ClosingAsksAboutUnsavedDataAndKeepsPositions) {
    start();
    main()->move(123, 45);
    addSpecies("Smrk ztepilý");
    MessageBox::setNextAnswer(false);
    EXPECT_FALSE(main()->close());
    EXPECT_EQ(messages(), QStringList{"? Data nejsou uložena!\nChcete přesto ukočit program?"});
    EXPECT_TRUE(m_exitCodes.empty());
    MessageBox::setNextAnswer(true);
    EXPECT_TRUE(main()->close());
    messages();
    EXPECT_EQ(m_exitCodes, std::vector<int>{0});
    const IniFile ini(settings());
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "ZapisnikLeva", -1), main()->pos().x());
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "ZapisnikHorni", -1), main()->pos().y());
    EXPECT_FALSE(ini.ReadString(SettingsKeys::DataBase, SettingsKeys::Path).isEmpty());
}

TEST_F(TallyFixture, SavedStandClosesWithoutQuestion) {
    start();
    EXPECT_TRUE(main()->close());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(m_exitCodes, std::vector<int>{0});
}

TEST_F(TallyFixture, HelpAboutAndExports) {
    start();
    // "Návod" (F1) opens the chapter of the focused control: here the tally grid.
    addSpecies("Smrk ztepilý");
    main()->ZapForm->setFocus();
    main()->actions().navod->trigger();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_TRUE(m_launched[0].startsWith("file://"));
    EXPECT_TRUE(m_launched[0].endsWith("help/zapisnik.html#cetnosti"));
    // F1 in the summary window opens the chapter on the summary.
    main()->SouhrnClick();
    QApplication::setActiveWindow(ctx().tabulka);
    QTest::keyClick(ctx().tabulka, Qt::Key_F1);
    ASSERT_EQ(m_launched.size(), 2);
    EXPECT_TRUE(m_launched[1].endsWith("help/zapisnik.html#souhrn"));
    ctx().tabulka->close();
    m_launched.clear();

    main()->actions().oProgramu->trigger();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched[0], QDir(tempPath("")).filePath("showplate") + " " +
                                 QCoreApplication::applicationFilePath() + " 1");

    main()->actions().excelPorost->trigger();
    main()->actions().tiskPorost->trigger();
    EXPECT_EQ(messages(), (QStringList{"Nejdřív je potřeba vypočítat tabulku !",
                                       "Nejdřív je potřeba vypočítat souhrn !"}));
    // The hidden items stay in the menu, invisible.
    EXPECT_FALSE(main()->actions().cteniDat->isVisible());
    EXPECT_FALSE(main()->actions().zpracovani->menuAction()->isVisible());
    EXPECT_TRUE(main()->actions().export_->isVisible());
    EXPECT_FALSE(main()->actions().exportVse->isVisible());
}

TEST_F(TallyFixture, MissingDataFileIsReported) {
    start();
    FileDialog::setNextFileName(tempPath("chybi.JHK"));
    main()->actions().cteniDat->trigger();
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Výběr souboru"});
    EXPECT_EQ(messages(), QStringList{"Soubor\n" + QDir::toNativeSeparators(tempPath("chybi.JHK")) +
                                      "\nnebyl nalezen !"});
}

TEST_F(TallyFixture, UserIdentificationToTheDatabase) {
    start();
    TFUzivatel* dialog = ctx().uzivatel;
    // A stand not in the database.
    QTimer::singleShot(0, dialog, [dialog] {
        typeInto(dialog->findChild<QLineEdit*>("ETaxator"), "Novák");
        dialog->doDatabaze()->setEnabled(true);
        QTest::mouseClick(dialog->doDatabaze(), Qt::LeftButton);
    });
    main()->actions().infoProgram->trigger();
    EXPECT_EQ(messages(), QStringList{"Tento porost není v databázi. Nejprve je potřeba jej uložit!"});
    EXPECT_EQ(IniFile(settings()).ReadString(SettingsKeys::UserIdentification, SettingsKeys::Taxator),
              "Novák");
    // "Informace v databázi (u porostu)" does nothing for a stand never saved.
    main()->actions().infoDatabaze->trigger();
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TallyFixture, HeaderEditOfAStandMarksItUnsaved) {
    start();
    typeInto(main()->ETok, "Labe");
    EXPECT_TRUE(flags().Ulozeno) << "an empty stand has nothing to save";
    EXPECT_EQ(ctx().session.stand.river, "Labe");
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"3"});
    click(main()->Zaznam);
    main()->actions().ulozeniPorostu->trigger();
    ASSERT_TRUE(flags().Ulozeno);
    typeInto(main()->EBreh, "P");
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_EQ(ctx().session.stand.bank, "P");
}

TEST_F(TallyFixture, SummaryWindowAndNextStand) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(3, {"10", "12"});
    main()->Refresh();
    click(main()->StrTl);
    type("20");
    key(Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    main()->Refresh();
    ASSERT_TRUE(TZapisnik::commandEnabled(main()->actions().souhrn));
    main()->actions().souhrn->trigger();
    TTabulka* summary = ctx().tabulka;
    ASSERT_TRUE(summary->isVisible());
    EXPECT_EQ(summary->windowTitle(), " Souhrn ");
    QTableWidget* grid = summary->grid();
    EXPECT_EQ(grid->columnCount(), 10);
    EXPECT_EQ(grid->model()->headerData(6, Qt::Horizontal).toString(), "Tab.zás.");
    for (int c : {1, 2, 3, 6})
        EXPECT_TRUE(grid->isColumnHidden(c)) << c;
    EXPECT_EQ(grid->item(0, 0)->text(), "SM");
    EXPECT_FALSE(grid->item(0, 6)->text().isEmpty()) << "the computation ran on show";
    EXPECT_TRUE(grid->item(0, 6)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid->item(0, 7)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid->item(1, 9)->text(), grid->item(0, 9)->text()) << "the total row";
    summary->findChild<QCheckBox*>("VsechnySloupce")->setChecked(true);
    EXPECT_FALSE(grid->isColumnHidden(6));

    // A typed table stock is used.
    grid->item(0, 6)->setText("250");
    EXPECT_TRUE(summary->ComputeSummary());
    EXPECT_DOUBLE_EQ(ctx().session.stand.at(0).tableStock, 250);
    EXPECT_EQ(flags().KlicZaznamu, 1);
    EXPECT_TRUE(flags().Ulozeno);
    EXPECT_TRUE(messages().isEmpty());

    // Text output goes to the file chosen once, appended afterwards.
    FileDialog::setNextFileName(tempPath("souhrn.txt"));
    summary->VystupDoSouboruClick();
    summary->VystupDoSouboruClick();
    const QByteArray text = testsupport::readFile(tempPath("souhrn.txt"));
    EXPECT_EQ(text.count(" JHK - výpočet zásob "), 0) << "the file is cp1250";
    EXPECT_EQ(text.count("JHK - v"), 2);
    EXPECT_EQ(FileDialog::takeRequests().size(), 1);

    // "Další porost" clears the stand when the main window is active again.
    summary->DalsiPorostClick();
    EXPECT_FALSE(summary->isVisible());
    QTRY_COMPARE(main()->VyberDrevin->count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_FALSE(ctx().sheet.takeNextStandRequest());
}

TEST_F(TallyFixture, DuplicateStandCodeAskedOncePerSave) {
    start();
    auto saveStand = [this](const QString& species) {
        addSpecies(species);
        typeCounts(0, {"5"});
        click(main()->Zaznam);
        typeInto(main()->ETok, "Labe");
        main()->Refresh();
        main()->actions().ulozeniPorostu->trigger();
    };
    // The species have no height: "Kontrola porostu" says so before each save.
    const QString check =
        "Kontrola porostu našla možné chyby:\n%1: dřevina má stromy, ale chybí střední výška.";
    saveStand("Smrk ztepilý");
    ASSERT_EQ(flags().KlicZaznamu, 1);
    EXPECT_EQ(messages(), QStringList{check.arg("SM")});
    main()->actions().novyPorost->trigger();
    MessageBox::setNextAnswer(false);
    saveStand("Buk lesní");
    EXPECT_EQ(messages(), (QStringList{check.arg("BK"), "? Duplicitní kód porostu. Má se přesto uložit ?"}));
    EXPECT_EQ(flags().KlicZaznamu, 0) << "No stores nothing and allocates no key";
    EXPECT_FALSE(flags().Ulozeno);
    MessageBox::setNextAnswer(true);
    main()->Refresh();
    main()->actions().ulozeniPorostu->trigger();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(flags().KlicZaznamu, 2);
    EXPECT_TRUE(flags().Ulozeno);
}

// The stand list computes the selected stands; "Zpět" and "Znovu" reach the sheet.
TEST_F(TallyFixture, StandListComputesSelectedStandsAndUndoReachesTheSheet) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"5"});
    typeCounts(0, {"7"});
    ASSERT_EQ(main()->actions().zpet->shortcut(), QKeySequence(QKeySequence::Undo));
    main()->actions().zpet->trigger();
    EXPECT_EQ(cell(0, 2), "5");
    main()->actions().znovu->trigger();
    EXPECT_EQ(cell(0, 2), "7");

    click(main()->Zaznam);
    main()->actions().ulozeniPorostu->trigger();
    messages();
    TFVybPor* list = ctx().vybPor;
    QTimer::singleShot(0, list, [list] {
        list->grid()->selectAll();
        QTest::mouseClick(list->findChild<QPushButton*>("VypocetVybranych"), Qt::LeftButton);
        list->reject();
    });
    main()->actions().vyberPorostu->trigger();
    EXPECT_EQ(messages(),
              QStringList{"Vypočteno a uloženo porostů: 0\nNevypočteno:\nporost 1, SM: Není zadána "
                          "střední výška."});
}
