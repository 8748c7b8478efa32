#include "DbTestSupport.h"

#include "CzechCollation.h"
#include "StandListModel.h"
#include "StandStore.h"

namespace {

QStringList keys(const StandListModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.data(m.index(r, 0)).toString();
    return out;
}

} // namespace

class StandListTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        StandStore store(openFresh());
        // Key: river, bank, computed.
        const struct {
            const char* river;
            const char* bank;
            bool computed;
        } stands[] = {
            {"Vltava", "P", true}, {"Labe", "L", false}, {"Labe", "", true}, {"Berounka", "P", true}};
        for (const auto& s : stands) {
            StandSession session = MakeStand(1, 2);
            session.stand.river = s.river;
            session.stand.bank = s.bank;
            session.stand.at(0).computed = s.computed;
            store.SaveStand(session, store.AllocateStandKey());
        }
        store.AllocateStandKey(); // key 5: allocated, not yet filled
        store.SaveStand(MakeStand(1, 1).stand, store.AllocateStandKey());
        store.DeleteStandRows(6); // key 6: free
    }
};

TEST_F(StandListTest, ListsUsedStandsInLocationOrderWithTheFilter) {
    StandListModel model(*m_db);
    model.refresh();
    EXPECT_EQ(keys(model), (QStringList{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "Název Akce");
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), "VYPOČTENO");
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), "Labe");
    EXPECT_EQ(model.data(model.index(3, 5)).toString(), "Ne");
    EXPECT_EQ(model.rows()[4].area, MakeStand(1, 2).stand.area);

    model.setFilter(true, false);
    EXPECT_EQ(model.filter(), "Vypocteno");
    EXPECT_EQ(keys(model), (QStringList{"4", "3", "1"}));
    model.setFilter(false, true);
    EXPECT_EQ(model.filter(), "not Vypocteno");
    EXPECT_EQ(keys(model), (QStringList{"2"})); // key 5 has no flag yet and shows only unfiltered
    model.setFilter(false, false);
    EXPECT_EQ(model.filter(), "Vypocteno and not Vypocteno");
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.keyAt(0), 0); // "Vyber porost" on an empty list
    model.setFilter(true, true);
    EXPECT_TRUE(model.filter().isEmpty());
    EXPECT_EQ(model.rowCount(), 5);
}

TEST_F(StandListTest, DeletingFromTheListFreesTheStandAndKeepsTheFilter) {
    StandStore store(*m_db);
    StandListModel model(*m_db);
    model.setFilter(true, false);
    EXPECT_EQ(StandListModel::DeleteQuestion().text, " Opravdu si přejete zrušit záznam ?");
    ASSERT_TRUE(model.DeleteStand(1, store)); // key 3
    EXPECT_EQ(keys(model), (QStringList{"4", "1"}));
    EXPECT_EQ(scalar("select USED from RivwoodPor where KLIC = 3").toInt(), 0);

    model.setFilter(false, false);
    const int before = scalar("select count(*) from RivwoodDre").toInt();
    EXPECT_FALSE(model.DeleteStand(0, store));
    EXPECT_EQ(scalar("select count(*) from RivwoodDre").toInt(), before);
}

class CzechOrderTest : public DbTest {};

TEST_F(CzechOrderTest, RiversInCzechDictionaryOrder) {
    StandStore store(openFresh());
    // Saved in byte order; "ch" sorts after "h", č after c, case does not count.
    for (const char* river : {"Chrudimka", "Cidlina", "Dyje", "zlatý potok", "Úpa", "Čistá"}) {
        StandSession session = MakeStand(1, 1);
        session.stand.river = QString::fromUtf8(river);
        store.SaveStand(session, store.AllocateStandKey());
    }
    StandListModel model(*m_db);
    model.refresh();
    QStringList rivers;
    for (const StandListModel::Row& row : model.rows())
        rivers << row.river;
    EXPECT_EQ(rivers, (QStringList{"Cidlina", "Čistá", "Dyje", "Chrudimka", "Úpa", "zlatý potok"}));
    // Equal rivers in any case fall to the next column.
    EXPECT_EQ(scalar("select count(*) from RivwoodPor where NazevTok = 'dyje' collate CZECH").toInt(), 1);
}

TEST(CzechCollationClause, EveryTextTermOfTheOrderGetsTheCollation) {
    // A server refuses a collation on a number column.
    EXPECT_EQ(CzechCollation::OrderBy("order by  NazevAkce, KLIC desc, DR_KOD"),
              "order by  NazevAkce collate CZECH, KLIC desc, DR_KOD");
    const QStringList lines{"Select *", " from RivwoodPor", "order by NazevTok, RivwoodPor.KLIC"};
    EXPECT_EQ(
        CzechCollation::Collated(lines),
        (QStringList{"Select *", " from RivwoodPor", "order by NazevTok collate CZECH, RivwoodPor.KLIC"}));
}
