#include "JhkFileBuilder.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode;
    QJsonObject json;
    QString err;
};

CliRun cli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(testsupport::binDir() + "/rivwood-cli", args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object(),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CliCore, CurveAndTableStockOnTheShippedFiles) {
    const CliRun c = cli({"curve", "sm", "25.5", "22", "--at", "10,26,60"});
    ASSERT_EQ(c.exitCode, 0) << c.err.toStdString();
    EXPECT_GT(c.json["curve"].toInt(), 0);
    EXPECT_GT(c.json["rows"].toInt(), 0);
    const QJsonArray v = c.json["volumes"].toArray();
    ASSERT_EQ(v.size(), 3);
    EXPECT_EQ(v[1].toObject()["d"].toDouble(), 26);
    EXPECT_LT(v[0].toObject()["volume"].toDouble(), v[1].toObject()["volume"].toDouble());
    EXPECT_LT(v[1].toObject()["volume"].toDouble(), v[2].toObject()["volume"].toDouble());

    const CliRun t = cli({"table-stock", "sm", "26", "22"});
    ASSERT_EQ(t.exitCode, 0);
    EXPECT_NEAR(t.json["S"].toDouble(), 431.990837939, 1e-7);
    EXPECT_EQ(cli({"table-stock", "ker", "26", "22"}).json["S"].toDouble(), 0);
}

TEST(CliCore, UsageAndUserErrorsHaveTheirExitCodes) {
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({"nonsense"}).exitCode, 2);
    EXPECT_EQ(cli({"table-stock", "sm", "x", "22"}).exitCode, 2);
    EXPECT_EQ(cli({"curve", "sm", "25"}).exitCode, 2);
    const CliRun missing = cli({"--refdir", "/nonexistent", "curve", "sm", "25", "22"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("JHK.KRI"));
    EXPECT_EQ(cli({"compute", "-"}, "{bad json").exitCode, 1);
}

TEST(CliCore, ReadJhkPrintsTheStandAndRejectsOthers) {
    QTemporaryDir dir;
    JhkTestStand s;
    s.name = "Porost";
    s.species.push_back(MakeSpecies("SM", 4, 50));
    const QString path = dir.filePath("A.JHK");
    testsupport::writeFile(path, BuildJhkV3(s));
    const CliRun r = cli({"read-jhk", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["name"].toString(), "Porost");
    EXPECT_EQ(r.json["species"].toArray()[0].toObject()["abbreviation"].toString(), "SM");

    s.version = 4;
    testsupport::writeFile(path, BuildJhkV3(s));
    const CliRun bad = cli({"read-jhk", path});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err.trimmed(), "A.JHK\nnení datový soubor JHK");
}

TEST(CliCore, ComputeTurnsTalliesIntoCurvesAndVolumes) {
    const QByteArray stand = R"({"classWidth":4,"firstCentre":10,"species":[
        {"abbreviation":"SM","meanHeight":22,"classes":[]}]})";
    QJsonObject doc = QJsonDocument::fromJson(stand).object();
    QJsonArray species = doc["species"].toArray();
    QJsonObject sm = species[0].toObject();
    QJsonArray classes;
    for (int i = 0; i < 50; ++i) {
        const double centre = i == 0 ? 0 : 10 + (i - 1) * 4;
        const double trees = (centre == 22 || centre == 30) ? 10 : 0;
        classes.append(QJsonArray{centre, trees, 0, 0});
    }
    sm["classes"] = classes;
    species[0] = sm;
    doc["species"] = species;

    const CliRun r = cli({"compute", "-"}, QJsonDocument(doc).toJson());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject out = r.json["species"].toArray()[0].toObject();
    EXPECT_TRUE(out["computed"].toBool());
    EXPECT_GT(out["curve"].toInt(), 0);
    EXPECT_NEAR(out["meanDiameter"].toDouble(), 26.31, 1e-9);
    const QJsonArray c = out["classes"].toArray();
    const double v22 = c[4].toArray()[3].toDouble(), v30 = c[6].toArray()[3].toDouble();
    EXPECT_GT(v22, 0);
    EXPECT_NEAR(c[0].toArray()[3].toDouble(), v22 + v30, 1e-9);
    EXPECT_NEAR(c[4].toArray()[2].toDouble() * 10, v22, 1e-12);
}
