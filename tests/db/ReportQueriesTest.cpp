// The report and export queries run as written on the stand tables.
#include "DbTestSupport.h"

#include "RawQuery.h"
#include "StandStore.h"

namespace {

QString qSestava(const QString& standCondition) {
    return QStringList{"Select RivwoodPor.klic,",
                       "  NazevTok, NazevBreh, NazevRKm, NazevAkce,",
                       "  VEK, POPIS, KROVINY, datum,  zavod, provoz, taxator, uzivatel,",
                       "  RivwoodSes.KLIC KLIC, RivwoodSes.PLOCHA PLOCHA, ZAKM, DR_ZKR,",
                       "  DR_KOD, DR_ZAKM, DR_PLO, DR_PLO_RED, DR_PLO_RHA, ",
                       "  DR_ZAST, JEHL, VYSKA, TLOUSTKA, GHA,",
                       "  ZTJ, ZTL, ZT, ZHA, ZHA_JEHL, ZHA_LIST, ",
                       "  DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL, KOMENT, STRANKA",
                       " from RivwoodSes, RivwoodPor",
                       "  where  RivwoodSes.KLIC=RivwoodPor.KLIC",
                       standCondition,
                       "      and used=true",
                       "     and  RivwoodPor.vypocteno=true",
                       "    and RivwoodPor.souhrn=true",
                       "order by NazevTok, NazevBreh, NazevRKm, NazevAkce, RivwoodPor.KLIC, DR_KOD"}
        .join('\n');
}

} // namespace

TEST_F(DbTest, ReportQueriesRunOnTheStandTables) {
    UserIdentification{"Závod", "Provoz", "Taxátor", "Jméno"}.Save(settings());
    StandStore store(openFresh());
    for (int i = 1; i <= 3; ++i) {
        StandSession s = MakeStand(i + 1, 3, i);
        s.stand.summary = i != 2;
        store.SaveStand(s, store.AllocateStandKey());
    }

    testsupport::RawQuery one(*m_db);
    ASSERT_TRUE(one.exec(qSestava("      and  RivwoodSes.KLIC  = 3"))) << one.lastError().toStdString();
    int rows = 0;
    QList<int> codes;
    while (one.next()) {
        ++rows;
        EXPECT_EQ(one.value("KLIC").toInt(), 3);
        EXPECT_EQ(one.value("zavod").toString(), "Závod");
        EXPECT_EQ(one.value("PLOCHA").toDouble(), MakeStand(1, 1, 3).stand.area);
        codes << one.value("DR_KOD").toInt();
    }
    EXPECT_EQ(rows, 4);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));

    testsupport::RawQuery range(*m_db);
    ASSERT_TRUE(range.prepare(qSestava("      and  RivwoodSes.KLIC >= ? and RivwoodSes.KLIC <= ?")));
    range.addBindValue(0);
    range.addBindValue(2147483647);
    ASSERT_TRUE(range.exec()) << range.lastError().toStdString();
    rows = 0;
    while (range.next())
        ++rows;
    EXPECT_EQ(rows, 2 + 4); // stand 2 has no summary

    testsupport::RawQuery por(*m_db);
    ASSERT_TRUE(
        por.exec("Select *\n from  RivwoodPor \n  where  used=true\n        and vypocteno=true\norder by  "
                 "NazevAkce, KLIC\n"));
    QList<int> keys;
    while (por.next())
        keys << por.value("KLIC").toInt();
    EXPECT_EQ(keys, (QList<int>{1, 2, 3}));

    testsupport::RawQuery count(*m_db);
    ASSERT_TRUE(
        count.prepare("select klic, count(dr_zkr) pocet\nfrom rivwoodses\nwhere klic=?\ngroup by klic"));
    count.addBindValue(3);
    ASSERT_TRUE(count.exec() && count.next());
    EXPECT_EQ(count.value("pocet").toInt(), 4);

    testsupport::RawQuery pages(*m_db);
    ASSERT_TRUE(pages.prepare("update rivwoodses set STRANKA = ? where klic=?"));
    pages.addBindValue(7);
    pages.addBindValue(3);
    ASSERT_TRUE(pages.exec());
    testsupport::RawQuery live(*m_db);
    ASSERT_TRUE(live.prepare("select * from rivwoodses\nwhere klic=?"));
    live.addBindValue(3);
    ASSERT_TRUE(live.exec() && live.next());
    EXPECT_EQ(live.value("STRANKA").toInt(), 7);
}
