#include "OldDatabaseTakeOver.h"
#include "DatabaseChooser.h"
#include "OldStandTables.h"
#include "ParadoxFixtures.h"
#include "RivwoodError.h"
#include "StandJson.h"
#include "TempStandDatabase.h"
#include "TestSupport.h"
#include "ThrowawayCluster.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

// The five tables of an older database, as the rows the fixture writes.
struct OldTables {
    Rows por, dre, tlo, ses, vys;
};

OldTables fixture() {
    const QVariant null;
    OldTables t;
    t.por = {
        {1,
         true,
         Text("Želivka"),
         Text("L"),
         Text("12,5–13,0"),
         Text("Údržba břehů"),
         12500.5,
         45,
         2,
         null,
         Text("Příliš žluťoučký kůň úpěl ďábelské ódy"),
         LongMemo(),
         Text("Želivka L 12,5–13,0"),
         Text("3.5.1998"),
         true,
         true,
         Text("Povodí Vltavy"),
         Text("České Budějovice"),
         Text("Ing. Řehoř Šťastný"),
         Text("Šárka")},
        {2,    false, null, null, null, null, null, null, null, null,
         null, null,  null, null, null, null, null, null, null, null},
        {3,         true,         Text("Ohře"),   Text("P"),
         Text("0"), Text("Akce"), 800.0,          null,
         1,         12.0,         Text("Vrbina"), Text("Krátká poznámka."),
         null,      null,         false,          false,
         null,      null,         null,           null},
        // A species of another stand's class row: left out whole.
        {4,    true,      Text("Jizera"), null, null,  null,  500.0, 3,    1,    0.0,
         null, Text("x"), null,           null, false, false, null,  null, null, null},
    };
    t.dre = {
        {1, Text("BK"), Text("BK"), Text("BK"), 2400, 23.5, true, 24.75, true, 410.0, 2, 6, null},
        {1, Text("SM"), Text("SM"), Text("SM"), 2800, 27.0, false, 26.5, true, 520.25, 4, 5, 10.0},
        {3, Text("DB"), Text("DB"), Text("BO"), 0, 0.0, false, 0.0, false, 0.0, 4, 8, 12.0},
        {4, Text("OL"), Text("OL"), Text("OL"), 0, 0.0, false, 0.0, false, 0.0, 4, 8, 10.0},
        // Without a stand.
        {9, Text("JS"), Text("JS"), Text("JS"), 0, 0.0, false, 0.0, false, 0.0, 4, 8, 10.0},
    };
    t.tlo = {
        {1, Text("SM"), 10.0, 3.0, 0.05, 0.15}, {1, Text("SM"), 22.0, 2.0, 0.4, 0.8},
        {1, Text("BK"), 8.0, 7.0, 0.03, 0.21},  {1, Text("BK"), 16.0, 1.0, 0.2, 0.2},
        {3, Text("DB"), 16.0, 4.0, 0.3, 1.2},   {3, Text("DB"), 20.0, 9.0, 0.5, 4.5},
        {4, Text("OL"), 10.0, 1.0, 0.1, 0.1},   {4, Text("JS"), 10.0, 1.0, 0.1, 0.1},
    };
    t.ses = {
        {1,    12500.5, 0.9,  Text("SM"), 1,    2,      0.5,  6000.0, 5500.0,
         0.44, 55.0,    true, 26.5,       27.0, 2800.0, 1.2,  15.0,   520.25,
         null, 520.25,  80.0, 80.0,       null, 100.0,  null, 100.0,  null},
        {1,     12500.5, 0.9,   Text("BK"), 20,   1,      0.4,  6500.0, 5000.0,
         0.4,   45.0,    false, 24.75,      23.5, 2400.0, 1.0,  12.5,   null,
         410.0, 410.0,   64.0,  null,       64.0, null,   80.0, 80.0,   null},
    };
    t.vys = {{1, Text("SM"), 24.0, 25.5}, {1, Text("SM"), 30.5, 28.0}, {1, Text("BK"), 20.0, 22.0}};
    return t;
}

void write(const QString& dir, const OldTables& t) {
    testsupport::WriteOldTable(dir, "RivwoodPor", t.por);
    testsupport::WriteOldTable(dir, "RivwoodDre", t.dre);
    // The class table with a row deleted: its bytes stay in the block past the count.
    {
        testsupport::ParadoxTableWriter w(QDir(dir).filePath("RivwoodTlo.db"),
                                          testsupport::OldTableColumns("RivwoodTlo"));
        for (const auto& row : t.tlo)
            w.addRow(row);
        w.addRow({3, Text("DB"), 24.0, 5.0, 0.7, 3.5});
        w.deleteRow(int(t.tlo.size()));
    }
    testsupport::WriteOldTable(dir, "RivwoodSes", t.ses);
    testsupport::WriteOldTable(dir, "RivwoodVys", t.vys);
}

double num(const QVariant& v) {
    return v.isNull() ? 0.0 : v.toDouble();
}

// The stand stored under the row's key equals what the fixture's rows hold.
void expectStandOfRows(StandStore& store, const OldTables& t, const std::vector<QVariant>& por) {
    const int key = por[0].toInt();
    SCOPED_TRACE(key);
    StandSession session;
    ASSERT_TRUE(store.LoadStand(session, key).found);
    const TManualy225& st = session.stand;
    EXPECT_EQ(st.river, por[2].toString());
    EXPECT_EQ(st.bank, por[3].toString());
    EXPECT_EQ(st.riverKm, por[4].toString());
    EXPECT_EQ(st.action, por[5].toString());
    EXPECT_EQ(st.area, num(por[6]));
    EXPECT_EQ(st.age, por[7].toInt());
    EXPECT_EQ(st.shrubArea, num(por[9]));
    EXPECT_EQ(st.designation, por[10].toString());
    EXPECT_EQ(st.comment, por[11].toString());
    EXPECT_EQ(st.code, por[12].toString());
    EXPECT_EQ(st.date, por[13].toString());
    EXPECT_EQ(
        store.ReadUserIdentification(key),
        (UserIdentification{por[16].toString(), por[17].toString(), por[18].toString(), por[19].toString()}));
    int species = 0;
    for (const auto& d : t.dre) {
        if (d[0] != por[0])
            continue;
        ++species;
        const TManual225* s = st.find(d[1].toString());
        ASSERT_TRUE(s) << d[1].toString().toStdString();
        EXPECT_EQ(CharsToString(s->curveSpecies), d[2].toString());
        EXPECT_EQ(CharsToString(s->tableSpecies), d[3].toString());
        EXPECT_EQ(s->curve, d[4].toInt());
        EXPECT_EQ(s->meanDiameter, num(d[5]));
        EXPECT_EQ(s->meanDiameterComputed, d[6].toBool());
        EXPECT_EQ(s->meanHeight, num(d[7]));
        EXPECT_EQ(s->computed, d[8].toBool());
        EXPECT_EQ(s->tableStock, num(d[9]));
        EXPECT_EQ(s->classWidth, d[10].toInt());
        EXPECT_EQ(s->classCount, d[11].toInt());
        EXPECT_EQ(s->firstCentre, d[12].isNull() ? 8.0 : num(d[12]));
        double trees = 0;
        for (const auto& c : t.tlo) {
            if (c[0] != por[0] || c[1] != d[1])
                continue;
            const int i = int((num(c[2]) - s->firstCentre) / s->classWidth) + 1;
            EXPECT_EQ(s->classes.at(size_t(i)),
                      (TTloustkoveStupne{num(c[2]), num(c[3]), num(c[4]), num(c[5])}));
            trees += num(c[3]);
        }
        EXPECT_EQ(s->classes.at(0).trees, trees);
        for (const auto& r : t.ses) {
            if (r[0] != por[0] || r[3] != d[1])
                continue;
            EXPECT_EQ(s->code, r[4].toInt());
            EXPECT_EQ(s->stocking, num(r[6]));
            EXPECT_EQ(s->actualArea, num(r[7]));
            EXPECT_EQ(s->reducedArea, num(r[8]));
            EXPECT_EQ(s->reducedAreaShare, num(r[9]));
            EXPECT_EQ(s->share, num(r[10]));
            EXPECT_EQ(s->conifer, r[11].toBool());
            EXPECT_EQ(s->basalAreaPerHa, num(r[15]));
            EXPECT_EQ(s->basalArea, num(r[16]));
            EXPECT_EQ(s->stockPerHa, num(r[20]));
            EXPECT_EQ(s->totalStock, num(r[25]));
            EXPECT_EQ(s->standStocking, num(r[2]));
        }
        SampleHeights heights;
        for (const auto& v : t.vys)
            if (v[0] == por[0] && v[1] == d[1])
                heights.push_back({num(v[2]), num(v[3])});
        EXPECT_EQ(s->sampleHeights, heights);
    }
    EXPECT_EQ(st.count(), species);
}

class OldDatabaseTakeOverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tables = fixture();
        write(m_old.path(), m_tables);
    }
    QString oldFile(const QString& name) const { return QDir(m_old.path()).filePath(name); }
    // The stand JSON of every stand of the target, to tell whether it changed.
    QByteArray targetState() {
        QByteArray all;
        for (const int key : m_target.store.StandKeys()) {
            StandSession s;
            m_target.store.LoadStand(s, key);
            all += QJsonDocument(StandJson::ToJson(s, key)).toJson();
        }
        return all;
    }

    QTemporaryDir m_old;
    OldTables m_tables;
    testsupport::TempStandDatabase m_target;
};

TEST_F(OldDatabaseTakeOverTest, TakesEveryUsedStandOverWithEveryValue) {
    // The older layout's tables are only listed.
    QFile::copy(oldFile("RivwoodVys.db"), oldFile("JHKDRE.DB"));
    const auto before = testsupport::directoryContents(m_old.path());

    const OldDatabaseTakeOver::Result r =
        OldDatabaseTakeOver::TakeOver(m_old.path(), m_target.database, false);
    EXPECT_EQ(r.imported, (std::vector<int>{1, 3}));
    EXPECT_EQ(r.heights, 3);
    EXPECT_EQ(r.notRead, QStringList{"JHKDRE.DB"});
    ASSERT_EQ(r.skipped.size(), 2u);
    // A stand with a class row of a species it does not have is not stored at all; the species
    // row of a key without a stand is named.
    EXPECT_EQ(r.skipped[0].key, 4);
    EXPECT_TRUE(r.skipped[0].reason.contains("„JS“")) << r.skipped[0].reason.toStdString();
    EXPECT_EQ(r.skipped[1].key, 9);
    EXPECT_TRUE(r.skipped[1].reason.contains("dřeviny JS")) << r.skipped[1].reason.toStdString();
    EXPECT_EQ(m_target.store.StandKeys(), (std::vector<int>{1, 3}));
    EXPECT_FALSE(m_target.store.ReadUserIdentification(4));

    expectStandOfRows(m_target.store, m_tables, m_tables.por[0]);
    expectStandOfRows(m_target.store, m_tables, m_tables.por[2]);
    EXPECT_EQ(testsupport::directoryContents(m_old.path()), before);
}

TEST_F(OldDatabaseTakeOverTest, StopsWhenToldKeepingWhatWasStored) {
    const OldDatabaseTakeOver::Result r = OldDatabaseTakeOver::TakeOver(
        m_old.path(), m_target.database, false, [](int done, int total) { return done < 1 && total == 2; });
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.imported, std::vector<int>{1});
    EXPECT_EQ(m_target.store.StandKeys(), std::vector<int>{1});
}

TEST_F(OldDatabaseTakeOverTest, ConflictIsSkippedOrOverwritten) {
    TManualy225 own;
    own.river = "Vlastní";
    m_target.store.SaveStand(own, m_target.store.AllocateStandKey());
    const QByteArray mine = targetState();

    OldDatabaseTakeOver::Result r = OldDatabaseTakeOver::TakeOver(m_old.path(), m_target.database, false);
    EXPECT_EQ(r.imported, std::vector<int>{3});
    ASSERT_FALSE(r.skipped.empty());
    EXPECT_EQ(r.skipped[0].key, 1);
    EXPECT_TRUE(r.skipped[0].reason.contains("už je porost")) << r.skipped[0].reason.toStdString();
    StandSession kept;
    m_target.store.LoadStand(kept, 1);
    EXPECT_EQ(kept.stand.river, "Vlastní");

    r = OldDatabaseTakeOver::TakeOver(m_old.path(), m_target.database, true);
    EXPECT_EQ(r.imported, (std::vector<int>{1, 3}));
    expectStandOfRows(m_target.store, m_tables, m_tables.por[0]);
    EXPECT_NE(targetState(), mine);
}

TEST_F(OldDatabaseTakeOverTest, DamagedTableNamesItsFileAndStoresNothing) {
    TManualy225 own;
    own.river = "Vlastní";
    m_target.store.SaveStand(own, m_target.store.AllocateStandKey());
    const QByteArray state = targetState();
    const QByteArray good = testsupport::readFile(oldFile("RivwoodTlo.db"));
    const QByteArray goodMemo = testsupport::readFile(oldFile("RivwoodPor.mb"));

    const auto failure = [&](const QString& file, const QByteArray& bytes) {
        testsupport::writeFile(oldFile(file), bytes);
        try {
            OldDatabaseTakeOver::TakeOver(m_old.path(), m_target.database, true);
        } catch (const RivwoodError& e) {
            return e.message();
        }
        return QString();
    };
    QByteArray garbage(good.size(), '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char(i * 131 + 7);
    const std::pair<QString, QByteArray> damaged[] = {
        {"RivwoodTlo.db", good.left(good.size() - 100)},
        {"RivwoodTlo.db", garbage},
        {"RivwoodPor.mb", goodMemo.left(goodMemo.size() / 2)},
        {"RivwoodPor.mb", garbage},
    };
    for (const auto& [file, bytes] : damaged) {
        const QString message = failure(file, bytes);
        EXPECT_TRUE(message.contains(file)) << file.toStdString() << ": " << message.toStdString();
        EXPECT_EQ(targetState(), state) << file.toStdString();
        testsupport::writeFile(oldFile("RivwoodTlo.db"), good);
        testsupport::writeFile(oldFile("RivwoodPor.mb"), goodMemo);
    }
}

TEST_F(OldDatabaseTakeOverTest, TakesOverOntoAServer) {
    QString whyNot;
    testsupport::ThrowawayCluster* cluster = testsupport::ThrowawayCluster::Shared(&whyNot);
    if (!cluster)
        GTEST_SKIP() << whyNot.toStdString();
    StandDatabase server(m_target.settingsFile());
    ASSERT_TRUE(DatabaseChooser::UseServer(server, cluster->CreateDatabase(),
                                           [](const UserMessage&) { return true; }));
    const OldDatabaseTakeOver::Result r = OldDatabaseTakeOver::TakeOver(m_old.path(), server, false);
    EXPECT_EQ(r.imported, (std::vector<int>{1, 3}));
    StandStore store(server);
    expectStandOfRows(store, m_tables, m_tables.por[0]);
    expectStandOfRows(store, m_tables, m_tables.por[2]);
}

TEST_F(OldDatabaseTakeOverTest, CommandLinePrintsWhatWasTakenOver) {
    const QString target = QDir(m_target.path("cil")).filePath("db");
    const auto cli = [&](const QStringList& args) {
        QProcess p;
        p.start(QDir(testsupport::binDir()).filePath("rivwood-cli"),
                QStringList{"--settings", m_target.settingsFile()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return std::make_pair(p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object());
    };
    const auto [code, json] = cli({"db", "import-old", "--from", m_old.path(), "--db", target});
    ASSERT_EQ(code, 0);
    EXPECT_EQ(json["imported"].toArray(), (QJsonArray{1, 3}));
    EXPECT_EQ(json["heights"].toInt(), 3);
    EXPECT_EQ(json["notRead"].toArray(), QJsonArray());
    const QJsonArray skipped = json["skipped"].toArray();
    ASSERT_EQ(skipped.size(), 2);
    EXPECT_EQ(skipped[1].toObject()["key"].toInt(), 9);
    EXPECT_FALSE(skipped[1].toObject()["reason"].toString().isEmpty());
    EXPECT_EQ(cli({"db", "load", "1", "--db", target}).second["comment"].toString(), LongMemo());
    EXPECT_EQ(cli({"db", "import-old", "--from", m_old.path(), "--db", target, "--conflict", "snad"}).first,
              2);
}

} // namespace
