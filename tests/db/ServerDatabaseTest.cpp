// The stand database on the tests' own server: db copy between a directory and the server (a
// bulk import goes up and comes back unchanged, a stand changed on both sides is a conflict),
// the settings file, rights and server errors.
#include "DbTestSupport.h"

#include "DatabaseChooser.h"
#include "DatabaseError.h"
#include "IniFile.h"
#include "RawQuery.h"
#include "ServerAddress.h"
#include "SettingsKeys.h"
#include "StandCopy.h"
#include "StandStore.h"
#include "TestSupport.h"
#include "ThrowawayCluster.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

class StandCopyTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        QString whyNot;
        if (!testsupport::ThrowawayCluster::Shared(&whyNot))
            GTEST_SKIP() << "no PostgreSQL server: " << whyNot.toStdString();
        server = testsupport::ThrowawayCluster::Shared(nullptr)->CreateDatabase();
    }
    CliRun cli(const QStringList& args, const QByteArray& input = {}) {
        const CliRun r = RunCli(settings(), args, input);
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        return r;
    }
    QString local(const QString& name) {
        const QString path = QDir(dir()).filePath(name);
        QDir().mkpath(path);
        return path;
    }
    // Every stand of a database as rivwood-cli loads it, change counter included.
    QByteArrayList stands(const QString& db) {
        QByteArrayList out;
        for (const QJsonValue& s : cli({"db", "list", "--db", db}).json()["stands"].toArray())
            out << cli({"db", "load", QString::number(s.toObject()["key"].toInt()), "--db", db}).out;
        return out;
    }
    QString server;
};

QJsonArray keys(std::initializer_list<int> list) {
    QJsonArray a;
    for (int k : list)
        a.append(k);
    return a;
}

} // namespace

TEST_F(StandCopyTest, BulkImportGoesToTheServerAndBackWithNothingLost) {
    const QString field = local("field"), back = local("back");
    cli({"import-mantax", "--bulk", testsupport::dataPath("import/mantax_bulk_heights.txt"), "--db", field});
    const QByteArrayList imported = stands(field);
    ASSERT_EQ(imported.size(), 4);

    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--all"}).json(),
              (QJsonObject{{"copied", keys({1, 2, 3, 4})}, {"conflicts", QJsonArray()}}));
    EXPECT_EQ(stands(server), imported);
    EXPECT_EQ(cli({"db", "copy", "--from", server, "--to", back, "--all"}).json()["copied"].toArray(),
              keys({1, 2, 3, 4}));
    EXPECT_EQ(stands(back), imported);

    // Stand 2 changed in the office: taking it again from the field is a conflict, not an
    // overwrite, until asked for.
    const QByteArray changed = QJsonDocument(QJsonDocument::fromJson(imported[1]).object()).toJson();
    cli({"db", "save", "-", "--db", server, "--key", "2"}, changed);
    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--key", "1", "--key", "2"}).json(),
              (QJsonObject{{"copied", keys({1})}, {"conflicts", keys({2})}}));
    EXPECT_NE(stands(server)[1], imported[1]);
    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--key", "2", "--conflict", "yes"})
                  .json()["copied"]
                  .toArray(),
              keys({2}));
    EXPECT_EQ(stands(server), imported);
}

// The stand report over the server numbers its pages (one pass over the stands, the pages stored
// set-wise) and composes as over a directory: the same stands give the same text.
TEST_F(StandCopyTest, StandReportOnTheServerIsTheReportOnADirectory) {
    const QString field = local("field"), out = local("out");
    cli({"import-mantax", "--bulk", testsupport::dataPath("import/mantax_bulk_heights.txt"), "--db", field});
    cli({"db", "compute", "--all", "--db", field});
    cli({"db", "copy", "--from", field, "--to", server, "--all"});
    auto report = [&](const QString& db, const QString& name) {
        const QString file = QDir(out).filePath(name);
        EXPECT_GE(cli({"report", "--db", db, "--all", "--comment", "--text", file}).json()["pages"].toInt(),
                  1);
        // Without the time of printing.
        QByteArrayList lines = testsupport::readFile(file).split('\n');
        lines.removeIf([](const QByteArray& l) {
            return QString::fromLatin1(l).contains(QRegularExpression("\\d+:\\d\\d"));
        });
        return lines;
    };
    const QByteArrayList onDirectory = report(field, "adresar.txt");
    EXPECT_GT(onDirectory.size(), 20);
    EXPECT_EQ(report(server, "server.txt"), onDirectory);
}

TEST_F(StandCopyTest, SettingsKeepTheServerWithoutPasswordAndAReaderCannotWrite) {
    // The server of the settings file comes before the directory.
    IniFile(settings()).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, dir());
    IniFile(settings()).WriteString(SettingsKeys::DataBase, SettingsKeys::Server, server);
    StandDatabase db(settings());
    ASSERT_TRUE(DatabaseChooser::OpenDatabase(db, dir(), {}));
    EXPECT_TRUE(db.isServer());
    EXPECT_FALSE(db.isReadOnly());
    StandStore(db).SaveNewStand(MakeStand(1, 2).stand);
    {
        testsupport::RawQuery q(db);
        ASSERT_TRUE(q.exec("create role reader login") &&
                    q.exec("grant select on all tables in schema public to reader"));
    }
    // A password typed into the address is used, never stored.
    const QString reader = QString(server).replace("postgresql://", "postgresql://reader:tajne@");
    DatabaseChooser::UseServer(db, reader, {});
    DatabaseChooser::StoreLocation(db);
    EXPECT_EQ(IniFile(settings()).ReadString(SettingsKeys::DataBase, SettingsKeys::Server),
              QString(server).replace("postgresql://", "postgresql://reader@"));
    EXPECT_TRUE(db.isReadOnly());
    EXPECT_EQ(StandCopy::StandKeys(db).size(), 1u);
    try {
        StandStore(db).SaveNewStand(MakeStand(1, 2).stand);
        ADD_FAILURE() << "a reader saved a stand";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::ReadOnly);
    }
}

TEST_F(DbTest, UnreachableServerSaysSoInCzechWithoutThePassword) {
    StandDatabase db;
    try {
        DatabaseChooser::UseDirectory(db, "postgresql://jana:tajne@/porosty?host=/nonexistent&port=1", {});
        ADD_FAILURE() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::Io);
        EXPECT_TRUE(e.message().contains("se nelze připojit")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("postgresql://jana@/porosty")) << e.message().toStdString();
        EXPECT_FALSE(e.message().contains("tajne"));
    }
    // Workbooks and CSV made from a server database are proposed in a real directory, not one
    // relative to wherever the program happened to start.
    db.setServer(ServerAddress(QStringLiteral("postgresql:///porosty")));
    EXPECT_TRUE(QDir::isAbsolutePath(db.filesDirectory())) << db.filesDirectory().toStdString();
}

TEST_F(StandCopyTest, LostConnectionSaysSoInCzechWithoutSqlAndTheNextSaveConnectsAgain) {
    StandDatabase db(settings());
    ASSERT_TRUE(DatabaseChooser::UseServer(db, server, {}));
    StandStore store(db);
    store.SaveNewStand(MakeStand(1, 2).stand);
    testsupport::RawQuery pid(db);
    ASSERT_TRUE(pid.exec("select pg_backend_pid()") && pid.next());
    // Another connection ends this one, as a restarted server or a broken network would.
    {
        StandDatabase other(settings());
        ASSERT_TRUE(DatabaseChooser::UseServer(other, server, {}));
        testsupport::RawQuery(other).exec(
            QString("select pg_terminate_backend(%1)").arg(pid.value(0).toLongLong()));
    }
    testing::internal::CaptureStderr();
    try {
        store.SaveNewStand(MakeStand(1, 2, 2).stand);
        ADD_FAILURE() << "the save went through";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::Io);
        EXPECT_EQ(e.message(), "Spojení s databázovým serverem bylo přerušeno; změny nebyly uloženy.");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(store.SaveNewStand(MakeStand(1, 2, 3).stand).key, 2);
}

TEST_F(StandCopyTest, ServerThatAsksForAPasswordGetsItFromTheDialogOncePerRun) {
    // A member of the team who logs in with a password of her own.
    {
        StandDatabase admin(settings());
        ASSERT_TRUE(DatabaseChooser::UseServer(admin, server, {}));
        ASSERT_TRUE(testsupport::RawQuery(admin).exec("create role jana login superuser password 'tajne'"));
        QFile hba(
            QDir(testsupport::ThrowawayCluster::Shared(nullptr)->dataDirectory()).filePath("pg_hba.conf"));
        ASSERT_TRUE(hba.open(QIODevice::ReadWrite));
        const QByteArray rules = hba.readAll();
        hba.seek(0);
        hba.write("local all jana scram-sha-256\n" + rules);
        hba.close();
        ASSERT_TRUE(testsupport::RawQuery(admin).exec("select pg_reload_conf()"));
    }
    const QString address = QString(server).replace("postgresql://", "postgresql://jana@");
    QStringList reasons;
    const auto dialog = [&](const QString&, const QString& reason) -> std::optional<QString> {
        reasons << reason;
        return reasons.size() == 1 ? "spatne" : "tajne";
    };
    StandDatabase db(settings());
    ASSERT_TRUE(DatabaseChooser::UseServer(db, address, {}, dialog));
    EXPECT_EQ(reasons,
              (QStringList{QString("Databázový server „%1“ žádá heslo.").arg(address),
                           QString("Přihlášení k databázovému serveru „%1“ se nezdařilo: neznámý uživatel "
                                   "nebo chybné heslo.")
                               .arg(address)}));
    StandStore(db).SaveNewStand(MakeStand(1, 2).stand);
    // Later connections of the run take it without asking; the settings file never gets it.
    StandDatabase again(settings());
    EXPECT_TRUE(DatabaseChooser::UseServer(again, address, {}, [](const QString&, const QString&) {
        ADD_FAILURE() << "asked again";
        return std::optional<QString>();
    }));
    EXPECT_EQ(StandStore(again).StandKeys().size(), 1u);
    DatabaseChooser::StoreLocation(again);
    EXPECT_FALSE(testsupport::readFile(settings()).contains("tajne"));
}
