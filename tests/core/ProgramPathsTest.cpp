#include "ProgramPaths.h"

#include <QDir>
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
