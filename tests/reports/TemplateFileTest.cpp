#include "TPredloha.h"

#include "TestSupport.h"

#include "TemplateTestPrint.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TemplateFile, LinesAreCp1250WithCrLf) {
    const QStringList l = {QStringLiteral("I,0,\"Zásoba ř\""), QStringLiteral("T,1")};
    const QByteArray bytes = TPredloha::joinLines(l);
    EXPECT_EQ(bytes, QByteArray("I,0,\"Z\xe1soba \xf8\"\r\nT,1\r\n"));
    EXPECT_EQ(TPredloha::splitLines(bytes), l);
    EXPECT_EQ(TPredloha::splitLines("a\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(TPredloha::splitLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(TPredloha::splitLines("").isEmpty());
}

TEST(TemplateFile, SavingTwiceKeepsOneBackupWithThePreviousContents) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("jhkrep.pts");
    TPredloha first({QStringLiteral("I,0,\"první\"")});
    ASSERT_TRUE(first.saveToFile(path)) << first.errorString().toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("jhkrep.BAK")));
    TPredloha second({QStringLiteral("I,0,\"druhá\"")});
    ASSERT_TRUE(second.saveToFile(path));
    TPredloha third({QStringLiteral("I,0,\"třetí\"")});
    ASSERT_TRUE(third.saveToFile(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"jhkrep.BAK", "jhkrep.pts"}));
    TPredloha back;
    ASSERT_TRUE(back.loadFromFile(dir.filePath("jhkrep.BAK")));
    EXPECT_EQ(back.lines(), second.lines());
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.lines(), third.lines());
    EXPECT_EQ(TPredloha::backupPath(QStringLiteral("/a/b.c.pts")), QStringLiteral("/a/b.c.BAK"));
}

TEST(TemplateFile, FailedSaveKeepsTheOldTemplate) {
    QTemporaryDir dir;
    TPredloha t({QStringLiteral("T,1")});
    EXPECT_FALSE(t.saveToFile(dir.filePath("chybí/x.pts")));
    EXPECT_EQ(t.errorString(), QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
    // A directory standing where the backup should go.
    const QString path = dir.filePath("x.pts");
    ASSERT_TRUE(t.saveToFile(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("x.BAK"));
    TPredloha other({QStringLiteral("T,2")});
    EXPECT_FALSE(other.saveToFile(path));
    TPredloha back;
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.lines(), t.lines());
}

TEST(TemplateFile, LoadFailures) {
    QTemporaryDir dir;
    TPredloha t;
    const QString missing = dir.filePath("neni.pts");
    EXPECT_FALSE(t.loadFromFile(missing));
    EXPECT_EQ(t.errorString(),
              QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(missing));
    EXPECT_FALSE(t.loadFromFile(dir.path()));
    const QString big = dir.filePath("velka.pts");
    ASSERT_TRUE(testsupport::writeFile(big, QByteArray(TPredloha::kMaxFileSize + 1, 'T')));
    EXPECT_FALSE(t.loadFromFile(big));
    EXPECT_TRUE(t.errorString().contains(QStringLiteral("příliš velký")));
}
