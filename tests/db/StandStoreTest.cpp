#include "DbTestSupport.h"

#include "StandStore.h"

TEST_F(DbTest, SavedStandLoadsBackWithEveryStoredField) {
    StandStore store(openFresh());
    StandSession saved = MakeStand(3, 20);
    const int key = store.AllocateStandKey();
    EXPECT_EQ(key, 1);
    store.SaveStand(saved, key);
    EXPECT_TRUE(saved.flags.Ulozeno);

    StandSession loaded;
    const LoadStandResult r = store.LoadStand(loaded, key);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.skippedClassRows, 0);
    saved.stand.name.clear(); // the name has no column
    EXPECT_EQ(loaded.stand, saved.stand);
}
