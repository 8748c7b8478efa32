#include "ImportTestSupport.h"
#include "MantaxImport.h"

#include "DatabaseChooser.h"
#include "DatabaseError.h"
#include "DatabaseStandSink.h"
#include "RawQuery.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using importtest::MemorySink;
using importtest::samplePath;
using importtest::treesAt;

namespace {

MantaxImport prepared(const char* file) {
    MantaxImport m;
    m.PrepareBulkImport(samplePath(file));
    return m;
}

} // namespace

TEST(MantaxBulk, ThreeRecordBlocksGiveThreeStands) {
    MantaxImport m = prepared("mantax_bulk_three.txt");
    m.assignment().Assign("X1", "SM");
    m.assignment().Assign("X2", "OL");
    ASSERT_EQ(m.CheckOk(), SpeciesAssignment::Check::Ok);
    MemorySink sink(7);
    const BulkImportResult r = m.ImportBulk(sink, ClassLayout::Make(4, 10));
    EXPECT_EQ(r.keys, (std::vector<int>{7, 8, 9}));
    EXPECT_FALSE(r.cancelled);
    ASSERT_EQ(sink.saved.size(), 3u);
    const TManualy225& first = sink.saved[0].stand;
    EXPECT_EQ(first.name, "Stand 1");
    EXPECT_EQ(first.designation, "P1");
    EXPECT_EQ(first.date, "01.07.2023");
    EXPECT_EQ(first.code, "");
    EXPECT_EQ(first.river, "");
    EXPECT_EQ(first.area, 0);
    ASSERT_EQ(first.count(), 2);
    EXPECT_DOUBLE_EQ(first.at(0).meanHeight, 20.0);
    EXPECT_FALSE(first.at(0).computed);
    // Two codes of one species are tallied together.
    const TManual225& sm2 = sink.saved[1].stand.at(0);
    EXPECT_EQ(sink.saved[1].stand.abbreviationAt(0), "SM");
    EXPECT_EQ(sm2.classes[0].trees, 2);
    EXPECT_EQ(treesAt(sm2, 18), 1);
    EXPECT_EQ(treesAt(sm2, 26), 1);
    EXPECT_EQ(sink.saved[2].stand.abbreviationAt(0), "OL");
    EXPECT_EQ(sink.saved[2].stand.abbreviationAt(1), "SM");
}

TEST(MantaxBulk, DuplicatesAreDroppedAndTheLastBlockWithoutEndIsRead) {
    MantaxImport m = prepared("mantax_bulk_duplicates.txt");
    ASSERT_EQ(m.CheckOk(), SpeciesAssignment::Check::Ok); // SM, BK, OL, JS are abbreviations
    MemorySink sink;
    const BulkImportResult r = m.ImportBulk(sink, ClassLayout::Make(2, 8));
    EXPECT_EQ(r.keys, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(sink.saved.size(), 4u);
    // The later copy of the record block, with two trees, is the one kept.
    EXPECT_EQ(sink.saved[0].stand.at(0).classes[0].trees, 2);
    EXPECT_EQ(sink.saved[1].stand.name, "LIST 8");
    EXPECT_EQ(sink.saved[1].stand.at(0).classes[0].trees, 1);
    EXPECT_EQ(sink.saved[2].stand.name, "LIST 10");
    EXPECT_EQ(sink.saved[3].stand.name, "Stand 4");
    ASSERT_EQ(sink.saved[3].stand.count(), 1);
    EXPECT_EQ(sink.saved[3].stand.at(0).classWidth, 2);
    EXPECT_EQ(sink.saved[3].stand.at(0).firstCentre, 8);
    EXPECT_EQ(treesAt(sink.saved[3].stand.at(0), 26), 1);
}

TEST(MantaxBulk, BlockWithoutSpeciesIsStillStored) {
    MantaxImport m;
    m.PrepareBulkImportLines({"$A empty", "$9", "$A one", "$1 SM 20", "$9"});
    MemorySink sink;
    const BulkImportResult r = m.ImportBulk(sink, ClassLayout::Make(4, 10));
    ASSERT_EQ(r.keys.size(), 2u);
    EXPECT_EQ(sink.saved[0].stand.count(), 0);
    EXPECT_EQ(sink.saved[0].stand.name, "empty");
}

TEST(MantaxBulk, ProgressAndCancel) {
    MantaxImport m = prepared("mantax_bulk_three.txt");
    m.assignment().Assign("X1", "SM");
    m.assignment().Assign("X2", "SM");
    MemorySink sink;
    std::vector<std::pair<int, int>> calls;
    const BulkImportResult r = m.ImportBulk(sink, ClassLayout::Make(4, 10), [&](int done, int total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.keys, (std::vector<int>{1, 2}));
    EXPECT_EQ(sink.saved.size(), 2u);

    MemorySink none;
    const BulkImportResult early =
        m.ImportBulk(none, ClassLayout::Make(4, 10), [](int, int) { return false; });
    EXPECT_TRUE(early.cancelled);
    EXPECT_TRUE(none.saved.empty());
}

TEST(MantaxBulk, ErrorStopsTheImportAndKeepsEarlierStands) {
    MantaxImport m = prepared("mantax_bulk_three.txt");
    m.assignment().Assign("X1", "SM");
    m.assignment().Assign("X2", "SM");
    MemorySink sink;
    sink.failOnSave = [](int key) { return key == 2; };
    EXPECT_THROW(m.ImportBulk(sink, ClassLayout::Make(4, 10)), std::runtime_error);
    ASSERT_EQ(sink.saved.size(), 1u);
    EXPECT_EQ(sink.saved[0].key, 1);
}

TEST(MantaxBulkDatabase, StandsGoIntoTheDatabaseWithConsecutiveKeys) {
    QTemporaryDir dir;
    StandDatabase db(dir.filePath("Rivwood.INI"));
    ASSERT_TRUE(DatabaseChooser::UseDirectory(db, dir.path(), [](const UserMessage&) { return true; }));
    StandStore store(db);
    // A freed key is handed out first.
    const int k1 = store.AllocateStandKey();
    const int k2 = store.AllocateStandKey();
    ASSERT_TRUE(store.DeleteStandRows(k1));

    MantaxImport m = prepared("mantax_bulk_three.txt");
    m.assignment().Assign("X1", "SM");
    m.assignment().Assign("X2", "OL");
    const BulkImportResult r = MantaxBulkImport::ImportIntoDatabase(m.lines(), m.blocks(), m.assignment(),
                                                                    ClassLayout::Make(4, 10), store);
    EXPECT_EQ(r.keys, (std::vector<int>{k1, k2 + 1, k2 + 2}));

    StandSession loaded;
    ASSERT_TRUE(store.LoadStand(loaded, r.keys[1]).found);
    EXPECT_EQ(loaded.stand.designation, "P2");
    EXPECT_EQ(loaded.stand.date, "02.07.2023");
    ASSERT_EQ(loaded.stand.count(), 1);
    EXPECT_EQ(loaded.stand.abbreviationAt(0), "SM");
    EXPECT_EQ(loaded.stand.at(0).classes[0].trees, 2);
    EXPECT_TRUE(loaded.stand.at(0).conifer); // its summary row tells a conifer
}

TEST(MantaxBulkDatabase, FullDiskKeepsTheCommittedChunksAndSaysHowMany) {
    QTemporaryDir dir;
    StandDatabase db(dir.filePath("Rivwood.INI"));
    ASSERT_TRUE(DatabaseChooser::UseDirectory(db, dir.path(), [](const UserMessage&) { return true; }));
    StandStore store(db);
    QStringList lines;
    for (int s = 1; s <= 60; ++s) {
        lines << QString("$A Stand %1").arg(s);
        for (int d = 8; d <= 200; d += 4)
            lines << QString("$1 SM %1").arg(d);
        lines << "$9";
    }
    MantaxImport m;
    m.PrepareBulkImportLines(lines);
    m.assignment().Assign("SM", "SM");
    // The class table may grow by a few pages only: the disk is full after some stands.
    testsupport::RawQuery q(db);
    ASSERT_TRUE(q.exec("pragma tlo.page_count") && q.next());
    ASSERT_TRUE(q.exec(QString("pragma tlo.max_page_count = %1").arg(q.value(0).toInt() + 5)));
    try {
        MantaxBulkImport::ImportIntoDatabase(m.lines(), m.blocks(), m.assignment(), ClassLayout::Make(4, 10),
                                             store, {}, BulkChunk{4, 1000000});
        ADD_FAILURE() << "the import did not fail";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.cause(), DatabaseError::DiskFull);
        ASSERT_TRUE(q.exec("select count(*), sum(POC_DREV) from RivwoodPor where USED = true") && q.next());
        const int stored = q.value(0).toInt();
        EXPECT_GT(stored, 0);
        EXPECT_EQ(stored % 4, 0) << "only whole chunks are stored";
        EXPECT_EQ(q.value(1).toInt(), stored) << "each stored stand has its species";
        EXPECT_EQ(e.message(), DatabaseError::MessageFor(DatabaseError::DiskFull, {}, {}) + "\r" +
                                   MantaxBulkImport::StoredCount(stored) + ".");
    }
}
