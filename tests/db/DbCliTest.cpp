// rivwood-cli summary and db commands on real database directories.
#include "DbTestSupport.h"

#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

// A computed stand: SM 5 m3 with table stock 400, BK 2 m3 with 250, OL without table stock.
QByteArray standJson(const QString& bank = "L") {
    return QString(R"({"name":"Pod jezem","river":"Sázava","bank":"%1","riverKm":"12,5","action":"Revize",
      "designation":"12a","date":"3.6.2024","comment":"Olše podél břehu","age":35,"area":5000,"shrubArea":150,
      "species":[
       {"abbreviation":"SM","curveSpecies":"sm","tableSpecies":"sm","meanDiameter":30,"meanHeight":25,
        "computed":true,"tableStock":400,"classes":[[0,10,0.5,5],[10,0,0,0],[14,0,0,0],[18,0,0,0],[22,0,0,0],
        [26,4,0.4,1.6],[30,6,0.5666,3.4]]},
       {"abbreviation":"BK","curveSpecies":"bk","tableSpecies":"bk","meanDiameter":26,"meanHeight":22,
        "computed":true,"tableStock":250,"classes":[[0,5,0.4,2],[10,0,0,0],[14,0,0,0],[18,0,0,0],[22,0,0,0],
        [26,5,0.4,2]]}]})")
        .arg(bank)
        .toUtf8();
}

} // namespace

class DbCliTest : public DbTest {
  protected:
    CliRun cli(const QStringList& args, const QByteArray& input = {}) {
        return RunCli(settings(), args, input);
    }
    QString db() const { return QDir(dir()).filePath("db"); }
    void SetUp() override {
        DbTest::SetUp();
        QDir().mkpath(db());
    }
};

TEST_F(DbCliTest, SummaryGivesSharesReducedAreasAndStocking) {
    const CliRun r = cli({"summary", "-"}, standJson());
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject stand = r.json();
    EXPECT_EQ(stand["key"].toInt(), 0);
    EXPECT_FALSE(stand["summary"].toBool());
    const QJsonArray species = stand["species"].toArray();
    ASSERT_EQ(species.size(), 2);
    const QJsonObject sm = species[0].toObject(), bk = species[1].toObject();
    EXPECT_DOUBLE_EQ(sm["reducedArea"].toDouble(), 125);
    EXPECT_DOUBLE_EQ(bk["reducedArea"].toDouble(), 80);
    EXPECT_DOUBLE_EQ(sm["share"].toDouble(), 12500.0 / 205);
    EXPECT_DOUBLE_EQ(bk["share"].toDouble(), 8000.0 / 205);
    EXPECT_DOUBLE_EQ(sm["standStocking"].toDouble(), 205.0 / 5000);
    EXPECT_DOUBLE_EQ(bk["actualArea"].toDouble(), 5000 * (8000.0 / 205) / 100);
    EXPECT_DOUBLE_EQ(sm["totalStock"].toDouble(), 5);
    EXPECT_TRUE(sm["conifer"].toBool());
    EXPECT_FALSE(QFile::exists(QDir(db()).filePath("RivwoodPor.db")));
}

TEST_F(DbCliTest, SummarySaveStoresTheStandOnAFreshDirectory) {
    testsupport::writeFile(settings(), "[UserIdentification]\r\nZavod=Povodí Vltavy\r\nTaxator=Novák\r\n");
    const QString file = QDir(dir()).filePath("stand.json");
    testsupport::writeFile(file, standJson());
    const CliRun saved = cli({"summary", file, "--db", db(), "--save"});
    ASSERT_EQ(saved.code, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.json()["key"].toInt(), 1);
    EXPECT_TRUE(saved.json()["summary"].toBool());

    const CliRun list = cli({"db", "list", "--db", db()});
    ASSERT_EQ(list.code, 0) << list.err.toStdString();
    const QJsonArray stands = list.json()["stands"].toArray();
    ASSERT_EQ(stands.size(), 1);
    EXPECT_EQ(stands[0].toObject()["river"].toString(), "Sázava");
    EXPECT_TRUE(stands[0].toObject()["summary"].toBool());
    EXPECT_TRUE(stands[0].toObject()["computed"].toBool());

    const CliRun loaded = cli({"db", "load", "1", "--db", db()});
    ASSERT_EQ(loaded.code, 0) << loaded.err.toStdString();
    QJsonObject a = saved.json(), b = loaded.json();
    a.remove("name"); // not stored
    b.remove("name");
    EXPECT_EQ(a, b);

    // The row got the user identification of the settings file.
    {
        QSqlDatabase raw = rawFile("db/RivwoodPor.db");
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("select ZAVOD, TAXATOR, PROVOZ from rivwoodpor where KLIC = 1") && q.next());
        EXPECT_EQ(q.value(0).toString(), "Povodí Vltavy");
        EXPECT_EQ(q.value(1).toString(), "Novák");
        EXPECT_EQ(q.value(2).toString(), "");
    }
    closeRaw();

    // The same stand code again: refused by default, stored with --duplicate yes.
    const CliRun refused = cli({"summary", file, "--db", db(), "--save"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err).contains("Duplicitní kód porostu. Má se přesto uložit ?"));
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(cli({"db", "list", "--db", db()}).json()["stands"].toArray().size(), 1);
    const CliRun again = cli({"summary", file, "--db", db(), "--save", "--duplicate", "yes"});
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_EQ(again.json()["key"].toInt(), 2);
}

TEST_F(DbCliTest, SaveLoadDeleteAndKeyReuse) {
    const CliRun first = cli({"db", "save", "-", "--db", db()}, standJson("L"));
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.json(), (QJsonObject{{"key", 1}}));
    const CliRun second = cli({"db", "save", "-", "--db", db()}, standJson("P"));
    EXPECT_EQ(second.json(), (QJsonObject{{"key", 2}}));
    const CliRun duplicate = cli({"db", "save", "-", "--db", db()}, standJson("P"));
    EXPECT_EQ(duplicate.code, 1);
    EXPECT_EQ(cli({"db", "list", "--db", db()}).json()["stands"].toArray().size(), 2);

    // Rewriting a stored stand under its key.
    const CliRun rewrite =
        cli({"db", "save", "-", "--db", db(), "--key", "1"}, standJson("L").replace("Pod jezem", "x"));
    EXPECT_EQ(rewrite.json(), (QJsonObject{{"key", 1}}));
    const CliRun loaded = cli({"db", "load", "1", "--db", db()});
    EXPECT_EQ(loaded.json()["key"].toInt(), 1);
    EXPECT_EQ(loaded.json()["comment"].toString(), "Olše podél břehu");
    EXPECT_EQ(loaded.json()["age"].toInt(), 35);
    EXPECT_EQ(loaded.json()["species"].toArray().size(), 2);
    EXPECT_EQ(cli({"db", "save", "-", "--db", db(), "--key", "9"}, standJson("Z")).code, 1);

    const CliRun deleted = cli({"db", "delete", "1", "--db", db()});
    EXPECT_EQ(deleted.json(), (QJsonObject{{"key", 1}}));
    EXPECT_EQ(cli({"db", "load", "1", "--db", db()}).code, 1);
    EXPECT_EQ(cli({"db", "delete", "1", "--db", db()}).code, 1);
    EXPECT_EQ(cli({"db", "save", "-", "--db", db()}, standJson("L")).json(), (QJsonObject{{"key", 1}}));
}

TEST_F(DbCliTest, UsageAndDirectoryErrors) {
    EXPECT_EQ(cli({"db", "frobnicate", "--db", db()}).code, 2);
    EXPECT_EQ(cli({"db", "list"}).code, 2);
    EXPECT_EQ(cli({"db", "load", "abc", "--db", db()}).code, 2);
    EXPECT_EQ(cli({"summary", "-", "--save"}, standJson()).code, 2);
    EXPECT_EQ(cli({"summary", "-", "--duplicate", "maybe"}, standJson()).code, 2);
    const CliRun missing = cli({"db", "list", "--db", QDir(dir()).filePath("nowhere")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(QString::fromUtf8(missing.err).contains("neexistuje"));
    // A save makes the directory it stores in, as the window does at the first start.
    const QString fresh = QDir(dir()).filePath("nova/databaze");
    const CliRun saved = cli({"summary", "-", "--db", fresh, "--save"}, standJson());
    EXPECT_EQ(saved.code, 0) << saved.err.toStdString();
    EXPECT_TRUE(QFile::exists(QDir(fresh).filePath("RivwoodPor.db")));

    testsupport::writeFile(QDir(db()).filePath("RivwoodPor.db"), QByteArray(4096, 'x'));
    const CliRun garbage = cli({"db", "save", "-", "--db", db()}, standJson());
    EXPECT_EQ(garbage.code, 1);
    const QString err = QString::fromUtf8(garbage.err);
    EXPECT_TRUE(err.contains("RivwoodPor.db") && err.contains("není databázový soubor")) << err.toStdString();
}

TEST_F(DbCliTest, SummaryErrorOfTheTableStock) {
    const CliRun r = cli({"summary", "-"}, standJson().replace("\"tableStock\":250", "\"tableStock\":-5"));
    // A stored negative table stock is not shown, so it is recomputed rather than refused.
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_GT(r.json()["species"].toArray()[1].toObject()["tableStock"].toDouble(), 0);
}

TEST_F(DbCliTest, SaveOfALoadedStandThatChangedMeanwhileIsRefusedUnlessAnswered) {
    ASSERT_EQ(cli({"db", "save", "-", "--db", db()}, standJson()).code, 0);
    const QByteArray loaded = cli({"db", "load", "1", "--db", db()}).out;
    ASSERT_EQ(cli({"db", "save", "-", "--db", db(), "--key", "1"}, loaded).code, 0);
    // The same loaded state again: someone saved the stand since.
    const CliRun stale = cli({"db", "save", "-", "--db", db(), "--key", "1"}, loaded);
    EXPECT_EQ(stale.code, 1);
    EXPECT_TRUE(QString::fromUtf8(stale.err).contains("Porost byl mezitím v databázi změněn. Přepsat?"));
    EXPECT_EQ(cli({"db", "save", "-", "--db", db(), "--key", "1", "--conflict", "yes"}, loaded).json(),
              (QJsonObject{{"key", 1}}));
}
