#include "OldStandTables.h"
#include "ParadoxFixtures.h"
#include "RivwoodError.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using testsupport::OldTableColumns;
using testsupport::ParadoxTableWriter;
using testsupport::WriteOldTable;

namespace {

// Equal values of equal types; a null expected value is an empty field.
void expectRows(const Rows& actual, const Rows& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(actual[r].size(), expected[r].size());
        for (size_t f = 0; f < expected[r].size(); ++f) {
            const QVariant& a = actual[r][f];
            const QVariant& e = expected[r][f];
            EXPECT_EQ(a.isValid(), e.isValid()) << "row " << r << " field " << f;
            if (e.isValid()) {
                EXPECT_EQ(a.typeId(), e.typeId()) << "row " << r << " field " << f;
                EXPECT_EQ(a, e) << "row " << r << " field " << f << ": " << a.toString().toStdString();
            }
        }
    }
}

} // namespace

TEST(ParadoxTable, ReadsEveryValueOfTheStandTable) {
    QTemporaryDir dir;
    WriteOldTable(dir.path(), "RivwoodPor", StandRows());
    ParadoxTable table(QDir(dir.path()).filePath("RivwoodPor.db"));

    const ParadoxHeader& h = table.header();
    EXPECT_EQ(h.tableName, "RivwoodPor");
    EXPECT_EQ(h.codePage, 1250);
    EXPECT_EQ(h.fileType, 0); // keyed
    EXPECT_EQ(h.recordCount, 4u);
    const auto& columns = OldTableColumns("RivwoodPor");
    ASSERT_EQ(h.fields.size(), columns.size());
    for (size_t i = 0; i < columns.size(); ++i)
        EXPECT_EQ(h.fields[i].name, columns[i].name);
    EXPECT_EQ(h.fields[11].type, Paradox::FieldType::Memo);
    EXPECT_EQ(table.fieldIndex("koment"), 11);
    EXPECT_EQ(table.fieldIndex("NOPE"), -1);

    expectRows(ReadAll(table), StandRows());
}

TEST(ParadoxTable, FollowsTheBlockChainAndSkipsDeletedRows) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("RivwoodTlo.db");
    Rows rows = ClassRows(300);
    {
        ParadoxTableWriter writer(path, OldTableColumns("RivwoodTlo"));
        for (const auto& row : rows)
            writer.addRow(row);
        // The rows after a deleted one move up; the old last row of its block stays behind the
        // block's count.
        writer.deleteRow(10);
        writer.deleteRow(200);
    }
    rows.erase(rows.begin() + 201);
    rows.erase(rows.begin() + 10);

    ParadoxTable table(path);
    ASSERT_GT(table.header().fileBlocks, 4);
    EXPECT_EQ(table.header().recordCount, 298u);
    std::set<int> blocks;
    Rows read;
    while (table.next()) {
        blocks.insert(table.block());
        read.push_back(
            {table.value(0), table.value(1), table.value(2), table.value(3), table.value(4), table.value(5)});
    }
    EXPECT_EQ(int(blocks.size()), table.header().fileBlocks);
    expectRows(read, rows);
}

TEST(ParadoxTable, ReadsTextInTheCodePageOfTheHeader) {
    QTemporaryDir dir;
    const Rows rows = {{7, QString("Člen"), QString("Ďáb"), QString("ŮŽ")}};
    const std::vector<testsupport::OldColumn> columns = {{"KLIC", testsupport::OldColumn::Integer},
                                                         {"A", testsupport::OldColumn::Char, 4},
                                                         {"B", testsupport::OldColumn::Char, 3},
                                                         {"KOMENT", testsupport::OldColumn::Blob, 1}};
    const QString path = QDir(dir.path()).filePath("T852.db");
    {
        ParadoxTableWriter writer(path, columns, 0, 852);
        writer.addRow(rows[0]);
    }
    ParadoxTable table(path);
    EXPECT_EQ(table.header().codePage, 852);
    expectRows(ReadAll(table), rows);

    // In a code page without a table only ASCII text is read; other text is an error, not a guess.
    const QString path437 = QDir(dir.path()).filePath("T437.db");
    {
        ParadoxTableWriter writer(path437, columns, 0, 437);
        writer.addRow({1, QString("Dub"), QString("ab"), QString("c")});
        writer.addRow({2, QString("café"), QString("ab"), QString("c")});
    }
    ParadoxTable ascii(path437);
    ASSERT_TRUE(ascii.next());
    EXPECT_EQ(ascii.value(1).toString(), "Dub");
    ASSERT_TRUE(ascii.next());
    try {
        ascii.value(1);
        ADD_FAILURE() << "no error for text in code page 437";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().contains("437") && e.message().contains("T437.db"))
            << e.message().toStdString();
    }
}

TEST(ParadoxTable, ReadsTheHeaderOfParadox4Tables) {
    // pxlib writes Paradox 7 headers, whose table name takes 261 bytes; tables of Paradox 4 and 5
    // give it 79, so the field names come earlier.
    QTemporaryDir dir;
    const Rows rows = {{1, QString("SM"), 24.5, 21.0}, {1, QString("BO"), 30.0, 25.5}};
    WriteOldTable(dir.path(), "RivwoodVys", rows);
    const QString path = QDir(dir.path()).filePath("RivwoodVys.db");
    QByteArray db = testsupport::readFile(path);
    const int headerSize = quint8(db[2]) | quint8(db[3]) << 8;
    const int nameOffset = 0x78 + 6 * quint8(db[0x21]) + 4;
    db.remove(nameOffset + 79, 261 - 79);
    db.insert(headerSize - (261 - 79), QByteArray(261 - 79, '\0'));
    db[0x39] = 9;
    testsupport::writeFile(path, db);

    ParadoxTable table(path);
    EXPECT_EQ(table.header().fileVersion, 9);
    EXPECT_EQ(table.header().tableName, "RivwoodVys");
    ASSERT_EQ(table.header().fields.size(), 4u);
    EXPECT_EQ(table.header().fields[3].name, "VYSKA");
    expectRows(ReadAll(table), rows);
}
