#include "DbTestSupport.h"

#include "StandCode.h"
#include "StandStore.h"

// A text longer than its column is cut before the character that does not fit whole: an emoji
// (a surrogate pair) across the column's end is left out, never split into invalid text.
TEST_P(StoreTest, TextsAreCutToTheirColumnsBetweenCharacters) {
    StandStore store(openFresh());
    StandSession saved = MakeStand(1, 5);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\xB2"); // U+1F332, two UTF-16 units
    saved.stand.river = QString(19, u'a') + emoji;
    saved.stand.designation = QString(79, u'b') + emoji + "c";
    saved.stand.code =
        MakeStandCode(saved.stand.river, saved.stand.bank, saved.stand.riverKm, saved.stand.action);
    const int key = store.AllocateStandKey();
    store.SaveStand(saved, key);

    StandSession loaded;
    ASSERT_TRUE(store.LoadStand(loaded, key).found);
    EXPECT_EQ(loaded.stand.river, QString(19, u'a'));
    EXPECT_EQ(loaded.stand.designation, QString(79, u'b'));
    EXPECT_EQ(loaded.stand.code,
              MakeStandCode(QString(19, u'a'), saved.stand.bank, saved.stand.riverKm, saved.stand.action));
}
