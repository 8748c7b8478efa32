// The export commands of rivwood-cli where files cannot be written: on a full disk each exits 1
// with the Czech cause and the file written before stays byte for byte; a default folder that
// cannot be made is no obstacle when another file is named.
#include "SmallDisk.h"
#include "StandFixtures.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(testsupport::binDir() + QStringLiteral("/rivwood-cli"), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError()).trimmed()};
}

} // namespace

TEST(ExportFailures, OnAFullDiskEveryExportFailsAndKeepsTheEarlierFile) {
    testsupport::SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    ReportDatabase db;
    const QString key = QString::number(db.add(StandPlan{}, 1));
    const QString settings = disk.filePath("Rivwood.INI");
    ASSERT_TRUE(testsupport::writeFile(settings, "[Uzivatel]\nJmeno=Nováková\n"));
    const QString dbDir = db.directory();
    const std::vector<std::pair<QString, QStringList>> commands = {
        {"jeden.xlsx", {"export", "--db", dbDir, "--key", key, "--out"}},
        {"vse.xlsx", {"export", "--db", dbDir, "--all", "--out"}},
        {"vysledky.xls", {"results", "--db", dbDir, "--key", key, "--out"}},
        {"sestava.txt", {"report", "--db", dbDir, "--all", "--text"}},
        {"porosty.csv", {"export-csv", "--db", dbDir, "--all", "--out"}},
    };
    std::vector<QByteArray> earlier;
    for (const auto& [file, args] : commands) {
        const CliRun r = cli(QStringList{"--settings", settings} + args + QStringList{disk.filePath(file)});
        ASSERT_EQ(r.code, 0) << file.toStdString() << ": " << r.err.toStdString();
        earlier.push_back(testsupport::readFile(disk.filePath(file)));
        ASSERT_FALSE(earlier.back().isEmpty());
    }
    const QByteArray settingsBefore = testsupport::readFile(settings);

    disk.fill();
    for (size_t i = 0; i < commands.size(); ++i) {
        const auto& [file, args] = commands[i];
        const CliRun r = cli(QStringList{"--settings", settings} + args + QStringList{disk.filePath(file)});
        EXPECT_EQ(r.code, 1) << file.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("nelze uložit: na disku není volné místo.")))
            << file.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(testsupport::readFile(disk.filePath(file)), earlier[i]) << file.toStdString();
    }
    EXPECT_EQ(testsupport::readFile(settings), settingsBefore);
}

TEST(ExportFailures, ADefaultFolderThatCannotBeMadeIsNotNeededForAnotherTarget) {
    ReportDatabase db;
    const QString key = QString::number(db.add(StandPlan{}, 1));
    // A file stands where the default folder "Sestavy" would be made.
    ASSERT_TRUE(testsupport::writeFile(QDir(db.directory()).filePath("Sestavy"), "x"));
    QTemporaryDir out;
    const CliRun r = cli({"--settings", out.filePath("Rivwood.INI"), "export", "--db", db.directory(),
                          "--key", key, "--out", out.filePath("jinde.xlsx")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(out.filePath("jinde.xlsx")));
}
