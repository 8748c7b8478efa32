#include "DesktopLauncher.h"
#include "FileDialog.h"
#include "HelpTopics.h"
#include "IniFile.h"
#include "ModalDialog.h"
#include "SettingsKeys.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TTabulka.h"
#include "TVyberNoveDrev.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

TEST_F(TallyFixture, NoDatabaseEndsTheProgram) {
    FileDialog::setNextFileName(QString()); // the directory dialog is cancelled
    start(false);
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Výběr složky s databází"});
    EXPECT_EQ(messages(), QStringList{"Nebyla vybrána žádná databáze, program končí !"});
    EXPECT_EQ(m_exitCodes, std::vector<int>{1});
    EXPECT_EQ(widget<QComboBox>("PocDle")->count(), 0) << "the sheet is not set up";
}

TEST_F(TallyFixture, DatabaseChosenAtFirstStartIsRemembered) {
    FileDialog::setNextFileName(QDir(dbDir()).filePath("RivwoodPor.db"));
    start(false);
    EXPECT_TRUE(m_exitCodes.empty());
    EXPECT_GT(widget<QComboBox>("PocDle")->count(), 0) << "the species groups are offered";
    EXPECT_TRUE(QFileInfo::exists(QDir(dbDir()).filePath("RivwoodPor.db")));
    EXPECT_EQ(QDir::fromNativeSeparators(
                  IniFile(settings()).ReadString(SettingsKeys::DataBase, SettingsKeys::Path)),
              dbDir());
}

TEST_F(TallyFixture, SampleStandIsOfferedOnceAsANewUnsavedStand) {
    samplesDirectory = QDir(testsupport::binDir()).filePath("ukazky");
    MessageBox::setNextAnswer(true);
    start();
    QTRY_COMPARE(widget<QComboBox>("VyberDrevin")->count(), 4);
    EXPECT_EQ(messages(),
              QStringList{"? Otevřít ukázkový porost?\nUkázka se otevře jako nový, neuložený porost."});
    EXPECT_FALSE(widget<QCheckBox>("CBUlozeno")->isChecked());
    EXPECT_EQ(flags().KlicZaznamu, 0);
    EXPECT_EQ(IniFile(settings()).ReadInteger(SettingsKeys::Start, SettingsKeys::UkazkaNabidnuta, 0), 1);
}

TEST_F(TallyFixture, ClosingAsksAboutUnsavedDataAndKeepsPositions) {
    start();
    main()->move(123, 45);
    addSpecies("Smrk ztepilý");
    MessageBox::setNextAnswer(false);
    EXPECT_FALSE(main()->close());
    EXPECT_EQ(messages(), QStringList{"? Data nejsou uložena!\nChcete přesto ukončit program?"});
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
    widget<TallyGrid>("ZapForm")->setFocus();
    action("Navod1")->trigger();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_TRUE(m_launched[0].startsWith("file://"));
    EXPECT_TRUE(m_launched[0].endsWith("help/zapisnik.html#cetnosti"));
    // F1 in the summary window opens the chapter on the summary.
    ctx().tabulka->show();
    QApplication::setActiveWindow(ctx().tabulka);
    QTest::keyClick(ctx().tabulka, Qt::Key_F1);
    ASSERT_EQ(m_launched.size(), 2);
    EXPECT_TRUE(m_launched[1].endsWith("help/zapisnik.html#souhrn"));
    ctx().tabulka->close();
    m_launched.clear();

    action("OProgramu1")->trigger();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched[0], QDir(tempPath("")).filePath("showplate") + " " +
                                 QCoreApplication::applicationFilePath() + " 1");

    action("ExcelTentoPorost1")->trigger();
    action("TiskTentoPorost1")->trigger();
    EXPECT_EQ(messages(), (QStringList{"Nejdřív je potřeba vypočítat tabulku !",
                                       "Nejdřív je potřeba vypočítat souhrn !"}));
    // The hidden items stay in the menu, invisible.
    EXPECT_FALSE(action("Ctenidat1")->isVisible());
    EXPECT_FALSE(widget<QMenu>("MenuZpracovani")->menuAction()->isVisible());
    EXPECT_TRUE(action("Export1")->isVisible());
    EXPECT_FALSE(action("ExportVse1")->isVisible());
}

TEST_F(TallyFixture, MissingDataFileIsReported) {
    start();
    FileDialog::setNextFileName(tempPath("chybi.JHK"));
    action("Ctenidat1")->trigger();
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Výběr souboru"});
    EXPECT_EQ(messages(), QStringList{"Soubor\n" + QDir::toNativeSeparators(tempPath("chybi.JHK")) +
                                      "\nnebyl nalezen !"});
}

TEST_F(TallyFixture, UserIdentificationToTheDatabase) {
    start();
    TFUzivatel* dialog = ctx().uzivatel;
    // A stand not in the database.
    ModalDialog::setNext([dialog](QDialog&) {
        typeInto(dialog->findChild<QLineEdit*>("ETaxator"), "Novák");
        dialog->doDatabaze()->setEnabled(true);
        QTest::mouseClick(dialog->doDatabaze(), Qt::LeftButton);
    });
    action("InfoProgram1")->trigger();
    EXPECT_EQ(messages(), QStringList{"Tento porost není v databázi. Nejprve je potřeba jej uložit!"});
    EXPECT_EQ(IniFile(settings()).ReadString(SettingsKeys::UserIdentification, SettingsKeys::Taxator),
              "Novák");
    // "Informace v databázi (u porostu)" does nothing for a stand never saved.
    action("InfoDatabaze1")->trigger();
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TallyFixture, HeaderEditOfAStandMarksItUnsaved) {
    start();
    typeInto(widget<QLineEdit>("ETok"), "Labe");
    EXPECT_TRUE(flags().Ulozeno) << "an empty stand has nothing to save";
    EXPECT_EQ(state().stand.river, "Labe");
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"3"});
    click(widget<QPushButton>("Zaznam"));
    MessageBox::setNextAnswer(true); // stored without its computation
    action("Ulozeniporostu1")->trigger();
    ASSERT_TRUE(flags().Ulozeno);
    typeInto(widget<QLineEdit>("EBreh"), "P");
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_EQ(state().stand.bank, "P");
}

TEST_F(TallyFixture, SummaryWindowAndNextStand) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(3, {"10", "12"});
    click(widget<QPushButton>("StrTl"));
    type("20");
    key(Qt::Key_Return);
    click(widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("Zaznam"));
    ASSERT_TRUE(TZapisnik::commandEnabled(action("Souhrn1")));
    action("Souhrn1")->trigger();
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
    EXPECT_DOUBLE_EQ(state().stand.at(0).tableStock, 250);
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
    QTRY_COMPARE(widget<QComboBox>("VyberDrevin")->count(), 0);
    EXPECT_TRUE(flags().PoStartu);
    EXPECT_FALSE(ctx().sheet.summary().takeNextStandRequest());
}

TEST_F(TallyFixture, DuplicateStandCodeAskedOncePerSave) {
    start();
    auto saveStand = [this](const QString& species) {
        addSpecies(species);
        typeCounts(0, {"5"});
        click(widget<QPushButton>("Zaznam"));
        typeInto(widget<QLineEdit>("ETok"), "Labe");
        action("Ulozeniporostu1")->trigger();
    };
    // The species have no height and no computation: "Kontrola porostu" says so before each save,
    // and the save asks whether to store them so.
    const QString check = "Kontrola porostu našla možné chyby:\n%1: dřevina má stromy, ale chybí střední "
                          "výška.\n%1: dřevina není vypočtena.";
    const QString uncomputed =
        "? Nevypočtené dřeviny: %1.\nJejich zásoba se uloží jako nulová. Má se porost přesto uložit ?";
    MessageBox::setNextAnswer(true);
    saveStand("Smrk ztepilý");
    ASSERT_EQ(flags().KlicZaznamu, 1);
    EXPECT_EQ(messages(), (QStringList{check.arg("SM"), uncomputed.arg("SM")}));
    action("Novyporost1")->trigger();
    MessageBox::setNextAnswer(true);
    MessageBox::setNextAnswer(false);
    saveStand("Buk lesní");
    EXPECT_EQ(messages(), (QStringList{check.arg("BK"), uncomputed.arg("BK"),
                                       "? Duplicitní kód porostu. Má se přesto uložit ?"}));
    EXPECT_EQ(flags().KlicZaznamu, 0) << "No stores nothing and allocates no key";
    EXPECT_FALSE(flags().Ulozeno);
    MessageBox::setNextAnswer(true);
    MessageBox::setNextAnswer(true);
    action("Ulozeniporostu1")->trigger();
    EXPECT_EQ(messages().size(), 3);
    EXPECT_EQ(flags().KlicZaznamu, 2);
    EXPECT_TRUE(flags().Ulozeno);
}

// The stand list computes the selected stands; "Zpět" and "Znovu" reach the sheet.
TEST_F(TallyFixture, StandListComputesSelectedStandsAndUndoReachesTheSheet) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"5"});
    typeCounts(0, {"7"});
    ASSERT_EQ(action("Zpet1")->shortcut(), QKeySequence(QKeySequence::Undo));
    action("Zpet1")->trigger();
    EXPECT_EQ(cell(0, 2), "5");
    action("Znovu1")->trigger();
    EXPECT_EQ(cell(0, 2), "7");

    click(widget<QPushButton>("Zaznam"));
    MessageBox::setNextAnswer(true); // stored without its computation
    action("Ulozeniporostu1")->trigger();
    messages();
    TFVybPor* list = ctx().vybPor;
    ModalDialog::setNext([list](QDialog&) {
        list->grid()->selectAll();
        QTest::mouseClick(list->findChild<QPushButton*>("VypocetVybranych"), Qt::LeftButton);
        list->reject();
    });
    action("Vyberporostu1")->trigger();
    EXPECT_EQ(messages(),
              QStringList{"Vypočteno a uloženo porostů: 0\nNevypočteno:\nporost 1, SM: Není zadána "
                          "střední výška."});
}

// After the sample, "Nový porost" shows an empty designation and comment; what is typed into them
// reaches the stand.
TEST_F(TallyFixture, NewStandAfterTheSampleHasAnEmptyDesignationAndComment) {
    samplesDirectory = QDir(testsupport::binDir()).filePath("ukazky");
    MessageBox::setNextAnswer(true);
    start();
    QTRY_COMPARE(widget<QLineEdit>("EPopis")->text(), QString("Svratka 12a"));
    EXPECT_FALSE(widget<QPlainTextEdit>("EKoment")->toPlainText().isEmpty());
    MessageBox::setNextAnswer(true); // "Chcete opravdu zrušit všechny dřeviny ?"
    action("Novyporost1")->trigger();
    EXPECT_TRUE(widget<QLineEdit>("EPopis")->text().isEmpty());
    EXPECT_TRUE(widget<QPlainTextEdit>("EKoment")->toPlainText().isEmpty());
    typeInto(widget<QLineEdit>("EPopis"), "Dyje 3b");
    widget<QPlainTextEdit>("EKoment")->setFocus();
    type("Pravy breh");
    EXPECT_EQ(state().stand.designation, "Dyje 3b");
    EXPECT_EQ(state().stand.comment, "Pravy breh");
    messages();
}

// Every key of the help works, whether its command is in the menu or not: Ctrl+P prints (here:
// says what is missing), Alt+Z presses "Záznam".
TEST_F(TallyFixture, KeysReachHiddenCommandsAndAltZRecords) {
    start();
    QTest::keyClick(main(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList{"Nejdřív je potřeba vypočítat souhrn !"});
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"5"});
    ASSERT_FALSE(flags().Zaznamenano);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::AltModifier);
    QTest::qWait(300); // the button's click is animated
    EXPECT_TRUE(flags().Zaznamenano);
}

// The caliper dialogs offer the caliper's files, text files and every file.
TEST_F(TallyFixture, CaliperDialogsOfferTextAndAllFiles) {
    start();
    FileDialog::takeFilters();
    for (QAction* a : {action("Mantax1"), action("Vaduz1"), action("MantaxHromadne1")})
        a->trigger(); // cancelled
    const QStringList filters = FileDialog::takeFilters();
    ASSERT_EQ(filters.size(), 3);
    for (const QString& f : filters) {
        EXPECT_TRUE(f.section(";;", 0, 0).contains("*.txt")) << f.toStdString();
        EXPECT_TRUE(f.contains("Všechny soubory (*)")) << f.toStdString();
    }
    EXPECT_TRUE(filters[1].section(";;", 0, 0).contains("*.DAT")) << "Vaduz";
}

// "Nová dřevina" takes an abbreviation as well as a name, and keeps a text that names no species
// open with a message; a new species starts on the first class row.
TEST_F(TallyFixture, NewSpeciesByAbbreviationStartsOnTheFirstClass) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(5, {"4"});
    widget<QPushButton>("Zaznam")->click();
    TVyberNoveDrev* dialog = ctx().vyberNoveDrev;
    TallyGrid* grid = widget<TallyGrid>("ZapForm");
    const auto enter = [dialog, grid](const QString& text, bool thenCancel) {
        ModalDialog::setNext([dialog, grid, text, thenCancel](QDialog&) {
            dialog->names()->setFocus();
            dialog->names()->lineEdit()->selectAll();
            typeInto(dialog->names()->lineEdit(), text);
            // As the dialog closes, the grid gets the focus back on the cell it was left at.
            grid->setCurrentCell(6, TallyGrid::CountColumn);
            QTest::keyClick(dialog->names()->lineEdit(), Qt::Key_Return);
            if (thenCancel && dialog->isVisible())
                QTest::mouseClick(dialog->findChild<QPushButton*>("Zrusit"), Qt::LeftButton);
        });
    };
    enter("xyz", true);
    action("Novadrevina1")->trigger();
    EXPECT_EQ(messages(), QStringList{"„xyz“ není název ani zkratka dřeviny."});
    EXPECT_EQ(widget<QComboBox>("VyberDrevin")->count(), 1);
    enter("bk", false);
    action("Novadrevina1")->trigger();
    EXPECT_EQ(ctx().sheet.view().species, (QStringList{"SM", "BK"}));
    EXPECT_EQ(grid->currentRow(), 0);
}

// Without a browser the help says where its page is.
TEST_F(TallyFixture, HelpWithoutABrowserNamesItsPage) {
    start();
    DesktopLauncher::setRecorder([](const QString&, const QStringList&) { return false; });
    main()->NavodClick(HelpTopics::Contents);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Návod nelze otevřít")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QDir::toNativeSeparators(testsupport::binDir() + "/help/")))
        << shown[0].toStdString();
}

// A save says so in the status bar, with the stand's key.
TEST_F(TallyFixture, SaveIsShownInTheStatusBar) {
    start();
    addSpecies("Smrk ztepilý");
    typeCounts(0, {"5"});
    click(widget<QPushButton>("Zaznam"));
    MessageBox::setNextAnswer(true); // stored without its computation
    action("Ulozeniporostu1")->trigger();
    ASSERT_EQ(flags().KlicZaznamu, 1);
    EXPECT_EQ(main()->statusBar()->currentMessage(), "Porost uložen (klíč 1)");
    messages();
}

// "Výpočet vybraných porostů" leaves the stands selected.
TEST_F(TallyFixture, StandListKeepsTheSelectionAfterTheComputation) {
    start();
    for (const char* river : {"Dyje", "Svratka"}) {
        action("Novyporost1")->trigger();
        addSpecies("Smrk ztepilý");
        typeCounts(0, {"5"});
        typeInto(widget<QLineEdit>("EVyska"), "20");
        click(widget<QPushButton>("Zaznam"));
        typeInto(widget<QLineEdit>("ETok"), river);
        MessageBox::setNextAnswer(true);
        action("Ulozeniporostu1")->trigger();
    }
    messages();
    TFVybPor* list = ctx().vybPor;
    std::vector<int> selected;
    ModalDialog::setNext([list, &selected](QDialog&) {
        list->grid()->selectAll();
        QTest::mouseClick(list->findChild<QPushButton*>("VypocetVybranych"), Qt::LeftButton);
        selected = list->selectedKeys();
        list->reject();
    });
    action("Vyberporostu1")->trigger();
    EXPECT_EQ(selected, (std::vector<int>{1, 2}));
    messages();
}
