#include "DbTestSupport.h"

#include "DatabaseChooser.h"
#include "DatabaseError.h"
#include "IniFile.h"
#include "RawQuery.h"
#include "RivwoodError.h"
#include "SqlTransaction.h"
#include "StandCode.h"
#include "StandCopy.h"
#include "StandStore.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>

namespace {

// Every row of the four stand tables as text, to see that nothing changed; with `counter` false
// without the change counter, which every write counts up. A server's row numbers are left out.
QStringList dump(StandDatabase& db, bool counter = true) {
    QStringList out;
    for (const char* table : {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes"}) {
        testsupport::RawQuery q(db);
        // A server's stand table has no row numbers: one row per key.
        EXPECT_TRUE(q.exec(QString("select * from %1 order by %2")
                               .arg(table, QString(table) == "RivwoodPor" ? "KLIC" : "rowid")));
        while (q.next()) {
            QStringList row{table};
            for (int i = 0; q.value(i).isValid(); ++i)
                if ((counter || q.fieldName(i).toUpper() != "ZMENA") && q.fieldName(i).toLower() != "rowid")
                    row << (q.value(i).isNull() ? "NULL" : q.value(i).toString());
            out << row.join('|');
        }
    }
    return out;
}

const YesNoQuestion yes = [](const UserMessage&) { return true; };
const YesNoQuestion no = [](const UserMessage&) { return false; };

} // namespace

// The tests marked StoreTest run on the table files and on a server.
INSTANTIATE_TEST_SUITE_P(Backends, StoreTest, ::testing::Values(Backend::Files, Backend::Server),
                         BackendName);

TEST_P(StoreTest, SavedStandLoadsBackWithEveryStoredField) {
    StandStore store(openFresh());
    StandSession saved = MakeStand(3, 20);
    const int key = store.AllocateStandKey();
    EXPECT_EQ(key, 1);
    EXPECT_TRUE(store.SaveStand(saved, key).stored());

    StandSession loaded;
    loaded.stand.designation = "earlier stand";
    const LoadStandResult r = store.LoadStand(loaded, key);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.skippedClassRows, 0);
    saved.stand.name.clear(); // the name has no column
    EXPECT_EQ(loaded.stand, saved.stand);
    EXPECT_EQ(loaded.layout, saved.layout);

    // Loading it again and saving it back writes the same rows.
    const QStringList before = dump(*m_db, false);
    store.SaveStand(loaded, key);
    EXPECT_EQ(dump(*m_db, false), before);
}

// Sample heights go to RivwoodVys with the stand (a row a pair, as sqlite3 reads the file), are
// replaced by the next save, go with the stand to another database and are deleted with it.
TEST_P(StoreTest, SampleHeightsTravelWithTheStand) {
    StandStore store(openFresh());
    StandSession s = MakeStand(2, 3);
    const int key = store.AllocateStandKey();
    store.SaveStand(s, key);
    store.SaveStand(MakeStand(1, 1, 2).stand, store.AllocateStandKey());
    const auto rows = [this](int k) {
        return scalar(QString("select count(*) from RivwoodVys where KLIC = %1").arg(k)).toInt();
    };
    EXPECT_EQ(rows(key), 5);
    if (GetParam() == Backend::Files) {
        QProcess sqlite;
        sqlite.start("sqlite3",
                     {QDir(dir()).filePath("RivwoodVys.db"),
                      "select KLIC, DR_ZKR, TLOUSTKA, VYSKA from RivwoodVys where KLIC = 1 order by rowid"});
        ASSERT_TRUE(sqlite.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed().split('\n');
        ASSERT_EQ(lines.size(), 5) << sqlite.readAllStandardError().toStdString();
        const TManual225& second = s.stand.at(1);
        EXPECT_EQ(lines[2], QString("1|%1|%2|%3")
                                .arg(CharsToString(second.abbreviation))
                                .arg(second.sampleHeights[0].diameter)
                                .arg(second.sampleHeights[0].height));
    }

    s.stand.at(1).sampleHeights.pop_back();
    store.SaveStand(s, key);
    EXPECT_EQ(rows(key), 4);
    StandSession loaded;
    store.LoadStand(loaded, key);
    EXPECT_EQ(loaded.stand.at(0).sampleHeights, s.stand.at(0).sampleHeights);
    EXPECT_EQ(loaded.stand.at(1).sampleHeights, s.stand.at(1).sampleHeights);

    const QString copyDir = QDir(dir()).filePath("kopie");
    QDir().mkpath(copyDir);
    StandDatabase copy(settings());
    ASSERT_TRUE(DatabaseChooser::UseDirectory(copy, copyDir, {}));
    StandCopy::Copy(*m_db, copy, {key}, false);
    StandSession copied;
    StandStore(copy).LoadStand(copied, key);
    EXPECT_EQ(copied.stand.at(1).sampleHeights, s.stand.at(1).sampleHeights);

    store.DeleteStandRows(key);
    EXPECT_EQ(rows(key), 0);
    EXPECT_EQ(rows(2), 2) << "the other stand keeps its pairs";
}

TEST_P(StoreTest, ClassLayoutOfTheSpeciesSurvivesSaveAndLoad) {
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 0);
    s.SetClassLayout(3, 12);
    TManual225& e = s.stand.at(0);
    e.classWidth = 3;
    e.firstCentre = 12;
    e.classes.assign(size_t(s.layout.ElementCount()), {});
    e.classCount = std::int16_t(e.classes.size());
    for (size_t i = 1; i < e.classes.size(); ++i)
        e.classes[i].centre = s.layout.Centre(int(i));
    e.classes[3] = {18, 4, 0.25, 1};
    e.classes[0] = {0, 4, 0.25, 1};
    store.SaveStand(s, store.AllocateStandKey());
    EXPECT_EQ(scalar("select TLOUSTKA from RivwoodTlo").toDouble(), 18);

    StandSession loaded;
    store.LoadStand(loaded, 1);
    EXPECT_EQ(loaded.layout.SirkaStupne, 3);
    EXPECT_EQ(loaded.layout.StredPrvniho, 12);
    ASSERT_EQ(loaded.stand.count(), 1);
    EXPECT_EQ(loaded.stand.at(0).firstCentre, 12);
    EXPECT_EQ(loaded.stand.at(0).classes[3], (TTloustkoveStupne{18, 4, 0.25, 1}));
    // A second round keeps the diameters where they were.
    store.SaveStand(loaded, 1);
    EXPECT_EQ(scalar("select TLOUSTKA from RivwoodTlo").toDouble(), 18);
}

TEST_F(DbTest, StandRowCarriesHeaderFlagsAndTextsCutToTheirWidths) {
    StandStore store(openFresh());
    StandSession s = MakeStand(2, 4);
    s.stand.river = QString(25, QChar(u'ř'));
    s.stand.designation = QString(100, 'x');
    s.stand.at(1).computed = false;
    store.SaveStand(s, store.AllocateStandKey());
    EXPECT_EQ(scalar("select NazevTok from RivwoodPor").toString(), QString(20, QChar(u'ř')));
    EXPECT_EQ(scalar("select length(POPIS) from RivwoodPor").toInt(), 80);
    EXPECT_EQ(scalar("select POC_DREV from RivwoodPor").toInt(), 2);
    EXPECT_EQ(scalar("select VYPOCTENO from RivwoodPor").toInt(), 0);
    EXPECT_EQ(scalar("select SOUHRN from RivwoodPor").toInt(), 1);
    EXPECT_EQ(scalar("select group_concat(POR_V_ZAP) from RivwoodSes").toString(), "1,2");

    StandSession empty;
    empty.stand.summary = false;
    store.SaveStand(empty, 1);
    EXPECT_EQ(scalar("select VYPOCTENO from RivwoodPor").toInt(), 1); // no species: computed
    EXPECT_EQ(scalar("select SOUHRN from RivwoodPor").toInt(), 0);
    EXPECT_EQ(scalar("select count(*) from RivwoodDre").toInt(), 0);
}

TEST_F(DbTest, SummaryRowFillsTheColumnsOfItsGroup) {
    StandStore store(openFresh());
    StandSession s = MakeStand(0, 0);
    for (const char* abbr : {"SM", "BK"}) {
        TManual225 e = MakeStand(1, 2).stand.at(0);
        e.abbreviation = StringToChars(abbr);
        e.conifer = QString(abbr) == "SM";
        e.tableStock = 321;
        e.stockPerHa = 12.5;
        e.totalStock = 7.25;
        s.stand.append(abbr, e);
    }
    store.SaveStand(s, store.AllocateStandKey());
    testsupport::RawQuery q(*m_db);
    ASSERT_TRUE(
        q.exec("select DR_ZKR, JEHL, ZTJ, ZTL, ZT, ZHA_JEHL, ZHA_LIST, ZHA, DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL, "
               "STRANKA from RivwoodSes order by rowid"));
    QStringList rows;
    while (q.next()) {
        QStringList r;
        for (int i = 0; i < 12; ++i)
            r << (q.value(i).isNull() ? "-" : q.value(i).toString());
        rows << r.join(' ');
    }
    EXPECT_EQ(rows, (QStringList{"SM 1 321 - 321 12.5 - 12.5 7.25 - 7.25 -",
                                 "BK 0 - 321 321 - 12.5 12.5 - 7.25 7.25 -"}));
}

TEST_P(StoreTest, SpeciesWithoutTreesGetsNoClassRows) {
    StandStore store(openFresh());
    StandSession s = MakeStand(2, 5);
    for (auto& e : s.stand.at(1).classes)
        e.trees = 0;
    store.SaveStand(s, store.AllocateStandKey());
    const QString second = CharsToString(s.stand.at(1).abbreviation);
    EXPECT_EQ(scalar("select count(*) from RivwoodDre").toInt(), 2);
    EXPECT_EQ(scalar("select count(*) from RivwoodSes").toInt(), 2);
    EXPECT_EQ(scalar("select count(*) from RivwoodTlo").toInt(), 5);
    EXPECT_EQ(scalar(QString("select count(*) from RivwoodTlo where DR_ZKR = '%1'").arg(second)).toInt(), 0);
}

TEST_F(DbTest, DeletedKeyIsHandedOutAgain) {
    StandStore store(openFresh());
    for (int i = 0; i < 3; ++i)
        store.SaveStand(MakeStand(2, 3, i).stand, store.AllocateStandKey());
    ASSERT_TRUE(store.DeleteStandRows(2));
    EXPECT_EQ(scalar("select count(*) from RivwoodDre where KLIC = 2").toInt(), 0);
    EXPECT_EQ(scalar("select count(*) from RivwoodTlo where KLIC = 2").toInt(), 0);
    EXPECT_EQ(scalar("select count(*) from RivwoodSes where KLIC = 2").toInt(), 0);
    EXPECT_EQ(scalar("select count(*) from RivwoodTlo where KLIC <> 2").toInt(), 12);
    // The freed row keeps only its key.
    EXPECT_EQ(scalar("select coalesce(NazevTok, '') || coalesce(PLOCHA, '') || coalesce(ZAVOD, '') || USED "
                     "from RivwoodPor where KLIC = 2")
                  .toString(),
              "0");
    ASSERT_TRUE(store.DeleteStandRows(1));
    EXPECT_EQ(store.AllocateStandKey(), 1); // the first free row in table order
    EXPECT_EQ(store.AllocateStandKey(), 2);
    EXPECT_EQ(store.AllocateStandKey(), 4);
    StandSession s;
    EXPECT_TRUE(store.LoadStand(s, 3).found);
}

TEST_F(DbTest, DeletingAKeyWithoutARowTouchesNothing) {
    StandStore store(openFresh());
    store.SaveStand(MakeStand(2, 3).stand, store.AllocateStandKey());
    // Child rows under a key that has no stand row stay as they are.
    testsupport::RawQuery(*m_db).exec("insert into RivwoodTlo (KLIC, DR_ZKR, CETNOST) values (0, 'SM', 1)");
    testsupport::RawQuery(*m_db).exec("insert into RivwoodTlo (KLIC, DR_ZKR, CETNOST) values (9, 'SM', 1)");
    const QStringList before = dump(*m_db);
    EXPECT_FALSE(store.DeleteStandRows(0));
    EXPECT_FALSE(store.DeleteStandRows(9));
    EXPECT_EQ(dump(*m_db), before);
}

TEST_P(StoreTest, ResaveKeepsTheUserIdentificationOfTheRow) {
    UserIdentification{"Závod A", "Provoz A", "Taxátor A", "Zadal A"}.Save(settings());
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 2);
    const int key = store.AllocateStandKey();
    EXPECT_EQ(store.ReadUserIdentification(key),
              (UserIdentification{"Závod A", "Provoz A", "Taxátor A", "Zadal A"}));
    store.SaveStand(s, key);
    UserIdentification{"Závod B", "", "Taxátor B", ""}.Save(settings());
    store.SaveStand(s, key);
    EXPECT_EQ(store.ReadUserIdentification(key),
              (UserIdentification{"Závod A", "Provoz A", "Taxátor A", "Zadal A"}));
    // A new key takes the current settings (empty values kept the stored ones).
    EXPECT_EQ(store.ReadUserIdentification(store.AllocateStandKey()),
              (UserIdentification{"Závod B", "Provoz A", "Taxátor B", "Zadal A"}));
    // A reused key too.
    store.DeleteStandRows(key);
    UserIdentification{"Závod C", "", "", ""}.Save(settings());
    EXPECT_EQ(store.AllocateStandKey(), key);
    EXPECT_EQ(store.ReadUserIdentification(key)->zavod, "Závod C");
}

TEST_F(DbTest, UserIdentificationIntoTheStandOnDisplay) {
    StandStore store(openFresh());
    const UserIdentification u{"Z", "P", "T", "U"};
    QStringList asked;
    auto answer = [&](bool a) {
        return [&asked, a](const UserMessage& m) {
            asked << m.text;
            return a;
        };
    };
    const auto notStored = store.PushUserIdentification(0, u, answer(true));
    ASSERT_TRUE(notStored);
    EXPECT_EQ(notStored->text, "Tento porost není v databázi. Nejprve je potřeba jej uložit!");
    EXPECT_TRUE(asked.isEmpty());

    const int key = store.AllocateStandKey();
    EXPECT_FALSE(store.PushUserIdentification(key, u, answer(false)));
    EXPECT_EQ(asked, QStringList{"Chcete v databázi změnit informace o uživateli ?"});
    EXPECT_EQ(store.ReadUserIdentification(key), UserIdentification{});
    EXPECT_FALSE(store.PushUserIdentification(key, u, answer(true)));
    EXPECT_EQ(store.ReadUserIdentification(key), u);
    EXPECT_FALSE(store.ReadUserIdentification(key + 5));
    EXPECT_FALSE(store.WriteUserIdentification(key + 5, u));
}

TEST_F(DbTest, UserIdentificationInTheSettingsFile) {
    EXPECT_EQ(UserIdentification::Load(settings()), UserIdentification{});
    UserIdentification{"Závod", "Provoz", "Taxátor", "Jméno"}.Save(settings());
    UserIdentification{"", "Jiný provoz", "", ""}.Save(settings());
    EXPECT_EQ(UserIdentification::Load(settings()),
              (UserIdentification{"Závod", "Jiný provoz", "Taxátor", "Jméno"}));
    EXPECT_EQ(IniFile(settings()).ReadString("useridentification", "TAXATOR"), "Taxátor");
}

TEST_F(DbTest, FailedSaveLeavesThePreviousStandIntact) {
    StandStore store(openFresh());
    StandSession first = MakeStand(3, 10, 1);
    const int key = store.AllocateStandKey();
    store.SaveStand(first, key);
    const QStringList before = dump(*m_db);

    // A failure after the old rows are deleted and half of the new ones written.
    StandSession second = MakeStand(4, 12, 2);
    const QString third = CharsToString(second.stand.at(2).abbreviation);
    testsupport::RawQuery q(*m_db);
    ASSERT_TRUE(q.exec(QString("create trigger ses.boom before insert on rivwoodses when new.DR_ZKR = '%1' "
                               "begin select raise(abort, 'injected failure'); end")
                           .arg(third)));
    try {
        store.SaveStand(second, key);
        ADD_FAILURE() << "the save did not fail";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().contains("injected failure")) << e.message().toStdString();
    }
    EXPECT_EQ(second.stand.changeCounter, -1) << "the stand takes no counter of a failed save";
    EXPECT_EQ(dump(*m_db), before);
    StandSession loaded;
    store.LoadStand(loaded, key);
    first.stand.name.clear();
    EXPECT_EQ(loaded.stand, first.stand);

    // A failure while the old class rows are deleted.
    ASSERT_TRUE(q.exec("drop trigger ses.boom"));
    ASSERT_TRUE(
        q.exec("create trigger tlo.nodelete before delete on rivwoodtlo begin select raise(abort, 'no "
               "delete'); end"));
    EXPECT_THROW(store.SaveStand(second, key), RivwoodError);
    EXPECT_THROW(store.DeleteStandRows(key), RivwoodError);
    EXPECT_EQ(dump(*m_db), before);
}

TEST_F(DbTest, SaveUnderAKeyWithoutARowWritesNothing) {
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 1);
    EXPECT_THROW(store.SaveStand(s, 5), RivwoodError);
    EXPECT_EQ(s.stand.changeCounter, -1);
    EXPECT_TRUE(dump(*m_db).isEmpty());
}

TEST_P(StoreTest, BatchCommitsTogetherAndAFailedStandRollsBackAlone) {
    StandStore store(openFresh());
    {
        SqlTransaction batch(*m_db);
        store.SaveStand(MakeStand(1, 1, 1).stand, store.AllocateStandKey());
        StandSession bad = MakeStand(1, 1, 2);
        bad.stand.append("SM", bad.stand.at(0));
        bad.stand.append("SM", bad.stand.at(0)); // the species key refuses a second SM
        const int badKey = store.AllocateStandKey();
        EXPECT_THROW(store.SaveStand(bad, badKey), RivwoodError);
        store.SaveStand(MakeStand(1, 1, 3).stand, store.AllocateStandKey());
        batch.commit();
    }
    EXPECT_EQ(scalar("select count(*) from RivwoodPor where NazevTok is not null").toInt(), 2);
    EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 3);
    EXPECT_EQ(scalar("select count(*) from RivwoodDre where KLIC = 2").toInt(), 0);
    {
        SqlTransaction uncommitted(*m_db);
        store.SaveStand(MakeStand(1, 1, 4).stand, store.AllocateStandKey());
    }
    EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 3);
}

TEST_F(DbTest, LoadPutsClassRowsByDiameterAndDropsRowsOutsideTheArray) {
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 0);
    TManual225& e = s.stand.at(0);
    e.classes[21] = {90, 3, 1.5, 4.5}; // (90 - 10) / 4 + 1
    e.classes[0] = {0, 3, 1.5, 4.5};
    store.SaveStand(s, store.AllocateStandKey());
    const QString zkr = CharsToString(e.abbreviation);
    testsupport::RawQuery q(*m_db);
    auto row = [&](double d, double trees) {
        ASSERT_TRUE(q.exec(QString("insert into RivwoodTlo (KLIC, DR_ZKR, TLOUSTKA, CETNOST, OBJEMJ, OBJEMC) "
                                   "values (1, '%1', %2, %3, 2, %4)")
                               .arg(zkr)
                               .arg(d)
                               .arg(trees)
                               .arg(2 * trees)));
    };
    row(95, 2);  // row 2: (95 - 10) / 4 + 1 = 22.25 -> element 22 (94 cm), beside the 90 cm class
    row(3, 7);   // row 3: below the first class, goes to element 3
    row(150, 1); // row 4: element 36 (150 cm)
    StandSession loaded;
    const LoadStandResult r = store.LoadStand(loaded, 1);
    EXPECT_EQ(r.skippedClassRows, 0);
    const auto& c = loaded.stand.at(0).classes;
    EXPECT_EQ(c[21], (TTloustkoveStupne{90, 3, 1.5, 4.5})) << "thick trees no longer replace the 90 cm class";
    EXPECT_EQ(c[22], (TTloustkoveStupne{95, 2, 2, 4}));
    EXPECT_EQ(c[36], (TTloustkoveStupne{150, 1, 2, 2}));
    EXPECT_EQ(c[3], (TTloustkoveStupne{3, 7, 2, 14}));
    EXPECT_EQ(c[0].trees, 3 + 2 + 7 + 1);
    EXPECT_EQ(c[0].classVolume, 4.5 + 4 + 14 + 2);

    // A species with five elements has nowhere to put the thick rows: they are dropped and counted.
    ASSERT_TRUE(q.exec("update RivwoodDre set POCET_TL = 5"));
    const LoadStandResult small = store.LoadStand(loaded, 1);
    EXPECT_EQ(small.skippedClassRows, 3);
    ASSERT_EQ(loaded.stand.at(0).classes.size(), 5u);
    EXPECT_EQ(loaded.stand.at(0).classes[0].trees, 7);
    EXPECT_EQ(loaded.stand.at(0).classes[3].trees, 7);
}

TEST_F(DbTest, LoadOfAMissingKeyGivesAnEmptyStandAndBadRowsLeaveTheStand) {
    StandStore store(openFresh());
    StandSession s = MakeStand(2, 2);
    const TManualy225 original = s.stand;
    EXPECT_FALSE(store.LoadStand(s, 0).found);
    EXPECT_EQ(s.stand.count(), 0);
    EXPECT_EQ(s.stand.river, "");
    EXPECT_EQ(s.stand.designation, original.designation); // ClearStand keeps it

    store.SaveStand(original, store.AllocateStandKey());
    testsupport::RawQuery(*m_db).exec("update RivwoodDre set JHK = 40000 where rowid = 2");
    StandSession target = MakeStand(1, 1, 7);
    const TManualy225 shown = target.stand;
    EXPECT_THROW(store.LoadStand(target, 1), RangeError);
    EXPECT_EQ(target.stand, shown);
}

TEST_F(DbTest, DuplicateStandCodeAsksAndNoRefusesTheKey) {
    StandStore store(openFresh());
    StandSession first = MakeStand(1, 1);
    first.stand.code = first.KodPorostu();
    store.SaveStand(first, store.AllocateStandKey());

    StandSession second = MakeStand(1, 1);
    EXPECT_EQ(store.CountDuplicateCodes(second.stand, 0), 1);
    EXPECT_EQ(store.CountDuplicateCodes(second.stand, 1), 0); // the stand itself does not count
    QStringList asked;
    const YesNoQuestion refuse = [&](const UserMessage& m) {
        asked << m.text;
        return false;
    };
    EXPECT_EQ(store.SBNovyPorostClick(second, 0, refuse), 0);
    EXPECT_EQ(asked, QStringList{"Duplicitní kód porostu. Má se přesto uložit ?"});
    EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 1);
    EXPECT_EQ(store.SBNovyPorostClick(second, 0, yes), 2);
    EXPECT_FALSE(store.CheckDuplicateCode(second.stand, 1, no));

    StandSession other = MakeStand(1, 1);
    other.stand.bank = "P";
    EXPECT_EQ(store.SBNovyPorostClick(other, 0, refuse), 3);
    EXPECT_EQ(asked.size(), 1);
}

TEST_P(StoreTest, SaveOfAStandChangedMeanwhileAsksBeforeOverwriting) {
    StandStore store(openFresh());
    StandSession mine = MakeStand(2, 3, 1);
    const int key = store.SaveNewStand(mine).key;
    StandSession theirs;
    store.LoadStand(theirs, key);
    theirs.stand.designation = "jejich";
    store.SaveStand(theirs, key); // unchanged since loaded: no question

    QStringList asked;
    auto answer = [&](bool yes) {
        return [&asked, yes](const UserMessage& q) { return asked << q.text, yes; };
    };
    mine.stand.designation = "moje";
    const SaveResult refused = store.SaveStand(mine, key, answer(false));
    EXPECT_EQ(refused.status, SaveResult::Refused);
    EXPECT_EQ(asked, QStringList{"Porost byl mezitím v databázi změněn. Přepsat?"});
    EXPECT_EQ(scalar("select POPIS from RivwoodPor").toString(), "jejich");
    EXPECT_THROW(store.SaveStand(mine, key), RivwoodError); // no one to ask: not stored either
    EXPECT_EQ(scalar("select POPIS from RivwoodPor").toString(), "jejich");

    EXPECT_EQ(store.SaveStand(mine, key, answer(true)).status, SaveResult::Stored);
    EXPECT_EQ(scalar("select POPIS from RivwoodPor").toString(), "moje");
    // Now the other one is behind.
    EXPECT_EQ(store.SaveStand(theirs, key, answer(false)).status, SaveResult::Refused);
    EXPECT_EQ(asked.size(), 3);
}

TEST_P(StoreTest, SaveOfAStandDeletedMeanwhileOffersANewKey) {
    StandStore store(openFresh());
    StandSession mine = MakeStand(1, 2, 1);
    const int key = store.SaveNewStand(mine).key;
    store.SaveNewStand(MakeStand(1, 2, 2).stand);
    ASSERT_TRUE(store.DeleteStandRows(key));

    QStringList asked;
    const YesNoQuestion refuse = [&](const UserMessage& q) { return asked << q.text, false; };
    EXPECT_FALSE(store.SaveStand(mine, key, refuse).stored());
    EXPECT_EQ(asked, QStringList{"Porost byl mezitím z databáze zrušen. Uložit jej jako nový porost?"});
    EXPECT_EQ(scalar("select count(*) from RivwoodPor where USED = true").toInt(), 1);

    // The freed key is the first free one, so the stand gets it back as a new stand.
    const SaveResult r = store.SaveStand(mine, key, yes);
    EXPECT_EQ(r.status, SaveResult::StoredAsNew);
    EXPECT_EQ(r.key, key) << "the freed key is the first free one";
    EXPECT_EQ(scalar("select count(*) from RivwoodPor where USED = true").toInt(), 2);
    StandSession loaded;
    store.LoadStand(loaded, r.key);
    EXPECT_EQ(loaded.stand.changeCounter, mine.stand.changeCounter);
    EXPECT_EQ(loaded.stand.count(), 1);
}

TEST_F(DbTest, HalfCentimetreFirstCentreSurvivesSaveLoadSave) {
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 0);
    s.SetClassLayout(1, 8.5); // a class-total caliper report of width 1
    TManual225& e = s.stand.at(0);
    e.classWidth = 1;
    e.firstCentre = 8.5;
    e.classes.assign(size_t(s.layout.ElementCount()), {});
    e.classCount = std::int16_t(e.classes.size());
    for (size_t i = 1; i < e.classes.size(); ++i)
        e.classes[i].centre = s.layout.Centre(int(i));
    e.classes[1] = {8.5, 1, 0.01, 0.01};
    e.classes[2] = {9.5, 2, 0.02, 0.04};
    e.classes[3] = {10.5, 3, 0.03, 0.09};
    e.classes[0] = {0, 6, 0.14 / 6, 0.14};
    const int key = store.SaveNewStand(s).key;
    StandSession loaded;
    store.LoadStand(loaded, key);
    EXPECT_EQ(loaded.layout.StredPrvniho, 8.5);
    EXPECT_EQ(loaded.stand.at(0).classes[2], e.classes[2]);
    EXPECT_EQ(loaded.stand.at(0).classes[3], e.classes[3]);
    store.SaveStand(loaded, key);
    EXPECT_EQ(scalar("select group_concat(TLOUSTKA) from RivwoodTlo").toString(), "8.5,9.5,10.5");
}

TEST_F(DbTest, LockedDatabaseSaysBusyAndStoresNothing) {
    IniFile(settings()).WriteString("DataBase", "BusyTimeout", "1");
    StandStore store(openFresh());
    store.SaveNewStand(MakeStand(1, 1, 1).stand);
    {
        // Another program reads: the save waits for its commit, then gives up and stores nothing.
        QSqlQuery reader(rawFile("RivwoodPor.db"));
        ASSERT_TRUE(reader.exec("begin") && reader.exec("select count(*) from rivwoodpor") && reader.next());
        const QString busy = "Databázi právě používá jiný program. Zkuste to prosím znovu.";
        try {
            store.SaveNewStand(MakeStand(1, 1, 2).stand);
            ADD_FAILURE() << "the save did not fail";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.cause(), DatabaseError::Busy);
            EXPECT_EQ(e.message(), busy);
        }
        ASSERT_TRUE(reader.exec("commit"));
        EXPECT_EQ(scalar("select count(*) from RivwoodPor").toInt(), 1);

        // Another program writes: opening the database is busy, not damaged.
        ASSERT_TRUE(reader.exec("begin exclusive"));
        StandDatabase second(settings());
        second.setDirectory(dir());
        try {
            second.open();
            ADD_FAILURE() << "the database opened";
        } catch (const RivwoodError& e) {
            EXPECT_EQ(e.message(), busy) << e.message().toStdString();
        }
        reader.exec("rollback");
    }
    closeRaw();
}

TEST_P(StoreTest, TextsAreBoundAsTheyAreAndANulCharacterIsRefusedWithItsField) {
    StandStore store(openFresh());
    StandSession s = MakeStand(1, 2);
    s.stand.comment = QString("před") + QChar(u'\0') + "po";
    try {
        store.SaveNewStand(s.stand);
        ADD_FAILURE() << "a NUL character was stored";
    } catch (const RivwoodError& e) {
        EXPECT_EQ(e.message(),
                  "Text „před\u2400po“ obsahuje nepovolený znak NUL (pole KOMENT), porost nebyl uložen.");
    }
    EXPECT_TRUE(store.StandKeys().empty());
    // Quotes, backslashes and SQL in a text are only text.
    s.stand.comment = "O'Brien \\ \"x\"; drop table RivwoodPor; --";
    s.stand.river = "'); delete from RivwoodPor; --";
    const int key = store.SaveNewStand(s.stand).key;
    StandSession loaded;
    store.LoadStand(loaded, key);
    EXPECT_EQ(loaded.stand.comment, s.stand.comment);
    EXPECT_EQ(loaded.stand.river, s.stand.river.left(20));
}
