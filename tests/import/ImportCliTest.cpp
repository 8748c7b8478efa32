#include "ImportTestSupport.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using importtest::samplePath;

namespace {

struct CliRun {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

class ImportCli : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString settings() const { return dir.filePath("Rivwood.INI"); }

    CliRun run(QStringList args) {
        QProcess p;
        args.prepend(settings());
        args.prepend("--settings");
        p.start(QDir(testsupport::binDir()).filePath("rivwood-cli"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        CliRun r;
        r.exitCode = p.exitCode();
        r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return r;
    }
};

QJsonArray classes(const QJsonObject& stand, int species) {
    return stand["species"].toArray()[species].toObject()["classes"].toArray();
}

double treesAtCentre(const QJsonObject& stand, int species, double centre) {
    for (const QJsonValue& e : classes(stand, species))
        if (e.toArray()[0].toDouble() == centre)
            return e.toArray()[1].toDouble();
    return -1;
}

} // namespace

TEST_F(ImportCli, MantaxSingleStand) {
    const CliRun r = run({"import-mantax", samplePath("mantax_records.txt"), "--assign", "12=OL"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["name"].toString(), "Olšina u mlýna");
    EXPECT_EQ(r.json["designation"].toString(), "Porost 12a");
    EXPECT_EQ(r.json["key"].toInt(), 0);
    const QJsonArray species = r.json["species"].toArray();
    ASSERT_EQ(species.size(), 3);
    EXPECT_EQ(species[0].toObject()["abbreviation"].toString(), "SM");
    EXPECT_EQ(species[0].toObject()["meanHeight"].toDouble(), 22.0);
    EXPECT_EQ(treesAtCentre(r.json, 0, 22), 1);
    EXPECT_EQ(species[2].toObject()["abbreviation"].toString(), "OL");
}

TEST_F(ImportCli, MantaxCodesFromTheSettingsFileAndLayoutOptions) {
    IniFile(settings()).WriteString(SettingsKeys::KodyDrevin, "12", "BR");
    const CliRun r = run({"import-mantax", samplePath("mantax_records.txt"), "--width", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["classWidth"].toInt(), 2);
    EXPECT_EQ(r.json["firstCentre"].toDouble(), 8);
    EXPECT_EQ(r.json["species"].toArray()[2].toObject()["abbreviation"].toString(), "BR");
    EXPECT_EQ(treesAtCentre(r.json, 1, 200), 1); // 250 cm
}

TEST_F(ImportCli, MantaxClassTotalsSetTheLayout) {
    const CliRun r =
        run({"import-mantax", samplePath("mantax_class_totals.txt"), "--width", "1", "--first", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["classWidth"].toInt(), 4);
    EXPECT_EQ(r.json["firstCentre"].toDouble(), 10);
    EXPECT_EQ(treesAtCentre(r.json, 0, 14), 3);
}

TEST_F(ImportCli, UnassignedEmptyAndDuplicate) {
    CliRun r = run({"import-mantax", samplePath("mantax_records.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Nejsou přiřazeny všechny dřeviny !");
    EXPECT_TRUE(r.json.isEmpty());
    r = run({"import-mantax", samplePath("broken_garbage.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Prázdný datový soubor !");
    r = run({"import-mantax", samplePath("mantax_records.txt"), "--assign", "12=sm"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Duplicita drevin. \n  Opravte drevinu!");
    r = run({"import-mantax", samplePath("broken_huge_count.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("poškozený")) << r.err.toStdString();
}

TEST_F(ImportCli, UsageErrors) {
    EXPECT_EQ(run({"import-mantax", samplePath("mantax_records.txt"), "--assign", "12"}).exitCode, 2);
    EXPECT_EQ(run({"import-mantax", samplePath("mantax_records.txt"), "--assign", "12=NOPE"}).exitCode, 2);
    EXPECT_EQ(run({"import-mantax", "--bulk", samplePath("mantax_records.txt")}).exitCode, 2);
    EXPECT_EQ(run({"import-vaduz"}).exitCode, 2);
    EXPECT_EQ(run({"import-mantax", dir.filePath("missing.txt")}).exitCode, 1);
}

TEST_F(ImportCli, MantaxBulkIntoTheDatabase) {
    const QString db = dir.filePath("db");
    ASSERT_TRUE(QDir().mkpath(db));
    const QStringList args{"import-mantax", "--bulk",   samplePath("mantax_bulk_three.txt"),
                           "--db",          db,         "--assign",
                           "X1=SM",         "--assign", "X2=SM"};
    CliRun r = run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["keys"].toArray(), (QJsonArray{1, 2, 3}));
    r = run(args);
    EXPECT_EQ(r.json["keys"].toArray(), (QJsonArray{4, 5, 6}));
    // Without the assignment of X1 nothing is stored.
    r = run({"import-mantax", "--bulk", samplePath("mantax_bulk_three.txt"), "--db", db});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Nejsou přiřazeny všechny dřeviny !");
}

TEST_F(ImportCli, VaduzTwins) {
    const CliRun de =
        run({"import-vaduz", samplePath("vaduz_de.txt"), "--assign", "Fichte=SM", "--assign", "Buche=BK"});
    const CliRun cz =
        run({"import-vaduz", samplePath("vaduz_cz.txt"), "--assign", "Smrk=SM", "--assign", "Buk=BK"});
    const CliRun sk =
        run({"import-vaduz", samplePath("vaduz_sk.txt"), "--assign", "Smrek=SM", "--assign", "Buk=BK"});
    ASSERT_EQ(de.exitCode, 0) << de.err.toStdString();
    EXPECT_EQ(de.json, cz.json);
    EXPECT_EQ(de.json, sk.json);
    EXPECT_EQ(de.json["designation"].toString(), "12 Nord3a");
    EXPECT_EQ(treesAtCentre(de.json, 0, 90), 1);
    const CliRun small = run({"import-vaduz", samplePath("vaduz_de.txt"), "--assign", "Fichte=SM", "--assign",
                              "Buche=BK", "--width", "2", "--first", "6"});
    EXPECT_EQ(treesAtCentre(small.json, 1, 6), 1);
    EXPECT_EQ(run({"import-vaduz", samplePath("vaduz_de.txt")}).exitCode, 1);
}
