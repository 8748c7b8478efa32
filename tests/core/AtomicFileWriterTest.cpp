#include "AtomicFileWriter.h"
#include "FileErrorText.h"
#include "SmallDisk.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(AtomicFileWriter, AFailedWriteKeepsTheOldFileAndSaysWhyInCzech) {
    QTemporaryDir dir;
    EXPECT_EQ(AtomicFileWriter::Write(dir.filePath("chybí/a.txt"), "x"),
              QStringLiteral("adresář „%1“ neexistuje").arg(QDir::toNativeSeparators(dir.filePath("chybí"))));
    EXPECT_EQ(FileErrorText::ReadFailure(dir.filePath("chybí.txt")), "soubor neexistuje");
    if (::geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_EQ(AtomicFileWriter::Write(dir.filePath("a.txt"), "x"), "nedostatečná oprávnění");
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    testsupport::SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.filePath("a.txt");
    ASSERT_EQ(AtomicFileWriter::Write(path, "staré"), QString());
    disk.fill();
    EXPECT_EQ(AtomicFileWriter::Write(path, QByteArray(100000, 'n')), "na disku není volné místo");
    EXPECT_EQ(testsupport::readFile(path), "staré");
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{".filler", "a.txt"}));
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_EQ(AtomicFileWriter::Write(path, "nové"), "médium je jen pro čtení");
    EXPECT_EQ(testsupport::readFile(path), "staré");
}
