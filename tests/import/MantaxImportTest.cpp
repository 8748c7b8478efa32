#include "MantaxImport.h"
#include "ImportTestSupport.h"
#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"
#include "SpeciesCodes.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using importtest::samplePath;
using importtest::treesAt;

namespace {

class MantaxImportTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString settings() const { return dir.filePath("Rivwood.INI"); }
    // A current stand with content that an import must replace or keep.
    StandSession openStand() {
        StandSession s;
        s.stand.name = "open";
        s.stand.comment = "keep";
        s.stand.area = 5000;
        s.stand.append("DB", TManual225{});
        return s;
    }
};

} // namespace

TEST_F(MantaxImportTest, RecordFileReadsTheFirstStand) {
    IniFile(settings()).WriteString(SettingsKeys::KodyDrevin, "12", "OL");
    MantaxImport m(settings());
    m.PrepareSingleImport(samplePath("mantax_records.txt"));
    EXPECT_EQ(m.kind(), MantaxKind::Records);
    EXPECT_EQ(m.assignment().codes(), QStringList({"SM", "BK", "12"}));
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Ok);
    StandSession s = openStand();
    s = m.ImportSingle(s);
    EXPECT_TRUE(m.ImportHotov());
    EXPECT_EQ(s.stand.name, "Olšina u mlýna");
    EXPECT_EQ(s.stand.designation, "Porost 12a");
    EXPECT_EQ(s.stand.date, "12.05.2023");
    EXPECT_TRUE(s.stand.comment.isEmpty()) << "the previous stand's comment does not stick";
    EXPECT_EQ(s.stand.area, 0);
    ASSERT_EQ(s.stand.count(), 3);
    EXPECT_EQ(s.stand.abbreviationAt(0), "SM");
    EXPECT_EQ(s.stand.at(0).classes[0].trees, 3);
    EXPECT_DOUBLE_EQ(s.stand.at(0).meanHeight, 22.0);
    EXPECT_EQ(s.stand.abbreviationAt(1), "BK");
    EXPECT_EQ(s.stand.at(1).classes.back().trees, 1); // 250 cm
    EXPECT_EQ(s.stand.abbreviationAt(2), "OL");
    // Heights are found by caliper code: "$2 OL" names no listed code, so OL has no height.
    EXPECT_EQ(treesAt(s.stand.at(2), 10), 1);
    EXPECT_DOUBLE_EQ(s.stand.at(2).meanHeight, 0);
    EXPECT_EQ(s.layout, ClassLayout::Make(4, 10));
}

TEST_F(MantaxImportTest, SingleTreeReport) {
    MantaxImport m(settings());
    m.PrepareSingleImport(samplePath("mantax_single_trees.txt"));
    EXPECT_EQ(m.kind(), MantaxKind::SingleTrees);
    EXPECT_EQ(MantaxReader::Convert(importtest::sampleLines("mantax_single_trees.txt"), m.kind()).records,
              QStringList({"$ALIST 3", "$B0815", "$d14.06.2023", "$1 SM  23.4", "$1 BK  41.2", "$1 SM  18.7",
                           "$1 Smrk   30.1", "$9"}));
    // A quoted code loses its trailing blank in the record.
    EXPECT_EQ(m.assignment().codes(), QStringList({"SM", "BK", "Smrk"}));
    m.assignment().Assign("Smrk", "SM");
    StandSession s = openStand();
    s = m.ImportSingle(s);
    EXPECT_EQ(s.stand.name, "LIST 3");
    EXPECT_EQ(s.stand.designation, "0815");
    EXPECT_EQ(treesAt(s.stand.at(0), 22), 1); // 23.4 cm
    EXPECT_EQ(treesAt(s.stand.at(0), 18), 1); // 18.7 cm
    EXPECT_EQ(treesAt(s.stand.at(1), 42), 1); // 41.2 cm
}

TEST_F(MantaxImportTest, ClassTotalsSetTheLayoutOnlyWhenImported) {
    MantaxImport m(settings());
    m.PrepareSingleImport(samplePath("mantax_class_totals.txt"));
    EXPECT_EQ(m.kind(), MantaxKind::ClassTotals);
    ASSERT_TRUE(m.fileLayout().has_value());
    EXPECT_EQ(m.fileLayout()->SirkaStupne, 4);
    EXPECT_EQ(m.fileLayout()->StredPrvniho, 10);
    StandSession s = openStand();
    s.SetClassLayout(2, 8);
    EXPECT_EQ(s.layout.SirkaStupne, 2);
    s = m.ImportSingle(s);
    EXPECT_EQ(s.layout, ClassLayout::Make(4, 10));
    EXPECT_EQ(s.work.Cetnosti.size(), 50u);
    ASSERT_EQ(s.stand.count(), 2);
    const TManual225& sm = s.stand.at(0);
    EXPECT_EQ(treesAt(sm, 10), 5);
    EXPECT_EQ(treesAt(sm, 14), 3);
    EXPECT_DOUBLE_EQ(sm.meanHeight, 22.5);
    EXPECT_EQ(treesAt(s.stand.at(1), 10), 2);
    EXPECT_EQ(treesAt(s.stand.at(1), 14), 1);
    EXPECT_DOUBLE_EQ(s.stand.at(1).meanHeight, 18.0);
}

TEST_F(MantaxImportTest, ClassWidthOutsideOneToFourKeepsTheLayout) {
    MantaxImport m(settings());
    m.PrepareSingleImportLines({"LIST", "MANTAX", "ID", "DATUM", "METODA", "SM -ABCD", "10-15 1"});
    EXPECT_FALSE(m.fileLayout().has_value());
    m.PrepareSingleImportLines({"LIST", "MANTAX", "ID", "DATUM", "METODA", "SM -ABCD", "9-12 1", "6-8 1"});
    ASSERT_TRUE(m.fileLayout().has_value());
    EXPECT_EQ(m.fileLayout()->SirkaStupne, 2);
    EXPECT_EQ(m.fileLayout()->StredPrvniho, 7);
}

TEST_F(MantaxImportTest, AbsurdCountIsRefusedAndLeavesNothing) {
    MantaxImport m(settings());
    m.PrepareSingleImport(samplePath("mantax_records.txt"));
    try {
        m.PrepareSingleImport(samplePath("broken_huge_count.txt"));
        FAIL() << "no error";
    } catch (const RivwoodError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_TRUE(m.lines().ToList().isEmpty());
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Empty);
}

TEST_F(MantaxImportTest, GarbageAndBrokenFilesAreEmpty) {
    MantaxImport m(settings());
    m.PrepareSingleImport(samplePath("broken_garbage.bin"));
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Empty);
    m.PrepareSingleImport(samplePath("broken_missing_fields.txt"));
    EXPECT_EQ(m.assignment().codes(), QStringList({"SM"}));
    StandSession s;
    s = m.ImportSingle(s);
    ASSERT_EQ(s.stand.count(), 1);
    EXPECT_EQ(s.stand.at(0).classes[0].trees, 0);
    EXPECT_THROW(m.PrepareSingleImport(dir.filePath("missing.txt")), IoError);
}

TEST_F(MantaxImportTest, FailedImportLeavesTheOpenStand) {
    MantaxImport m(settings());
    m.PrepareSingleImportLines({"$1 Q 20", "$1 SM 30", "$9"});
    m.assignment().SetAbbreviation(0, "TOOLONG"); // only a hand-edited settings file gives this
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Unassigned);
    StandSession s = openStand();
    EXPECT_THROW(m.ImportSingle(s), RivwoodError);
    EXPECT_FALSE(m.ImportHotov());
}

TEST_F(MantaxImportTest, BulkModeListsEveryCodeAndAllowsSharedSpecies) {
    MantaxImport m(settings());
    m.PrepareBulkImport(samplePath("mantax_bulk_three.txt"));
    EXPECT_EQ(m.mode(), MantaxImport::Mode::Bulk);
    EXPECT_EQ(m.assignment().codes(), QStringList({"SM", "BK", "X1", "X2"}));
    EXPECT_EQ(m.blocks().size(), 3u);
    m.assignment().Assign("X1", "SM");
    m.assignment().Assign("X2", "SM");
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Ok);
    m.PrepareSingleImport(samplePath("mantax_bulk_three.txt"));
    m.assignment().Assign("BK", "SM");
    EXPECT_EQ(m.CheckOk(), SpeciesAssignment::Check::Duplicate);
}

TEST_F(MantaxImportTest, AFileWithTooManyCodesIsRefused) {
    MantaxImport m(settings());
    QStringList lines;
    for (int i = 0; i <= SpeciesCodes::MaxCodes; ++i)
        lines << QString("$1 K%1 20").arg(i);
    try {
        m.PrepareBulkImportLines(lines);
        FAIL() << "no error";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().contains("více než 10000 různých kódů dřevin")) << e.message().toStdString();
    }
    EXPECT_TRUE(m.assignment().isEmpty());
}

TEST_F(MantaxImportTest, ALineTooLongForACaliperFileIsRefusedUnread) {
    const QString file = dir.filePath("dlouhy.txt");
    ASSERT_TRUE(testsupport::writeFile(file, "$A Porost\r\n$1 SM " + QByteArray(70000, '1') + "\r\n$9\r\n"));
    MantaxImport m(settings());
    try {
        m.PrepareSingleImport(file);
        FAIL() << "no error";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().startsWith("Řádek 2 souboru")) << e.message().toStdString();
    }
    EXPECT_TRUE(m.assignment().isEmpty());
}
