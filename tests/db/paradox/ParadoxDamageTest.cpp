#include "ByteView.h"
#include "OldStandTables.h"
#include "ParadoxFixtures.h"
#include "RivwoodError.h"
#include "TestSupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The stand table of StandRows and more rows, in three blocks, with its memo file; and a copy of
// both to damage.
class ParadoxDamageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Rows rows = StandRows();
        for (int key = 5; key <= 60; ++key) {
            std::vector<QVariant> row = rows[2];
            row[0] = key;
            rows.push_back(row);
        }
        testsupport::WriteOldTable(m_good.path(), "RivwoodPor", rows);
        m_db = testsupport::readFile(QDir(m_good.path()).filePath("RivwoodPor.db"));
        m_mb = testsupport::readFile(QDir(m_good.path()).filePath("RivwoodPor.mb"));
        m_rows = ReadAll(QDir(m_good.path()).filePath("RivwoodPor.db"));
        bool ok = true;
        m_headerSize = ByteView(m_db).u16(2, ok);
        m_blockSize = ByteView(m_db).u8(5, ok) * 0x400;
    }

    QString dbPath() const { return m_dir.filePath("RivwoodPor.db"); }
    QString mbPath() const { return m_dir.filePath("RivwoodPor.mb"); }
    int blockOffset(int block) const { return m_headerSize + (block - 1) * m_blockSize; }
    void setU16(QByteArray& bytes, int offset, quint16 value) {
        qToLittleEndian(value, bytes.data() + offset);
    }

    // Writes the files and reads the whole table; the error's message, empty when it read (the
    // values of the good table unless `anyValues`).
    QString damage(const QByteArray& db, const std::optional<QByteArray>& mb, bool anyValues = false) {
        testsupport::writeFile(dbPath(), db);
        QFile::remove(mbPath());
        if (mb)
            testsupport::writeFile(mbPath(), *mb);
        try {
            const Rows rows = ReadAll(dbPath());
            EXPECT_TRUE(anyValues || rows == m_rows) << "a damaged table read with other values";
            return {};
        } catch (const RivwoodError& e) {
            return e.message();
        }
    }

    QTemporaryDir m_good, m_dir;
    QByteArray m_db, m_mb;
    Rows m_rows;
    int m_headerSize = 0, m_blockSize = 0;
};

} // namespace

TEST_F(ParadoxDamageTest, DamagedTablesNameTheFileAndTheBlock) {
    ASSERT_EQ(m_rows.size(), 60u);
    ASSERT_EQ(m_db.size(), blockOffset(4)); // three blocks
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> change;
        QStringList expected;
    };
    const Case cases[] = {
        {"cut in the header", [](QByteArray& b) { b.truncate(300); }, {"hlavičk"}},
        {"cut in block 2", [&](QByteArray& b) { b.truncate(blockOffset(2) + 100); }, {"bloku 2", "zkrácen"}},
        {"next block outside", [&](QByteArray& b) { setU16(b, blockOffset(1), 99); }, {"bloku 99"}},
        {"chain in a circle", [&](QByteArray& b) { setU16(b, blockOffset(2), 1); }, {"bloku 1", "kruhu"}},
        {"more records than fit", [&](QByteArray& b) { setU16(b, blockOffset(1) + 4, 0x7000); }, {"bloku 1"}},
        {"uneven record offset", [&](QByteArray& b) { setU16(b, blockOffset(3) + 4, 7); }, {"bloku 3"}},
        {"record count", [&](QByteArray& b) { setU16(b, 6, 61); }, {"61"}},
        {"unknown field type", [&](QByteArray& b) { b[0x78] = char(0x42); }, {"hlavičk", "typ"}},
        {"record size", [&](QByteArray& b) { setU16(b, 0, 10); }, {"hlavičk"}},
        {"encrypted", [&](QByteArray& b) { b[0x5C] = 1; }, {"zašifrována"}},
    };
    for (const Case& c : cases) {
        QByteArray db = m_db;
        c.change(db);
        const QString message = damage(db, m_mb);
        EXPECT_TRUE(message.contains("RivwoodPor.db")) << c.what << ": " << message.toStdString();
        for (const QString& part : c.expected)
            EXPECT_TRUE(message.contains(part)) << c.what << ": " << message.toStdString();
    }
}

TEST_F(ParadoxDamageTest, DamagedMemoFilesNameTheFileAndTheBlock) {
    // The long memo fills block 1 of the memo file, the short ones share block 2.
    ASSERT_GE(m_mb.size(), 3 * 0x1000);
    struct Case {
        const char* what;
        std::optional<QByteArray> mb;
        QStringList expected;
    };
    QByteArray slotGone = m_mb;
    for (int slot = 0; slot < 64; ++slot)
        slotGone[2 * 0x1000 + 12 + 5 * slot + 4] = 0;
    QByteArray ownLength = m_mb;
    ownLength[0x1000 + 3] = char(ownLength[0x1000 + 3] + 1);
    const Case cases[] = {
        {"missing", std::nullopt, {"chybí"}},
        {"garbage", QByteArray(3 * 0x1000, '\xAA'), {"bloku 0"}},
        {"cut in block 1", m_mb.left(0x1000 + 100), {"bloku 1", "zkrácen"}},
        {"slot deleted", slotGone, {"bloku 2", "smazána"}},
        {"other length", ownLength, {"bloku 1"}},
    };
    for (const Case& c : cases) {
        const QString message = damage(m_db, c.mb);
        EXPECT_TRUE(message.contains("RivwoodPor.mb")) << c.what << ": " << message.toStdString();
        for (const QString& part : c.expected)
            EXPECT_TRUE(message.contains(part)) << c.what << ": " << message.toStdString();
    }
}

TEST_F(ParadoxDamageTest, TruncatedOrGarbageFilesReadCorrectlyOrFailClearly) {
    // Every cut of the table file fails; a cut memo file fails or still holds every memo read.
    for (qsizetype size = 0; size < m_db.size(); size += 251) {
        const QString message = damage(m_db.left(size), m_mb);
        EXPECT_TRUE(message.contains("RivwoodPor.db")) << size << ": " << message.toStdString();
    }
    for (qsizetype size = 0; size < m_mb.size(); size += 97) {
        const QString message = damage(m_db, m_mb.left(size));
        EXPECT_TRUE(message.isEmpty() || message.contains("RivwoodPor.mb"))
            << size << ": " << message.toStdString();
    }
    // Random bytes in place of either file, and a valid header over random blocks.
    QRandomGenerator random(26);
    for (int i = 0; i < 200; ++i) {
        QByteArray noise(int(random.bounded(1, 3 * 0x1000)), '\0');
        for (char& c : noise)
            c = char(random.bounded(256));
        QByteArray db = m_db;
        db.replace(m_headerSize, noise.size(), noise);
        damage(i % 2 ? db : noise, i % 3 ? m_mb : noise, true);
    }
}
