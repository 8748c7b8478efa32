#include "IniFile.h"
#include "RivwoodError.h"
#include "SmallDisk.h"
#include "TestSupport.h"
#include "WindowPosition.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, CreatedOnFirstWriteAndReadCaseInsensitively) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("sub/rivwood.INI"));
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.ReadString("DataBase", "Path", "x"), "x");
    ini.WriteString("DataBase", "Path", "/data/porosty");
    EXPECT_TRUE(ini.exists());
    EXPECT_EQ(ini.ReadString("database", "PATH"), "/data/porosty");
    ini.WriteInteger("PracPlo", "ZapisnikLeva", 120);
    ini.WriteString("DATABASE", "path", "/jinde");
    EXPECT_EQ(testsupport::readFile(ini.path()), "[DataBase]\nPath=/jinde\n\n[PracPlo]\nZapisnikLeva=120\n");
}

TEST(IniFile, KeepsOrderCommentsAndUnknownLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.INI");
    testsupport::writeFile(
        path, "; nastavení\r\n[KodyDrevin]\r\n11=SM\r\nnesmysl\r\n22=BK\r\n\r\n[Jiné]\r\nA=1\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadSection("kodydrevin"), (QStringList{"11", "22"}));
    EXPECT_EQ(ini.ReadSectionValues("KodyDrevin"), (QStringList{"11=SM", "22=BK"}));
    ini.WriteString("KodyDrevin", "33", "OL");
    ini.WriteString("KodyDrevin", "11", "SMX");
    EXPECT_EQ(testsupport::readFile(path),
              "; nastavení\n[KodyDrevin]\n11=SMX\nnesmysl\n22=BK\n33=OL\n\n[Jiné]\nA=1\n");
    ini.DeleteKey("kodydrevin", "22");
    ini.EraseSection("jiné");
    EXPECT_EQ(testsupport::readFile(path), "; nastavení\n[KodyDrevin]\n11=SMX\nnesmysl\n33=OL\n\n");
}

TEST(IniFile, NonNumericPositionsFallBackAndOldEncodingsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.INI");
    // cp1250 bytes of "Taxátor=Novák" carried over from Windows.
    testsupport::writeFile(
        path, "[PracPlo]\nZapisnikLeva=abc\nZapisnikHorni= 40 \n[UserIdentification]\nTaxator=Nov\xE1k\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("PracPlo", "ZapisnikLeva", 7), 7);
    EXPECT_EQ(ini.ReadInteger("PracPlo", "ZapisnikHorni", 7), 40);
    EXPECT_EQ(ini.ReadString("UserIdentification", "Taxator"), "Novák");
}

TEST(IniFile, AFileTooLargeToReadIsNeverOverwritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.INI");
    const QByteArray big = "[A]\nB=" + QByteArray(5 * 1024 * 1024, 'x') + "\n";
    testsupport::writeFile(path, big);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "B", "d"), "d");
    EXPECT_THROW(ini.WriteString("A", "C", "1"), IoError);
    EXPECT_EQ(testsupport::readFile(path).size(), big.size());
}

TEST(IniFile, OnAFullDiskTheFileStaysAndTheSettingsLiveOnInMemory) {
    testsupport::SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    IniFile ini(disk.filePath("Rivwood.INI"));
    ini.WriteString("DataBase", "Path", "/data/porosty");
    const QByteArray before = testsupport::readFile(ini.path());
    QStringList reported;
    IniFile::SetFailureReporter([&](const QString& message) { reported << message; });
    disk.fill();
    ini.WriteString("KodyDrevin", "12", "BK");
    ini.WriteStrings("KodyDrevin", {{"13", "SM"}, {"14", "DB"}});
    EXPECT_EQ(testsupport::readFile(ini.path()), before);
    EXPECT_EQ(ini.ReadString("DataBase", "Path"), "/data/porosty");
    EXPECT_EQ(ini.ReadSection("KodyDrevin"), (QStringList{"12", "13", "14"}));
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains("na disku není volné místo")) << reported[0].toStdString();
    // With room again, the next write saves everything held in memory.
    ASSERT_TRUE(QFile::remove(disk.filePath(".filler")));
    ini.WriteInteger("PracPlo", "ZapisnikLeva", 10);
    IniFile::SetFailureReporter({});
    EXPECT_EQ(testsupport::readFile(ini.path()),
              "[DataBase]\nPath=/data/porosty\n\n[KodyDrevin]\n12=BK\n13=SM\n"
              "14=DB\n\n[PracPlo]\nZapisnikLeva=10\n");
    EXPECT_EQ(reported.size(), 1);
}

TEST(WindowPosition, ReadOnlyFromAnExistingFileWithFallbacks) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("r.INI"));
    EXPECT_EQ(WindowPosition::Read(ini, "Zapisnik", {5, 6}), QPoint(5, 6));
    EXPECT_FALSE(ini.exists()) << "reading never creates the file";
    WindowPosition::Write(ini, "Telegram", {300, 200});
    EXPECT_EQ(ini.ReadString("PracPlo", "TelegramLeva"), "300");
    EXPECT_EQ(WindowPosition::Read(ini, "Telegram", {0, 0}), QPoint(300, 200));
    ini.WriteString("PracPlo", "ZapisnikLeva", "vlevo");
    ini.WriteString("PracPlo", "ZapisnikHorni", "80");
    EXPECT_EQ(WindowPosition::Read(ini, "Zapisnik", {5, 6}), QPoint(5, 80));
}
