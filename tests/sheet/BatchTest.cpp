#include "SheetFixture.h"
#include "StandBatch.h"
#include "StandCsvExport.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QJsonObject runCli(const QStringList& args) {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    cli.setProcessEnvironment(env);
    cli.start(testsupport::binDir() + "/rivwood-cli", args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

} // namespace

// A bulk import with heights, then "db compute --all": the report prints every stand it could
// compute; the stand without a height is left and named.
TEST(StandBatch, BulkImportComputedForTheReport) {
    QTemporaryDir dir;
    const QString db = dir.filePath("db");
    QDir().mkpath(db);
    runCli({"import-mantax", "--bulk", testsupport::dataPath("import/mantax_bulk_heights.txt"), "--db", db});
    const QJsonObject result = runCli({"db", "compute", "--all", "--db", db});
    EXPECT_EQ(result["computed"].toArray(), (QJsonArray{1, 2, 3}));
    const QJsonArray skipped = result["skipped"].toArray();
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_EQ(skipped[0].toObject()["key"].toInt(), 4);
    EXPECT_EQ(skipped[0].toObject()["species"].toString(), "BK");
    const QString text = dir.filePath("porosty.txt");
    EXPECT_EQ(runCli({"report", "--db", db, "--all", "--text", text})["pages"].toInt(), 3);
    const QByteArray report = testsupport::readFile(text);
    for (const char* stand : {"A1", "B1", "C1"})
        EXPECT_TRUE(report.contains(stand)) << stand;
    // Computed stands drop out of "--all": nothing is done twice.
    EXPECT_EQ(runCli({"db", "compute", "--all", "--db", db})["computed"].toArray().size(), 0);
}

TEST_F(SheetFixture, BatchLeavesTheSheetAndStopsWhenAsked) {
    computeAndRecord("SM", 3, {"4", "6"}, "20");
    ASSERT_TRUE(sheet.save());
    const int first = flags().KlicZaznamu;
    sheet.newStand();
    computeAndRecord("BK", 4, {"2"}, "22");
    answer(true); // the same (empty) stand code
    ASSERT_TRUE(sheet.save());
    const int second = flags().KlicZaznamu;
    messages();

    int told = 0;
    const StandBatchResult r =
        ComputeStands(store, testsupport::binDir(), {first, second}, [&told](int, int) {
            ++told;
            return false; // "Přerušit" after the first stand
        });
    EXPECT_EQ(r.computed, std::vector<int>{first});
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(sheet.view().speciesText(), "BK") << "the stand on the sheet stays";
    EXPECT_EQ(flags().KlicZaznamu, second);
}

TEST(PlausibilityCheck, FindsAPlantedErrorAndLeavesACleanStandAlone) {
    TManualy225 stand;
    TManual225 sm;
    sm.abbreviation = sm.curveSpecies = sm.tableSpecies = StringToChars("SM");
    sm.curveSpecies = StringToChars("sm");
    sm.classWidth = 4;
    sm.classes.resize(50);
    for (size_t i = 1; i < sm.classes.size(); ++i)
        sm.classes[i].centre = 10 + 4.0 * double(i - 1);
    for (int centre : {54, 58, 62, 66, 110})
        sm.classes[size_t((centre - 10) / 4 + 1)].trees = centre == 110 ? 1 : 5;
    sm.meanDiameter = 60;
    sm.meanHeight = 14;
    sm.computed = true;
    stand.append("SM", sm);
    QStringList kinds;
    for (const PlausibilityWarning& w : CheckStand(stand, testsupport::binDir()))
        kinds << w.kind + "@" + QString::number(w.classCentre);
    EXPECT_TRUE(kinds.contains(PlausibilityKind::HeightImplausible + "@0")) << kinds.join(' ').toStdString();
    EXPECT_TRUE(kinds.contains(PlausibilityKind::SeparatedClass + "@110")) << kinds.join(' ').toStdString();

    stand.at(0).meanHeight = 30;
    stand.at(0).classes[size_t((110 - 10) / 4 + 1)].trees = 0;
    EXPECT_TRUE(CheckStand(stand, testsupport::binDir()).empty());
}

TEST(StandCsvExport, CzechNumbersQuotedTextsAndNoFormulas) {
    TManualy225 stand;
    stand.action = "Revitalizace; 2. etapa";
    stand.river = "Svratka \"dolní\"";
    stand.bank = "=HYPERLINK(\"http://x\")";
    stand.riverKm = "-12\t5";
    stand.area = 8450.5;
    TManual225 ol;
    ol.abbreviation = StringToChars("OL");
    ol.meanDiameter = 25.880000000004657;
    ol.share = 37.123456;
    ol.classes.resize(2);
    ol.classes[0].trees = 58;
    ol.classes[0].classVolume = 21.87;
    stand.append("OL", ol);
    const std::vector<StandCsvExport::Row> rows =
        StandCsvExport::StandRows(7, stand, StandCsvExport::Format::Czech);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), size_t(StandCsvExport::Header().size()));
    const QString line = StandCsvExport::Line(rows[0], StandCsvExport::Format::Czech);
    EXPECT_TRUE(line.startsWith("7;\"Revitalizace; 2. etapa\";\"Svratka \"\"dolní\"\"\";"
                                "\"'=HYPERLINK(\"\"http://x\"\")\";\"'-125\";\"\";8450,5;0;\"OL\";"))
        << line.toStdString();
    EXPECT_TRUE(line.contains(";25,88;")) << line.toStdString();
    EXPECT_TRUE(line.contains(";0;21,87;21,87;")) << "broadleaf stock and the total";
    EXPECT_TRUE(line.endsWith(";37,1235;0;\"\""))
        << "the share, no sample heights, no model: " << line.toStdString();
    const QString c = StandCsvExport::Line(StandCsvExport::StandRows(7, stand, StandCsvExport::Format::C)[0],
                                           StandCsvExport::Format::C);
    EXPECT_TRUE(c.contains(",8450.5,0,\"OL\",")) << c.toStdString();
}

// The Czech table starts with the byte order mark, so spreadsheets read it as UTF-8.
TEST_F(SheetFixture, CzechCsvFileIsMarkedAsUtf8) {
    computeAndRecord("OL", 2, {"5"}, "18");
    sheet.setHeader(SheetHeader::River, "Břeclavka");
    ASSERT_TRUE(sheet.save());
    QTemporaryDir dir;
    const QString file = dir.filePath("porosty.csv");
    StandCsvExport::Export(store, {flags().KlicZaznamu}, file, StandCsvExport::Format::Czech);
    const QByteArray bytes = testsupport::readFile(file);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"klic\";")) << bytes.left(20).toStdString();
    EXPECT_TRUE(bytes.contains(QString("\"Břeclavka\"").toUtf8()));
    StandCsvExport::Export(store, {flags().KlicZaznamu}, file, StandCsvExport::Format::C);
    EXPECT_TRUE(testsupport::readFile(file).startsWith("\"klic\","));
    messages();
}

TEST_F(SheetFixture, UndoAndRedoOfTallyEdits) {
    add("SM");
    counts(0, {"5"});
    counts(1, {"3"});
    EXPECT_EQ(sheet.view().totals[2], "8");
    sheet.undoStack().undo();
    EXPECT_EQ(count(1), "");
    EXPECT_EQ(sheet.view().totals[2], "5");
    sheet.undoStack().redo();
    EXPECT_EQ(count(1), "3");
    typeHeight("21");
    sheet.undoStack().undo();
    EXPECT_TRUE(sheet.view().height.isEmpty());
    sheet.undoStack().redo();

    // A deleted species comes back; a save stays, and the stand counts as unsaved again.
    sheet.meanStem().record();
    answer(true); // stored without its computation
    ASSERT_TRUE(sheet.save());
    const int key = flags().KlicZaznamu;
    answer(true);
    sheet.deleteSpecies();
    ASSERT_TRUE(sheet.view().species.isEmpty());
    sheet.undoStack().undo();
    EXPECT_EQ(sheet.view().species, QStringList{"SM"});
    EXPECT_EQ(count(0), "5");
    sheet.undoStack().undo();
    EXPECT_EQ(flags().KlicZaznamu, key) << "the stored stand keeps its key";
    EXPECT_FALSE(flags().Ulozeno);

    // Loading a stand starts afresh.
    sheet.loadStand(key);
    EXPECT_FALSE(sheet.undoStack().canUndo());
    messages();
}
