// db copy between two directories: a conflict is a target stand that changed since it was last
// copied, whatever the change counters of the two sides say.
#include "DbTestSupport.h"

#include "DatabaseChooser.h"
#include "StandCopy.h"
#include "StandStore.h"

#include <QDir>

namespace {

std::vector<int> none() {
    return {};
}

} // namespace

TEST_F(DbTest, CopyConflictIsATargetChangedSinceTheLastCopyWhateverTheCounters) {
    StandDatabase field(settings()), office(settings());
    for (auto [db, name] : {std::pair{&field, "field"}, std::pair{&office, "office"}}) {
        ASSERT_TRUE(QDir(dir()).mkpath(name));
        ASSERT_TRUE(DatabaseChooser::UseDirectory(*db, QDir(dir()).filePath(name), {}));
    }
    StandStore f(field), o(office);
    const auto copy = [](StandDatabase& from, StandDatabase& to, std::vector<int> keys) {
        const StandCopy::Result r = StandCopy::Copy(from, to, keys, false);
        return std::pair{r.copied, r.conflicts};
    };
    using Outcome = std::pair<std::vector<int>, std::vector<int>>;

    // Both sides made a stand 1 and saved it once: the same key and counter, two stands.
    f.SaveNewStand(MakeStand(1, 2, 1).stand);
    o.SaveNewStand(MakeStand(1, 2, 2).stand);
    EXPECT_EQ(copy(field, office, {1}), (Outcome{none(), {1}}));

    // Stand 2 goes to the office; copying it again unchanged there is no conflict.
    f.SaveNewStand(MakeStand(1, 2, 3).stand);
    EXPECT_EQ(copy(field, office, {2}), (Outcome{{2}, none()}));
    f.SaveStand(MakeStand(2, 2, 3).stand, 2);
    EXPECT_EQ(copy(field, office, {2}), (Outcome{{2}, none()}));

    // Both change it once more: equal counters again, but the office's stand is not the copy.
    f.SaveStand(MakeStand(1, 3, 3).stand, 2);
    o.SaveStand(MakeStand(1, 4, 3).stand, 2);
    EXPECT_EQ(copy(field, office, {2}), (Outcome{none(), {2}}));

    // Changed only in the office, it goes back to the field, which has not changed it since.
    o.SaveStand(MakeStand(3, 2, 3).stand, 2);
    const StandCopy::Result overwritten = StandCopy::Copy(field, office, {2}, true);
    EXPECT_EQ(overwritten.copied, std::vector<int>{2});
    o.SaveStand(MakeStand(2, 5, 3).stand, 2);
    EXPECT_EQ(copy(office, field, {2}), (Outcome{{2}, none()}));
    StandSession back;
    f.LoadStand(back, 2);
    EXPECT_EQ(back.stand.count(), 2);
}
