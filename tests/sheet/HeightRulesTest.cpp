// The sample heights on the sheet, their import, "Výška z křivky" and the checks of the curve.
#include "SheetFixture.h"

#include "LocaleNumbers.h"
#include "StandCsvExport.h"
#include "StandJson.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Heights on the Näslund curve h = 1.3 + d² / (1.6 + 0.2·d)², rounded to decimetres.
QList<std::pair<QString, QString>> curvePairs(int count) {
    QList<std::pair<QString, QString>> out;
    for (int i = 0; i < count; ++i) {
        const double d = 10 + 3.5 * i;
        const double h = 1.3 + d * d / ((1.6 + 0.2 * d) * (1.6 + 0.2 * d)) + (i % 2 ? 0.3 : -0.3);
        out.push_back({QString::number(d), QString::number(h, 'f', 1)});
    }
    return out;
}

class HeightRules : public SheetFixture {
  protected:
    // Pairs typed into the grid's last row, diameter then height.
    void typePairs(const QList<std::pair<QString, QString>>& pairs) {
        for (const auto& [d, h] : pairs) {
            const int row = int(sheet.view().samples.size()) - 1;
            sheet.heights().setSample(row, 0, d);
            sheet.heights().setSample(row, 1, h);
        }
    }
    QString sampleCell(int row, int column) const {
        return sheet.view().samples[size_t(row)][size_t(column)];
    }
};

} // namespace

// A pair counts once both cells hold numbers; a bad number stays in its cell with a message; an
// emptied row goes; the edits are undone step by step and "Záznam" stores the pairs.
TEST_F(HeightRules, GridEntry) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "20");
    ASSERT_TRUE(flags().Zaznamenano);
    ASSERT_EQ(sheet.view().samples.size(), 1u);
    sheet.heights().setSample(0, 0, "24.5");
    EXPECT_TRUE(session.work.VyskoveVzorniky.empty());
    ASSERT_EQ(sheet.view().samples.size(), 2u) << "an empty row follows the row begun";
    sheet.heights().setSample(0, 1, "1,1");
    EXPECT_EQ(messages(), QStringList{"Výška vzorníku „1,1“ není číslo větší než 1,3 m."});
    EXPECT_EQ(sampleCell(0, 1), "1,1");
    EXPECT_TRUE(session.work.VyskoveVzorniky.empty());
    sheet.heights().setSample(0, 1, "19,5");
    EXPECT_EQ(session.work.VyskoveVzorniky, (SampleHeights{{24.5, 19.5}}));
    EXPECT_FALSE(flags().Zaznamenano);
    EXPECT_TRUE(flags().Vypocteno) << "the stock does not depend on the samples";
    sheet.heights().setSample(1, 0, "abc");
    EXPECT_EQ(messages(), QStringList{"Tloušťka vzorníku „abc“ není kladné číslo v cm."});

    sheet.undoStack().undo();
    EXPECT_EQ(sampleCell(1, 0), "");
    sheet.undoStack().undo();
    EXPECT_EQ(sampleCell(0, 1), "1,1");
    EXPECT_TRUE(session.work.VyskoveVzorniky.empty());
    sheet.undoStack().redo();
    EXPECT_EQ(session.work.VyskoveVzorniky.size(), 1u);

    typePairs({{"30", "22"}});
    sheet.heights().setSample(0, 0, "");
    sheet.heights().setSample(0, 1, "");
    ASSERT_EQ(sheet.view().samples.size(), 2u) << "the emptied row is gone";
    EXPECT_EQ(sampleCell(0, 0), "30");
    sheet.meanStem().record();
    EXPECT_EQ(session.stand.at(0).sampleHeights, (SampleHeights{{30, 22}}));
    EXPECT_TRUE(messages().isEmpty());
}

// "Výška z křivky" puts the best curve's height at the mean diameter into the height box as if
// typed; it waits for enough pairs and is undone like typing.
TEST_F(HeightRules, HeightFromTheCurve) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "20");
    typePairs(curvePairs(3));
    EXPECT_FALSE(commands().vyskaZKrivky);
    sheet.heights().heightFromCurve();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(sheet.view().height.trimmed(), "20");

    typePairs(curvePairs(10).mid(3));
    sheet.meanStem().record();
    ASSERT_TRUE(commands().vyskaZKrivky);
    const HeightCurves curves = sheet.heights().curves();
    ASSERT_NE(curves.bestFit(), nullptr);
    const double d = LocaleNumbers::Read(sheet.view().diameter, 0);
    EXPECT_EQ(sheet.heights().curveDiameter(), d);
    const double h = curves.bestFit()->height(d);
    sheet.heights().heightFromCurve();
    EXPECT_EQ(session.work.StrVyska, h);
    EXPECT_EQ(sheet.view().height, LocaleNumbers::Format("%8.4g", h));
    EXPECT_TRUE(flags().ZmenaVysky);
    EXPECT_FALSE(flags().Vypocteno);
    EXPECT_FALSE(flags().Zaznamenano);
    EXPECT_EQ(takeFocus(), SheetFocus::Vypocet);
    sheet.undoStack().undo();
    EXPECT_EQ(sheet.view().height.trimmed(), "20");
    EXPECT_TRUE(flags().Vypocteno);
    EXPECT_TRUE(messages().isEmpty());

    // Before "Tloušťka" the curve is read at the tally's basal-area mean, as "Tloušťka" shows it.
    add("BK");
    counts(3, {"4", "6"});
    const double tally = sheet.heights().curveDiameter();
    sheet.meanStem().computeDiameter();
    EXPECT_EQ(tally, LocaleNumbers::Read(sheet.view().diameter, 0));
}

// Pairs from a file go to the species of the stand, on display or recorded; pairs of other
// species and bad lines are reported, and the import is one step of undo.
TEST_F(HeightRules, ImportFromAFile) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "20");
    add("BK");
    counts(3, {"4"});
    sheet.heights().setSample(0, 0, "28");
    EXPECT_FALSE(sheet.heights().importFile("JD;20;18\n"));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(
        sheet.heights().importFile("dřevina;tloušťka;výška\nSM;20;18\nbk;30,5;25\nJD;20;18\nSM;x;1\n"));
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("SM 1, BK 1")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("Dřevina JD")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("Řádek 5")) << shown[0].toStdString();
    EXPECT_EQ(session.stand.find("SM")->sampleHeights, (SampleHeights{{20, 18}}));
    EXPECT_EQ(session.work.VyskoveVzorniky, (SampleHeights{{30.5, 25}}));
    EXPECT_EQ(sampleCell(0, 0), "28") << "a pair begun stays";
    EXPECT_EQ(sampleCell(1, 0), "30.5");
    sheet.undoStack().undo();
    EXPECT_TRUE(session.stand.find("SM")->sampleHeights.empty());
    EXPECT_TRUE(session.work.VyskoveVzorniky.empty());
}

// "Kontrola porostu" names a sample far off the curve and a mean height far from it.
TEST_F(HeightRules, ChecksOfTheCurve) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "15");
    auto pairs = curvePairs(12);
    pairs[5].second = "31";
    typePairs(pairs);
    sheet.meanStem().record();
    const auto kinds = [this] {
        QStringList out;
        for (const PlausibilityWarning& w : sheet.check())
            out << w.kind;
        return out;
    };
    QStringList found = kinds();
    EXPECT_EQ(found.count(PlausibilityKind::OutlyingHeight), 1) << found.join(", ").toStdString();
    EXPECT_FALSE(found.contains(PlausibilityKind::HeightOffCurve));
    typeHeight("10");
    sheet.meanStem().record();
    EXPECT_TRUE(kinds().contains(PlausibilityKind::HeightOffCurve));
    messages();
}

// rivwood-cli heights and import-heights run the sheet's operations: the models of every species,
// the mean-stem height --apply sets, and pairs added from a file.
TEST_F(HeightRules, CommandLine) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "20");
    typePairs(curvePairs(10));
    sheet.meanStem().record();
    computeAndRecord("BK", 3, {"4"}, "25");
    QTemporaryDir dir;
    const QString stand = dir.filePath("porost.json");
    ASSERT_TRUE(
        testsupport::writeFile(stand, QJsonDocument(StandJson::ToJson(session, session.key())).toJson()));
    const auto run = [](const QStringList& args, int code = 0) {
        QProcess p;
        p.start(testsupport::binDir() + "/rivwood-cli", args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), code)
            << args.join(' ').toStdString() << p.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    };

    const QJsonArray species = run({"heights", stand})["species"].toArray();
    ASSERT_EQ(species.size(), 2);
    const QJsonObject sm = species[0].toObject();
    EXPECT_EQ(sm["abbreviation"], "SM");
    EXPECT_EQ(sm["samples"], 10);
    EXPECT_EQ(sm["models"].toArray().size(), 8);
    sheet.pickSpecies(0);
    const HeightCurves curves = sheet.heights().curves();
    EXPECT_EQ(sm["best"], HeightModels::Name(curves.bestFit()->model));
    EXPECT_EQ(sm["meanStemHeight"].toDouble(), curves.bestFit()->height(sheet.heights().curveDiameter()));
    EXPECT_EQ(species[1].toObject(), (QJsonObject{{"abbreviation", "BK"},
                                                  {"samples", 0},
                                                  {"models", QJsonArray()},
                                                  {"best", ""},
                                                  {"meanStemHeight", 0}}));
    const QJsonArray power = run({"heights", stand, "--model", "power"})["species"][0]["models"].toArray();
    ASSERT_EQ(power.size(), 1);
    EXPECT_EQ(power[0]["model"], "power");
    run({"heights", stand, "--model", "kubický"}, 2);

    const QJsonArray applied = run({"heights", stand, "--apply"})["species"].toArray();
    // The stand keeps heights at the precision of its 6-byte reals.
    EXPECT_NEAR(applied[0]["meanHeight"].toDouble(), sm["meanStemHeight"].toDouble(), 1e-9);
    EXPECT_FALSE(applied[0]["computed"].toBool());
    EXPECT_EQ(applied[1]["meanHeight"], 25);
    EXPECT_TRUE(applied[1]["computed"].toBool());

    const QString file = dir.filePath("vysky.csv");
    ASSERT_TRUE(testsupport::writeFile(file, "BK;31;26,5\n"));
    EXPECT_EQ(run({"import-heights", file, stand})["species"][1]["sampleHeights"],
              (QJsonArray{QJsonArray{31, 26.5}}));
    ASSERT_TRUE(testsupport::writeFile(file, "JD;31;26,5\n"));
    run({"import-heights", file, stand}, 1);
    messages();
}

// The CSV export ends each species row with its count of sample heights and its best model.
TEST_F(HeightRules, CsvNamesTheSamplesAndTheModel) {
    computeAndRecord("SM", 2, {"5", "10", "8"}, "15");
    typePairs(curvePairs(10));
    sheet.meanStem().record();
    computeAndRecord("BK", 3, {"4"}, "25");
    const std::vector<StandCsvExport::Row> rows =
        StandCsvExport::StandRows(1, session.stand, StandCsvExport::Format::C);
    ASSERT_EQ(rows.size(), 2u);
    const auto lastTwo = [](const StandCsvExport::Row& row) {
        return QStringList{row[row.size() - 2].value, row.back().value};
    };
    EXPECT_EQ(lastTwo(rows[0]),
              (QStringList{"10", HeightModels::Name(
                                     FitHeightCurves(session.stand.at(0).sampleHeights).bestFit()->model)}));
    EXPECT_EQ(lastTwo(rows[1]), (QStringList{"0", ""}));
    EXPECT_EQ(StandCsvExport::Header().mid(StandCsvExport::Header().size() - 2),
              (QStringList{"vyskove_vzorniky", "model_vysek"}));
}
