#include "DbTestSupport.h"

#include "DatabaseChooser.h"
#include "DatabaseError.h"
#include "DatabaseSchema.h"
#include "IniFile.h"
#include "RawQuery.h"
#include "RivwoodError.h"
#include "SchemaUpgrade.h"
#include "ServerAddress.h"
#include "SettingsKeys.h"
#include "StandListModel.h"
#include "StandStore.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

QStringList columnsOf(StandDatabase& db, const QString& table) {
    QStringList names;
    testsupport::RawQuery q(db);
    q.exec(QString("pragma table_info(%1)").arg(table));
    while (q.next())
        names << q.value(1).toString().toUpper();
    return names;
}

bool fileExists(const QString& dir, const QString& name) {
    return QFile::exists(QDir(dir).filePath(name));
}

// Dialog callbacks that answer from a script and record what was asked.
struct ScriptedDialogs {
    QStringList files;   // successive answers of the directory dialog; exhausted = cancel
    QList<bool> answers; // successive answers to questions; exhausted = No
    QStringList asked, shown, startDirectories;

    DatabaseDialogs make() {
        DatabaseDialogs d;
        d.chooseFile = [this](const QString& start) -> std::optional<QString> {
            startDirectories << start;
            if (files.isEmpty())
                return std::nullopt;
            return files.takeFirst();
        };
        d.confirm = [this](const UserMessage& m) {
            asked << m.text;
            return answers.isEmpty() ? false : answers.takeFirst();
        };
        d.show = [this](const UserMessage& m) { shown << m.text; };
        return d;
    }
};

} // namespace

TEST_F(DbTest, FileChecksTellEmptyCompleteAndIncompleteDirectories) {
    StandDatabase db(settings());
    db.setDirectory(dir());
    db.CheckDatabaseFiles();
    EXPECT_TRUE(db.empty());
    EXPECT_TRUE(db.complete()); // an empty directory is usable: its tables get created

    testsupport::writeFile(QDir(dir()).filePath("RivwoodDre.db"), {});
    db.CheckDatabaseFiles();
    EXPECT_FALSE(db.empty());
    EXPECT_FALSE(db.complete());

    for (const char* f : {"RIVWOODPOR.DB", "rivwoodtlo.db", "RivwoodSes.db", "RivwoodVys.db"})
        testsupport::writeFile(QDir(dir()).filePath(f), {});
    db.CheckDatabaseFiles();
    EXPECT_TRUE(db.complete()); // names match case-insensitively
    EXPECT_FALSE(db.empty());

    db.setDirectory(QDir(dir()).filePath("missing"));
    db.CheckDatabaseFiles();
    EXPECT_FALSE(db.complete());
}

TEST_F(DbTest, FreshDirectoryGetsTheFiveTablesInTheCurrentLayout) {
    StandDatabase& db = openFresh();
    for (int t = 0; t < StandDatabase::TableCount; ++t)
        EXPECT_TRUE(fileExists(dir(), StandDatabase::FileName(StandDatabase::Table(t))));
    const QStringList por = columnsOf(db, "rivwoodpor");
    EXPECT_EQ(por,
              (QStringList{"KLIC",       "USED",     "NAZEVTOK",  "NAZEVBREH",   "NAZEVRKM",   "NAZEVAKCE",
                           "PLOCHA",     "VEK",      "POC_DREV",  "KROVINY",     "POPIS",      "KOMENT",
                           "KODPOROSTU", "DATUM",    "VYPOCTENO", "SOUHRN",      "ZAVOD",      "PROVOZ",
                           "TAXATOR",    "UZIVATEL", "ZMENA",     "KOPIE_ZDROJ", "KOPIE_ZMENA"}));
    EXPECT_EQ(columnsOf(db, "RIVWOODDRE").last(), "TL_MIN");
    EXPECT_EQ(columnsOf(db, "RivwoodSes").size(), 27);
    EXPECT_EQ(columnsOf(db, "RivwoodTlo").size(), 6);
    EXPECT_EQ(columnsOf(db, "RivwoodVys").size(), 4);
    EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 0);

    // NUMERIC columns give doubles back, whatever was written.
    testsupport::RawQuery q(db);
    ASSERT_TRUE(q.exec("insert into RivwoodPor (KLIC, USED, PLOCHA) values (7, true, 10000)"));
    EXPECT_EQ(scalar("select typeof(PLOCHA) from RivwoodPor where KLIC = 7").toString(), "real");
    EXPECT_EQ(scalar("select count(*) from rivwoodpor where used=true").toInt(), 1);
}

TEST_F(DbTest, PrimaryKeysRefuseDuplicates) {
    StandDatabase& db = openFresh();
    testsupport::RawQuery q(db);
    EXPECT_TRUE(q.exec("insert into RivwoodPor (KLIC, USED) values (1, true)"));
    EXPECT_FALSE(q.exec("insert into RivwoodPor (KLIC, USED) values (1, true)"));
    EXPECT_TRUE(q.exec("insert into RivwoodDre (KLIC, DR_ZKR) values (1, 'SM')"));
    EXPECT_TRUE(q.exec("insert into RivwoodDre (KLIC, DR_ZKR) values (2, 'SM')"));
    EXPECT_FALSE(q.exec("insert into RivwoodDre (KLIC, DR_ZKR) values (1, 'SM')"));
    EXPECT_TRUE(q.exec("insert into RivwoodTlo (KLIC, DR_ZKR) values (1, 'SM')"));
    EXPECT_TRUE(q.exec("insert into RivwoodTlo (KLIC, DR_ZKR) values (1, 'SM')"));
}

TEST_F(DbTest, StandTableStatementDropsTheLastComma) {
    EXPECT_TRUE(SchemaUpgrade::StandTableStatement(false, false, false).isEmpty());
    EXPECT_EQ(SchemaUpgrade::StandTableStatement(false, true, false),
              (QStringList{"Alter Table RIVWOODPOR", "add  SOUHRN  BOOLEAN"}));
    EXPECT_EQ(SchemaUpgrade::StandTableStatement(true, true, false),
              (QStringList{"Alter Table RIVWOODPOR", "add  VYPOCTENO  BOOLEAN,", "add  SOUHRN  BOOLEAN"}));
    EXPECT_EQ(SchemaUpgrade::StandTableStatement(true, false, true),
              (QStringList{"Alter Table RIVWOODPOR", "add  VYPOCTENO  BOOLEAN,", "add  ZAVOD  CHAR(80),",
                           "add  PROVOZ  CHAR(80),", "add  TAXATOR  CHAR(80),", "add  UZIVATEL  CHAR(80)"}));
}

namespace {

// Tables of the older layout: RivwoodPor without VYPOCTENO, SOUHRN and the user columns,
// RivwoodDre without TL_MIN.
void buildOlderLayout(DbTest& t, const std::function<void(const QString&, const QString&)>& exec) {
    (void)t;
    exec("RivwoodPor.db",
         "create table rivwoodpor (KLIC INTEGER, USED BOOLEAN, NazevTok CHAR(20), NazevBreh "
         "CHAR(2), NazevRKm CHAR(16), NazevAkce CHAR(30), PLOCHA DOUBLE, VEK INTEGER, POC_DREV "
         "SMALLINT, KROVINY DOUBLE, POPIS CHAR(80), KOMENT BLOB(1), KODPOROSTU CHAR(70), DATUM "
         "CHAR(16), PRIMARY KEY (KLIC))");
    exec("RivwoodDre.db",
         "create table rivwooddre (KLIC INTEGER, DR_ZKR CHAR(3), DR_VYP CHAR(3), DR_TAB CHAR(3), "
         "JHK SMALLINT, TLOUSTKA DOUBLE, VYPOC_TL BOOLEAN, VYSKA DOUBLE, VYPOCTENO BOOLEAN, "
         "TAB_ZAS DOUBLE, TL_INTERVAL SMALLINT, POCET_TL SMALLINT, PRIMARY KEY (KLIC, DR_ZKR))");
    for (auto table : {StandDatabase::Tlo, StandDatabase::Ses, StandDatabase::Vys})
        exec(StandDatabase::FileName(table), DatabaseSchema::CreateStatement(table));
}

} // namespace

TEST_F(DbTest, OlderLayoutIsUpgradedWithComputedAndSummaryFlags) {
    auto exec = [this](const QString& f, const QString& sql) { rawExec(f, sql); };
    buildOlderLayout(*this, exec);
    // Stand 1: every species computed, stored stocks equal the class sums.
    exec("RivwoodPor.db", "insert into rivwoodpor (KLIC, USED, NazevTok) values (1, 1, 'A')");
    exec("RivwoodDre.db",
         "insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO, TL_INTERVAL) values (1, 'SM', 1, 2)");
    exec("RivwoodDre.db",
         "insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO, TL_INTERVAL) values (1, 'BK', 1, 3)");
    exec("RivwoodTlo.db", "insert into rivwoodtlo (KLIC, DR_ZKR, OBJEMC) values (1, 'SM', 0.1)");
    exec("RivwoodTlo.db", "insert into rivwoodtlo (KLIC, DR_ZKR, OBJEMC) values (1, 'SM', 0.2)");
    exec("RivwoodSes.db", "insert into rivwoodses (KLIC, DR_ZKR, DR_ZAS_CEL) values (1, 'SM', 0.1 + 0.2)");
    // BK has no class rows and no summary row: both read as 0.
    // Stand 2: one species not computed, and its stock off by the smallest amount.
    exec("RivwoodPor.db", "insert into rivwoodpor (KLIC, USED, NazevTok) values (2, 1, 'B')");
    exec("RivwoodDre.db",
         "insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO, TL_INTERVAL) values (2, 'SM', 0, 0)");
    exec("RivwoodDre.db",
         "insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO, TL_INTERVAL) values (2, 'JD', 1, 7)");
    exec("RivwoodDre.db", "insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO) values (2, 'BO', 1)");
    exec("RivwoodTlo.db", "insert into rivwoodtlo (KLIC, DR_ZKR, OBJEMC) values (2, 'SM', 0.3)");
    exec("RivwoodSes.db",
         "insert into rivwoodses (KLIC, DR_ZKR, DR_ZAS_CEL) values (2, 'SM', 0.30000000000000004)");
    // Stand 3: no species at all.
    exec("RivwoodPor.db", "insert into rivwoodpor (KLIC, USED) values (3, 1)");
    closeRaw();
    UserIdentification{"Závod Labe", "Provoz 2", "Ing. Novák", "Jana"}.Save(settings());

    StandDatabase& db = openFresh();
    auto flags = [&](int key) {
        testsupport::RawQuery q(db);
        q.exec(QString("select VYPOCTENO, SOUHRN, ZAVOD, UZIVATEL from RivwoodPor where KLIC = %1").arg(key));
        q.next();
        return QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                           q.value(3).toString()};
    };
    // SM: 0.1 + 0.2 summed in table order equals the stored sum; BK: no rows read as 0 and 0.
    EXPECT_EQ(flags(1), (QStringList{"1", "1", "Závod Labe", "Jana"}));
    EXPECT_EQ(flags(2), (QStringList{"0", "0", "Závod Labe", "Jana"}));
    EXPECT_EQ(flags(3), (QStringList{"1", "1", "Závod Labe", "Jana"}));

    // Widths outside 1..4 become 4, empty first centres the default of the width.
    testsupport::RawQuery q(db);
    q.exec("select DR_ZKR, TL_INTERVAL, TL_MIN from RivwoodDre order by KLIC, DR_ZKR");
    QStringList rows;
    while (q.next())
        rows << QString("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    EXPECT_EQ(rows, (QStringList{"BK 3 9", "SM 2 8", "BO 4 10", "JD 4 10", "SM 4 10"}));
}

TEST_F(DbTest, UpgradeComparesStoredStocksExactly) {
    auto exec = [this](const QString& f, const QString& sql) { rawExec(f, sql); };
    buildOlderLayout(*this, exec);
    exec("RivwoodPor.db", "insert into rivwoodpor (KLIC, USED) values (1, 1)");
    exec("RivwoodPor.db", "insert into rivwoodpor (KLIC, USED) values (2, 1)");
    for (int key : {1, 2}) {
        exec("RivwoodDre.db",
             QString("insert into rivwooddre (KLIC, DR_ZKR, VYPOCTENO, TL_INTERVAL) values (%1, "
                     "'SM', 1, 4)")
                 .arg(key));
        exec("RivwoodTlo.db",
             QString("insert into rivwoodtlo (KLIC, DR_ZKR, OBJEMC) values (%1, 'SM', 1.25)").arg(key));
        exec("RivwoodTlo.db",
             QString("insert into rivwoodtlo (KLIC, DR_ZKR, OBJEMC) values (%1, 'SM', 2.5)").arg(key));
    }
    exec("RivwoodSes.db", "insert into rivwoodses (KLIC, DR_ZKR, DR_ZAS_CEL) values (1, 'SM', 3.75)");
    exec("RivwoodSes.db",
         "insert into rivwoodses (KLIC, DR_ZKR, DR_ZAS_CEL) values (2, 'SM', 3.7500000000000004)");
    closeRaw();
    openFresh();
    EXPECT_EQ(scalar("select SOUHRN from RivwoodPor where KLIC = 1").toInt(), 1);
    EXPECT_EQ(scalar("select SOUHRN from RivwoodPor where KLIC = 2").toInt(), 0);
}

TEST_F(DbTest, UpgradeOfCurrentTablesChangesNoFlags) {
    StandDatabase& db = openFresh();
    StandStore store(db);
    StandSession s = MakeStand(1, 3);
    s.stand.at(0).totalStock = 99; // differs from the class sum, but nothing is missing
    store.SaveStand(s, store.AllocateStandKey());
    SchemaUpgrade::UpgradeTables(db);
    EXPECT_EQ(scalar("select SOUHRN from RivwoodPor where KLIC = 1").toInt(), 1);
}

TEST_F(DbTest, IncompleteDirectoryAsksAndOkCreatesTheMissingTables) {
    // Only the species table exists, with a row; an older-layout table lies beside it.
    rawExec("RivwoodDre.db", DatabaseSchema::CreateStatement(StandDatabase::Dre));
    rawExec("RivwoodDre.db",
            "insert into rivwooddre (KLIC, DR_ZKR, TL_INTERVAL, TL_MIN) values (5, 'SM', 4, 12)");
    rawExec("jhkdre.db", "create table jhkdre (KLIC INTEGER)");
    closeRaw();

    StandDatabase db(settings());
    ScriptedDialogs d;
    d.files = {QDir(dir()).filePath("RivwoodDre.db"), QDir(dir()).filePath("RivwoodDre.db")};
    d.answers = {false, true}; // No brings the dialog back, OK accepts
    ASSERT_TRUE(DatabaseChooser::ChooseDatabaseDirectory(db, d.make()));
    EXPECT_EQ(d.asked, (QStringList{"Databázové soubory jsou neúplné, mají se založit nové ?",
                                    "Databázové soubory jsou neúplné, mají se založit nové ?"}));
    EXPECT_EQ(d.startDirectories.size(), 2);
    EXPECT_EQ(db.directory(), QDir(dir()).absolutePath());
    EXPECT_FALSE(fileExists(dir(), "jhkdre.db"));
    for (int t = 0; t < StandDatabase::TableCount; ++t)
        EXPECT_TRUE(fileExists(dir(), StandDatabase::FileName(StandDatabase::Table(t))));
    // The existing species table keeps its row.
    testsupport::RawQuery q(db);
    ASSERT_TRUE(q.exec("select TL_MIN from RivwoodDre where KLIC = 5") && q.next());
    EXPECT_EQ(q.value(0).toDouble(), 12);
    EXPECT_TRUE(columnsOf(db, "RivwoodPor").contains("UZIVATEL"));
}

TEST_F(DbTest, CancelledChoiceKeepsThePreviousDirectory) {
    const QString other = QDir(dir()).filePath("other");
    QDir().mkpath(other);
    testsupport::writeFile(QDir(other).filePath("RivwoodPor.db"), {});
    openFresh();
    ScriptedDialogs d;
    d.files = {QDir(other).filePath("RivwoodPor.db")};
    d.answers = {false};
    EXPECT_FALSE(DatabaseChooser::ChooseDatabaseDirectory(*m_db, d.make()));
    EXPECT_EQ(d.asked.size(), 1);
    EXPECT_EQ(m_db->directory(), QDir(dir()).absolutePath());
    EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 0); // still usable
    // The refused directory was not touched.
    EXPECT_FALSE(fileExists(other, "RivwoodDre.db"));

    // Cancelled while on a server: the database stays on the server, and the dialog starts in
    // a real directory.
    StandDatabase onServer(settings());
    onServer.setServer(ServerAddress(QStringLiteral("postgresql://jana@server/porosty")));
    ScriptedDialogs cancel;
    EXPECT_FALSE(DatabaseChooser::ChooseDatabaseDirectory(onServer, cancel.make()));
    EXPECT_TRUE(onServer.isServer());
    EXPECT_EQ(onServer.location(), QStringLiteral("postgresql://jana@server/porosty"));
    ASSERT_EQ(cancel.startDirectories.size(), 1);
    EXPECT_TRUE(QDir::isAbsolutePath(cancel.startDirectories.first()));
}

TEST_F(DbTest, FirstRunWithoutSettingsAlwaysAsks) {
    const QString program = QDir(dir()).filePath("program");
    const QString data = QDir(dir()).filePath("data");
    QDir().mkpath(program);
    QDir().mkpath(data);
    {
        StandDatabase complete;
        ASSERT_TRUE(DatabaseChooser::UseDirectory(complete, program, {}));
    }
    StandDatabase db(settings());
    ScriptedDialogs d;
    d.files = {QDir(data).filePath("*.db")};
    ASSERT_TRUE(DatabaseChooser::OpenDatabase(db, program, d.make()));
    EXPECT_EQ(d.startDirectories, QStringList{program});
    EXPECT_TRUE(d.asked.isEmpty()); // an empty directory is taken without a question
    EXPECT_TRUE(fileExists(data, "RivwoodVys.db"));
    EXPECT_EQ(IniFile(settings()).ReadString("DataBase", "Path"), QDir::toNativeSeparators(data));

    // The next start takes the stored directory without a dialog.
    StandDatabase again(settings());
    ScriptedDialogs none;
    ASSERT_TRUE(DatabaseChooser::OpenDatabase(again, program, none.make()));
    EXPECT_TRUE(none.startDirectories.isEmpty());
    EXPECT_EQ(again.directory(), data);
}

TEST_F(DbTest, FirstRunOffersAMissingDefaultDirectoryReadyToConfirm) {
    const QString offered = QDir(dir()).filePath("data/rivwood/databaze");
    {
        // Cancelled: the program ends and the directory made for the dialog goes again.
        StandDatabase db(settings());
        ScriptedDialogs d;
        EXPECT_FALSE(DatabaseChooser::OpenDatabase(db, offered, d.make()));
        EXPECT_EQ(d.startDirectories, QStringList{offered});
        EXPECT_FALSE(QFileInfo::exists(offered));
    }
    StandDatabase db(settings());
    ScriptedDialogs d;
    d.files = {QDir(offered).filePath("RivwoodPor.db")};
    ASSERT_TRUE(DatabaseChooser::OpenDatabase(db, offered, d.make()));
    EXPECT_TRUE(fileExists(offered, "RivwoodPor.db"));
    EXPECT_EQ(IniFile(settings()).ReadString("DataBase", "Path"), QDir::toNativeSeparators(offered));
}

TEST_F(DbTest, StoredDirectoryThatIsGoneAsksAndCancelEndsTheProgram) {
    IniFile(settings()).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, QDir(dir()).filePath("gone"));
    StandDatabase db(settings());
    ScriptedDialogs d;
    EXPECT_FALSE(DatabaseChooser::OpenDatabase(db, dir(), d.make()));
    EXPECT_EQ(d.startDirectories, QStringList{dir()});
    EXPECT_EQ(d.shown, QStringList{"Nebyla vybrána žádná databáze, program končí !"});
    EXPECT_FALSE(fileExists(dir(), "RivwoodPor.db"));
}

TEST_F(DbTest, CommandLineDirectoryChecks) {
    StandDatabase db(settings());
    EXPECT_THROW(DatabaseChooser::UseDirectory(db, QDir(dir()).filePath("nowhere"), {}), RivwoodError);
    testsupport::writeFile(QDir(dir()).filePath("RivwoodSes.db"), {});
    // Refusing the question leaves the directory alone.
    EXPECT_FALSE(DatabaseChooser::UseDirectory(db, dir(), [](const UserMessage&) { return false; }));
    EXPECT_FALSE(fileExists(dir(), "RivwoodPor.db"));
    EXPECT_TRUE(DatabaseChooser::UseDirectory(db, dir(), [](const UserMessage&) { return true; }));
    EXPECT_TRUE(fileExists(dir(), "RivwoodPor.db"));
}

TEST_F(DbTest, DamagedOrForeignTableFilesGiveClearErrors) {
    struct Case {
        QByteArray bytes;
        const char* expected;
    };
    const Case cases[] = {
        {QByteArray("this is not a database at all, just some text\n").repeated(100),
         "není databázový soubor"},
        {QByteArray("SQLite format 3\0", 16) + QByteArray(80, '\xff'), "není databázový soubor"},
    };
    for (const Case& c : cases) {
        QTemporaryDir tmp;
        testsupport::writeFile(QDir(tmp.path()).filePath("RivwoodPor.db"), c.bytes);
        StandDatabase db(settings());
        try {
            DatabaseChooser::UseDirectory(db, tmp.path(), [](const UserMessage&) { return true; });
            StandStore(db).AllocateStandKey();
            ADD_FAILURE() << "no error for " << c.expected;
        } catch (const RivwoodError& e) {
            EXPECT_TRUE(e.message().contains(c.expected)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("RivwoodPor.db")) << e.message().toStdString();
        }
    }
}

TEST_F(DbTest, TableFileWithoutItsTableIsAnError) {
    openFresh();
    m_db->close();
    QFile::remove(QDir(dir()).filePath("RivwoodSes.db"));
    rawExec("RivwoodSes.db", "create table something (A INTEGER)");
    closeRaw();
    try {
        m_db->open();
        ADD_FAILURE() << "a foreign table file went unnoticed";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().contains("neobsahuje tabulku RivwoodSes")) << e.message().toStdString();
    }
}

TEST_F(DbTest, TruncatedDatabaseFileIsAnError) {
    StandStore store(openFresh());
    for (int i = 0; i < 30; ++i)
        store.SaveStand(MakeStand(4, 20, i).stand, store.AllocateStandKey());
    m_db->close();
    const QString path = QDir(dir()).filePath("RivwoodTlo.db");
    QByteArray bytes = testsupport::readFile(path);
    ASSERT_GT(bytes.size(), 8192);
    bytes.truncate(bytes.size() / 3);
    testsupport::writeFile(path, bytes);
    StandSession s;
    try {
        for (int key = 1; key <= 30; ++key)
            store.LoadStand(s, key);
        store.SaveStand(MakeStand(2, 2).stand, 3);
        ADD_FAILURE() << "a truncated table file went unnoticed";
    } catch (const RivwoodError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
}

TEST_F(DbTest, ReadOnlyDatabaseOpensListsAndLoadsWithoutWriting) {
    const QString data = QDir(dir()).filePath("data");
    QDir().mkpath(data);
    {
        StandDatabase writable(settings());
        ASSERT_TRUE(DatabaseChooser::UseDirectory(writable, data, {}));
        StandStore(writable).SaveNewStand(MakeStand(2, 3).stand);
        // A database of the previous version: no change counter yet, so the upgrade has work.
        testsupport::RawQuery(writable).exec("alter table rivwoodpor drop column ZMENA");
    }
    auto snapshot = [&] {
        QStringList files;
        for (const QFileInfo& f : QDir(data).entryInfoList(QDir::Files))
            files << f.fileName() + ":" + QString::fromLatin1(testsupport::readFile(f.filePath()).toHex());
        return files;
    };
    const QStringList before = snapshot();
    IniFile(settings()).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, data);

    StandDatabase db(settings());
    db.setReadOnlyMode(true);
    ScriptedDialogs d;
    ASSERT_TRUE(DatabaseChooser::OpenDatabase(db, dir(), d.make()));
    EXPECT_TRUE(db.isReadOnly());
    EXPECT_EQ(d.shown, QStringList{db.ReadOnlyMessage().text});
    StandListModel list(db);
    list.refresh();
    ASSERT_EQ(list.rows().size(), 1u);
    StandStore store(db);
    StandSession loaded;
    ASSERT_TRUE(store.LoadStand(loaded, 1).found);
    EXPECT_EQ(loaded.stand.count(), 2);
    EXPECT_EQ(loaded.stand.changeCounter, -1);
    try {
        store.SaveStand(loaded, 1);
        ADD_FAILURE() << "the save went through";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::ReadOnly);
        EXPECT_EQ(e.message(), "Databáze porostů je jen pro čtení, porost nelze uložit.");
    }
    EXPECT_THROW(store.DeleteStandRows(1), DatabaseError);
    db.close();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(DbTest, InterruptedSaveOnReadOnlyFilesAsksForWriteAccessInsteadOfCallingThemDamaged) {
    StandStore(openFresh()).SaveNewStand(MakeStand(2, 3).stand);
    m_db->close();
    // The files as a save left them when it was cut off half-way: pages written into the stand
    // table's file, their old contents still in its journal beside it.
    const QString copy = QDir(dir()).filePath("copy");
    ASSERT_TRUE(QDir().mkpath(copy));
    {
        QSqlQuery q(rawFile("RivwoodPor.db"));
        ASSERT_TRUE(q.exec("pragma cache_size = 2") && q.exec("begin"));
        ASSERT_TRUE(
            q.exec("insert into RivwoodPor (KLIC, POPIS) with recursive n(i) as (select 2 union all select "
                   "i + 1 from n where i < 200) select i, printf('%080d', i) from n"));
        ASSERT_TRUE(QFile::exists(QDir(dir()).filePath("RivwoodPor.db-journal")));
        for (const QString& file : QDir(dir()).entryList({"*.db", "*.db-journal"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(QDir(dir()).filePath(file), QDir(copy).filePath(file)));
        q.exec("rollback");
    }
    closeRaw();
    StandDatabase db(settings());
    db.setDirectory(copy);
    db.setReadOnlyMode(true);
    try {
        db.open();
        ADD_FAILURE() << "the files opened";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::ReadOnly);
        EXPECT_EQ(e.message(), DatabaseError::InterruptedSaveMessage());
    }
    // Opened once with write access, the save is undone and the files read again.
    db.setReadOnlyMode(false);
    StandSession loaded;
    EXPECT_TRUE(StandStore(db).LoadStand(loaded, 1).found);
}
