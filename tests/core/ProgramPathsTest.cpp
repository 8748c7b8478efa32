#include "ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramPaths, SettingsFileBesideTheProgramWithAnyExtension) {
    QTemporaryDir dir;
    EXPECT_EQ(ProgramPaths::SettingsFileFor(dir.filePath("rivwood")), dir.filePath("rivwood.INI"));
    EXPECT_EQ(ProgramPaths::SettingsFileFor(dir.filePath("rivwood.exe")), dir.filePath("rivwood.INI"));
}

TEST(ProgramPaths, ReadOnlyProgramDirectoryUsesTheUserConfiguration) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    EXPECT_EQ(ProgramPaths::SettingsFileFor("/usr/bin/rivwood", false),
              config.filePath("rivwood/Rivwood.INI"));
    EXPECT_EQ(ProgramPaths::SettingsFileFor("/opt/r/rivwood", true), "/opt/r/rivwood.INI");
    qunsetenv("XDG_CONFIG_HOME");
}

// An installed copy (JHK.KRI only in ../share/rivwood) keeps its files in the user's directories
// even when its bin directory is writable; a copy with JHK.KRI beside it keeps them there.
TEST(ProgramPaths, InstalledCopyUsesTheXdgDirectories) {
    QTemporaryDir prefix, home;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/rivwood");
    QFile(prefix.filePath("share/rivwood/JHK.KRI")).open(QIODevice::WriteOnly);
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    const QString bin = prefix.filePath("bin");
    EXPECT_TRUE(ProgramPaths::IsInstalled(bin));
    EXPECT_EQ(ProgramPaths::SettingsFileFor(bin + "/rivwood"), home.filePath("config/rivwood/Rivwood.INI"));
    EXPECT_EQ(ProgramPaths::DefaultDatabaseDirectory(bin), home.filePath("data/rivwood/databaze"));

    QFile(prefix.filePath("bin/JHK.KRI")).open(QIODevice::WriteOnly);
    EXPECT_FALSE(ProgramPaths::IsInstalled(bin));
    EXPECT_EQ(ProgramPaths::SettingsFileFor(bin + "/rivwood"), bin + "/rivwood.INI");
    EXPECT_EQ(ProgramPaths::DefaultDatabaseDirectory(bin), bin);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}
