#include "MantaxBlocks.h"
#include "ImportTestSupport.h"
#include "RivwoodError.h"

#include <gtest/gtest.h>

using MantaxBlocks::ConvertBlocks;
using MantaxBlocks::MarkDuplicates;
using MantaxBlocks::SplitBlocks;

namespace {

std::vector<std::pair<qsizetype, qsizetype>> ranges(const std::vector<TInfoData>& blocks) {
    std::vector<std::pair<qsizetype, qsizetype>> r;
    for (const TInfoData& b : blocks)
        r.emplace_back(b.firstLine, b.lastLine);
    return r;
}

using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

} // namespace

TEST(MantaxBlocks, ThreeRecordBlocks) {
    const QStringList lines = importtest::sampleLines("mantax_bulk_three.txt");
    const std::vector<TInfoData> blocks = SplitBlocks(lines);
    EXPECT_EQ(ranges(blocks), (Ranges{{0, 6}, {7, 12}, {13, 18}}));
    for (const TInfoData& b : blocks)
        EXPECT_EQ(b.kind, MantaxKind::Records);
}

TEST(MantaxBlocks, ReportBlocksEndAtTheNextListOrRecordLine) {
    const QStringList lines{"LIST 1",       "MANTAX",   "ID 1",   "DATUM",  "METODA", "KRUH",
                            "1,1,0,SM,200", "x",        "LIST 2", "MANTAX", "ID 2",   "DATUM",
                            "METODA",       "SM -ABCD", "8-12 1", "$A r",   "$9",     "stray line",
                            "LIST 3",       "MANTAX",   "ID 3",   "DATUM",  "METODA", "KRUH 1"};
    const std::vector<TInfoData> blocks = SplitBlocks(lines);
    EXPECT_EQ(ranges(blocks), (Ranges{{0, 7}, {8, 14}, {15, 16}, {18, 23}}));
    EXPECT_EQ(blocks[0].kind, MantaxKind::SingleTrees);
    EXPECT_EQ(blocks[1].kind, MantaxKind::ClassTotals);
    EXPECT_EQ(blocks[2].kind, MantaxKind::Records);
    // "KRUH" counts only from the sixth header line on.
    EXPECT_EQ(blocks[3].kind, MantaxKind::SingleTrees);
    EXPECT_EQ(SplitBlocks({"LIST", "KRUH", "MANTAX"})[0].kind, MantaxKind::ClassTotals);
}

TEST(MantaxBlocks, RecordBlockKeepsNonRecordLinesAndShortLinesArePassedOver) {
    const std::vector<TInfoData> blocks =
        SplitBlocks({"x", "$A a", "LIST swallowed", "", "$1 SM 20", "$9", "y"});
    EXPECT_EQ(ranges(blocks), (Ranges{{1, 5}}));
}

TEST(MantaxBlocks, LastRecordBlockWithoutEndRunsToTheEnd) {
    const std::vector<TInfoData> blocks = SplitBlocks({"$A a", "$1 SM 20", "$9", "$A b", "$1 SM 30", ""});
    EXPECT_EQ(ranges(blocks), (Ranges{{0, 2}, {3, 5}}));
}

TEST(MantaxBlocks, StrayEndMarkOpensNoBlock) {
    const std::vector<TInfoData> blocks = SplitBlocks({"$A a", "$9", "$9", "$A b", "$1 SM 30", "$9"});
    EXPECT_EQ(ranges(blocks), (Ranges{{0, 1}, {3, 5}}));
}

TEST(MantaxBlocks, NeighbourDuplicates) {
    const QStringList lines = importtest::sampleLines("mantax_bulk_duplicates.txt");
    std::vector<TInfoData> blocks = SplitBlocks(lines);
    MarkDuplicates(blocks);
    ASSERT_EQ(blocks.size(), 6u);
    // The earlier of two equal record blocks and the later of two equal reports are dropped.
    const std::vector<bool> expected{true, false, false, true, false, false};
    for (size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i].duplicate, expected[i]) << i;
    EXPECT_EQ(blocks[0].identity, (std::array<QString, 3>{"$A Stand 1", "$B P1", "$D 01.07.2023"}));
    EXPECT_EQ(blocks[2].identity, (std::array<QString, 3>{"MANTAX 2.10", "ID 77", "DATUM 05.07.2023"}));
}

TEST(MantaxBlocks, OnlyNeighboursAreCompared) {
    const QStringList lines{"$A a", "$B b", "$9", "$A c", "$9", "$A a", "$B b", "$9"};
    std::vector<TInfoData> blocks = SplitBlocks(lines);
    MarkDuplicates(blocks);
    ASSERT_EQ(blocks.size(), 3u);
    for (const TInfoData& b : blocks)
        EXPECT_FALSE(b.duplicate);
    // Identity lines beyond the file read as empty.
    const QStringList shortFile{"$A a", "$9"};
    std::vector<TInfoData> one = SplitBlocks(shortFile);
    MarkDuplicates(one);
    EXPECT_EQ(one[0].identity, (std::array<QString, 3>{"$A a", "$9", ""}));
}

TEST(MantaxBlocks, ConversionBlockByBlock) {
    const QStringList lines{"$A a",    "$1 SM 20", "$9",   "LIST 2",       "MANTAX", "ID 5",
                            "DATUM d", "METODA",   "KRUH", "1,1,0,BK,300", "$A c",   "$1 OL 10"};
    std::vector<TInfoData> blocks = SplitBlocks(lines);
    MarkDuplicates(blocks);
    QStringList records;
    std::vector<size_t> blockOf;
    ConvertBlocks(lines, blocks, [&](size_t block, const QString& record) {
        records << record;
        blockOf.push_back(block);
        return true;
    });
    EXPECT_EQ(records, QStringList({"$A a", "$1 SM 20", "$9", "$ALIST 2", "$B5", "$dd", "$1 BK  30.0", "$9",
                                    "$A c", "$1 OL 10", "$9"}));
    EXPECT_EQ(blockOf, (std::vector<size_t>{0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2}));
}

TEST(MantaxBlocks, AbsurdCountInAnyBlockIsRefused) {
    const QStringList lines = importtest::sampleLines("broken_huge_count.txt");
    std::vector<TInfoData> blocks = SplitBlocks(lines);
    EXPECT_THROW(ConvertBlocks(lines, blocks, [](size_t, const QString&) { return true; }), RivwoodError);
}
