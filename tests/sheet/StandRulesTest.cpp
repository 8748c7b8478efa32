#include "MantaxImport.h"
#include "RawQuery.h"
#include "SampleOffer.h"
#include "SheetComputation.h"
#include "SheetFixture.h"
#include "StandCode.h"
#include "StandJson.h"
#include "TableStock.h"
#include "TestSupport.h"
#include "TextUtils.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {

int trees(const TManual225& s) {
    return int(s.classes.empty() ? 0 : s.classes[0].trees);
}

} // namespace

// Record OL, add BK, type its counts and save without "Záznam": BK goes with the stand.
TEST_F(SheetFixture, SavingRecordsTheSpeciesOnDisplayFirst) {
    computeAndRecord("OL", 2, {"5", "4"}, "18");
    add("BK");
    counts(3, {"9", "4"});
    ASSERT_TRUE(sheet.state().hasUnrecordedEdits());
    ASSERT_TRUE(commands().ulozeni);
    answer(true); // stored without its computation
    ASSERT_TRUE(sheet.save());
    EXPECT_TRUE(commands().ulozeno);
    EXPECT_FALSE(sheet.state().hasUnrecordedEdits());

    StandSession loaded;
    ASSERT_TRUE(store.LoadStand(loaded, flags().KlicZaznamu).found);
    ASSERT_EQ(loaded.stand.count(), 2);
    EXPECT_EQ(loaded.stand.abbreviationAt(1), "BK");
    EXPECT_EQ(trees(loaded.stand.at(1)), 13);
    EXPECT_TRUE(sheet.mayClose()) << "nothing left to ask about";
    EXPECT_EQ(messages(),
              (QStringList{"Kontrola porostu našla možné chyby:\nBK: dřevina má stromy, ale chybí "
                           "střední výška.\nBK: dřevina není vypočtena.",
                           "? Nevypočtené dřeviny: BK.\nJejich zásoba se uloží jako nulová. Má se "
                           "porost přesto uložit ?"}));
}

// Closing asks whenever something typed has not reached the database, also a box not yet left.
TEST_F(SheetFixture, ClosingAsksAboutWhatWasTyped) {
    computeAndRecord("OL", 2, {"5"}, "18");
    ASSERT_TRUE(sheet.save());
    EXPECT_TRUE(sheet.mayClose());
    sheet.meanStem().typed(MeanStemBox::Height, "21");
    answer(false);
    EXPECT_FALSE(sheet.mayClose());
    EXPECT_EQ(messages(), QStringList{"? Data nejsou uložena!\nChcete přesto ukončit program?"});
    EXPECT_DOUBLE_EQ(session.work.StrVyska, 21);
}

TEST_F(SheetFixture, DeletingTheStandOnDisplayForgetsItsKey) {
    computeAndRecord("OL", 2, {"5"}, "18");
    ASSERT_TRUE(sheet.save());
    const int key = flags().KlicZaznamu;
    ASSERT_GT(key, 0);
    sheet.standDeleted(key + 1);
    EXPECT_EQ(flags().KlicZaznamu, key) << "another stand";
    store.DeleteStandRows(key);
    sheet.standDeleted(key);
    EXPECT_EQ(flags().KlicZaznamu, 0);
    EXPECT_FALSE(commands().ulozeno);
    answer(false);
    EXPECT_FALSE(sheet.mayClose());
    messages();
    ASSERT_TRUE(sheet.save());
    StandSession loaded;
    EXPECT_TRUE(store.LoadStand(loaded, flags().KlicZaznamu).found);
}

TEST_F(SheetFixture, LoadingTellsAboutClassRowsLeftOut) {
    computeAndRecord("OL", 2, {"5", "0", "0", "0", "0", "0", "3"}, "18");
    ASSERT_TRUE(sheet.save());
    const int key = flags().KlicZaznamu;
    testsupport::RawQuery q(database);
    ASSERT_TRUE(q.exec(QString("update RivwoodDre set POCET_TL = 5 where KLIC = %1").arg(key)));
    messages();
    sheet.loadStand(key);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Porost obsahuje 1 řádků")) << shown[0].toStdString();
    EXPECT_EQ(flags().KlicZaznamu, key);
}

TEST_F(SheetFixture, CaliperImportClearsThePreviousCommentAndCode) {
    openJson(QJsonDocument(QJsonObject{{"comment", "Starý komentář"},
                                       {"code", MakeStandCode("Morava", "L", "12,5", "Stará akce")},
                                       {"key", 3}})
                 .toJson());
    MantaxImport import;
    import.PrepareSingleImport(testsupport::dataPath("import/mantax_records.txt"));
    for (const QString& code : import.assignment().codes())
        import.assignment().Assign(code, code.trimmed().toUpper() == "BK" ? "BK" : "SM");
    const StandSession imported = import.ImportSingle(session);
    ASSERT_TRUE(import.ImportHotov());
    sheet.open({OpenedStand::Origin::Caliper, imported, 0, "mantax_records.txt"});
    EXPECT_TRUE(session.stand.comment.isEmpty());
    EXPECT_TRUE(sheet.view().river.isEmpty());
    EXPECT_EQ(flags().KlicZaznamu, 0);
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_TRUE(flags().Zaznamenano);
    EXPECT_EQ(takeFocus(), SheetFocus::Tloustka);
    EXPECT_TRUE(commands().tloustka);
}

// "Nový porost" after the sample: nothing of the sample's header goes with the new stand; the
// designation and comment typed on the sheet are saved with it.
TEST_F(SheetFixture, NewStandStartsWithAnEmptyHeaderAndSavesWhatIsTyped) {
    ASSERT_TRUE(sheet.openSample(QString::fromUtf8(RIVWOOD_SAMPLE_STAND)));
    EXPECT_EQ(sheet.view().designation, "Svratka 12a");
    answer(true);
    sheet.newStand();
    EXPECT_TRUE(sheet.view().designation.isEmpty());
    EXPECT_TRUE(sheet.view().comment.isEmpty());
    for (const QString& t : {session.stand.designation, session.stand.comment, session.stand.code})
        EXPECT_TRUE(t.isEmpty()) << t.toStdString();

    computeAndRecord("OL", 2, {"5"}, "18");
    sheet.setHeader(SheetHeader::Designation, "Dyje 3b");
    sheet.setHeader(SheetHeader::Comment, "Pravý břeh,\nolše a vrby.");
    ASSERT_TRUE(sheet.save());
    StandSession loaded;
    ASSERT_TRUE(store.LoadStand(loaded, flags().KlicZaznamu).found);
    EXPECT_EQ(loaded.stand.designation, "Dyje 3b");
    EXPECT_EQ(loaded.stand.comment, "Pravý břeh,\nolše a vrby.");
    messages();
}

// A species never computed is named by "Kontrola porostu", and the save asks before storing it
// with zero stock.
TEST_F(SheetFixture, SavingAnUncomputedSpeciesAsksFirst) {
    computeAndRecord("OL", 2, {"5"}, "18");
    add("BK");
    counts(3, {"9"});
    typeHeight("22");
    answer(false);
    EXPECT_FALSE(sheet.save());
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("BK: dřevina není vypočtena.")) << shown[0].toStdString();
    EXPECT_EQ(shown[1],
              "? Nevypočtené dřeviny: BK.\nJejich zásoba se uloží jako nulová. Má se porost přesto uložit ?");
    EXPECT_EQ(flags().KlicZaznamu, 0);
    answer(true);
    EXPECT_TRUE(sheet.save());
    messages();
}

// The command line's compute and summary give every number the buttons give.
TEST_F(SheetFixture, CommandLineComputesWhatTheButtonsCompute) {
    const QString sample = QString::fromUtf8(RIVWOOD_SAMPLE_STAND);
    sheet.setDialogs(nullptr);
    openJson(testsupport::readFile(sample));
    // By hand: every species picked, "Tloušťka", "Výpočet ", "Záznam"; then the summary window.
    for (int i = 0; i < int(sheet.view().species.size()); ++i) {
        sheet.pickSpecies(i);
        commands();
        sheet.meanStem().computeDiameter();
        commands();
        sheet.meanStem().computeStock();
        commands();
        sheet.meanStem().record();
        commands();
    }
    sheet.summary().show();
    QJsonObject byHand = StandJson::ToJson(session, session.key());

    QProcess cli;
    const QString program = testsupport::binDir() + "/rivwood-cli";
    cli.start(program, {"compute", sample});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QByteArray computed = cli.readAllStandardOutput();
    QProcess summary;
    summary.start(program, {"summary", "-"});
    summary.write(computed);
    summary.closeWriteChannel();
    ASSERT_TRUE(summary.waitForFinished(30000));
    ASSERT_EQ(summary.exitCode(), 0) << summary.readAllStandardError().toStdString();
    const QJsonObject byCli = QJsonDocument::fromJson(summary.readAllStandardOutput()).object();
    EXPECT_EQ(byCli, byHand);
    ASSERT_EQ(byHand["species"].toArray().size(), 4);
    for (const QJsonValue& s : byHand["species"].toArray())
        EXPECT_TRUE(s.toObject()["computed"].toBool())
            << s.toObject()["abbreviation"].toString().toStdString();
}

// A changed height makes the next compute and summary work the table stock out afresh.
TEST_F(SheetFixture, ComputingAgainRenewsTheTableStock) {
    computeAndRecord("OL", 3, {"6", "11", "15", "12", "8", "4", "2"}, "19.5");
    sheet.summary().show();
    const double before = session.stand.at(0).tableStock;
    ASSERT_GT(before, 0);
    StandSession changed;
    const int key = StandJson::FromJson(StandJson::ToJson(session, session.key()), changed);
    changed.stand.at(0).meanHeight = 25.5;
    sheet.open({OpenedStand::Origin::CommandLine, changed, key, {}});
    ComputeAllSpecies(sheet);
    sheet.summary().show();
    const TManual225& ol = session.stand.at(0);
    EXPECT_DOUBLE_EQ(ol.tableStock,
                     TableStock("ol", RoundHalfEven(ol.meanDiameter), RoundHalfEven(ol.meanHeight)).S);
    EXPECT_NE(ol.tableStock, before);
}

// Two sheets on one stand: the later save asks before it overwrites the earlier one.
TEST_F(SheetFixture, SavingOverAnotherSaveAsks) {
    computeAndRecord("OL", 2, {"5"}, "18");
    ASSERT_TRUE(sheet.save());
    const int key = flags().KlicZaznamu;
    TallySheet other(&store, testsupport::binDir());
    ScriptedDialogs otherDialogs;
    other.setDialogs(&otherDialogs);
    other.loadStand(key);
    other.setCount(3, "2");
    otherDialogs.answers.push_back(true); // stored without its computation
    ASSERT_TRUE(other.save());

    counts(4, {"1"});
    answer(true);
    answer(false);
    EXPECT_FALSE(sheet.save());
    EXPECT_TRUE(messages().contains("? Porost byl mezitím v databázi změněn. Přepsat?"));
    StandSession stored;
    store.LoadStand(stored, key);
    EXPECT_EQ(trees(stored.stand.at(0)), 7) << "the other save stays";
    answer(true);
    answer(true);
    EXPECT_TRUE(sheet.save());
    store.LoadStand(stored, key);
    EXPECT_EQ(trees(stored.stand.at(0)), 6);
}

// Undoing an edit made before a save takes the stand back, but not its database row: the next save
// stores over the stand's own save without asking about a change made meanwhile.
TEST_F(SheetFixture, SavingAfterAnUndoPastASaveAsksNothing) {
    computeAndRecord("OL", 2, {"5"}, "18");
    ASSERT_TRUE(sheet.save());
    counts(3, {"2"});
    answer(true); // stored without its computation
    ASSERT_TRUE(sheet.save());
    messages();
    sheet.undoStack().undo();
    EXPECT_FALSE(flags().Ulozeno);
    EXPECT_TRUE(sheet.save());
    EXPECT_FALSE(messages().contains("? Porost byl mezitím v databázi změněn. Přepsat?"));
    StandSession stored;
    store.LoadStand(stored, flags().KlicZaznamu);
    EXPECT_EQ(trees(stored.stand.at(0)), 5);
}

// The sample is offered once; it opens as a new stand, and a damaged sample leaves the sheet alone.
TEST_F(SheetFixture, SampleStandIsOfferedOnceAndOpensUnsaved) {
    const QString samples = QDir(testsupport::binDir()).filePath("ukazky");
    const QString settings = db.path("ukazka.INI");
    const std::optional<QString> sample = SampleOffer::Pending(settings, samples);
    ASSERT_TRUE(sample.has_value());
    SampleOffer::MarkOffered(settings);
    EXPECT_FALSE(SampleOffer::Pending(settings, samples).has_value());

    computeAndRecord("SM", 5, {"3"}, "20");
    ASSERT_TRUE(sheet.save());
    messages();
    ASSERT_TRUE(sheet.openSample(*sample));
    EXPECT_EQ(sheet.view().species, (QStringList{"OL", "JS", "DB", "TPC"}));
    EXPECT_EQ(flags().KlicZaznamu, 0);
    EXPECT_FALSE(flags().Ulozeno);

    const QString garbage = db.path("poskozeny.json");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"species\": [ {\"abbreviation\": 7");
    file.close();
    EXPECT_FALSE(sheet.openSample(garbage));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(sheet.view().species, (QStringList{"OL", "JS", "DB", "TPC"}));
}
