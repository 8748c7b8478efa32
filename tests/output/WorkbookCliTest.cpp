// rivwood-cli export and results over a database saved through the stand store, and the written
// files as LibreOffice Calc shows them.
#include "SpeciesTables.h"
#include "StandFixtures.h"
#include "TestSupport.h"
#include "WorkbookReaders.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString file;
    QString err;
};

class WorkbookCliTest : public ::testing::Test {
  protected:
    CliRun cli(QStringList args) {
        args = QStringList{"--settings", m_scratch.filePath("Rivwood.INI")} + args;
        QProcess p;
        p.start(testsupport::binDir() + QStringLiteral("/rivwood-cli"), args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object()["file"].toString(),
                QString::fromUtf8(p.readAllStandardError()).trimmed()};
    }
    QString scratch(const QString& name) const { return m_scratch.filePath(name); }

    ReportDatabase m_db;
    QTemporaryDir m_scratch;
};

// One CSV line into its fields ("a,"1,5",b").
QStringList fields(const QString& line) {
    QStringList out;
    QString field;
    bool quoted = false;
    for (QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            out << std::exchange(field, QString());
        else
            field += c;
    }
    out << field;
    return out;
}

QStringList lineStartingWith(const QString& csv, const QString& first) {
    for (const QString& line : csv.split(u'\n'))
        if (fields(line).value(0) == first)
            return fields(line);
    return {};
}

} // namespace

TEST_F(WorkbookCliTest, ExportsAndResultsGiveTheirFiles) {
    const int key = m_db.add(StandPlan{}, 1);
    CliRun r = cli(
        {"export", "--db", m_db.directory(), "--key", QString::number(key), "--out", scratch("jeden.xlsx")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.file, scratch("jeden.xlsx"));
    EXPECT_TRUE(QFileInfo::exists(r.file));
    r = cli({"export", "--db", m_db.directory(), "--all"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.file, QDir(m_db.directory()).filePath("Sestavy/Rivwood.xlsx"));
    r = cli({"results", "--db", m_db.directory(), "--key", QString::number(key), "--out", scratch("v.xls")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(testsupport::readFile(r.file).startsWith("\xD0\xCF\x11\xE0"));
}

TEST_F(WorkbookCliTest, StandWithoutSummaryAndBadCommandLinesAreRefused) {
    StandPlan plan;
    plan.summary = false;
    const int key = m_db.add(plan, 1);
    for (const QString& command : {QStringLiteral("export"), QStringLiteral("results")}) {
        const CliRun r =
            cli({command, "--db", m_db.directory(), "--key", QString::number(key), "--out", scratch("x")});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "Nejdřív je potřeba vypočítat tabulku !");
    }
    EXPECT_FALSE(QFileInfo::exists(scratch("x")));
    for (const QString& command : {QStringLiteral("export"), QStringLiteral("results")}) {
        const CliRun r = cli({command, "--db", m_db.directory(), "--key", "99", "--out", scratch("x")});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "Porost s klíčem 99 v databázi není.") << command.toStdString();
    }
    EXPECT_EQ(cli({"export", "--db", m_db.directory(), "--key", "1"}).code, 2);
    EXPECT_EQ(cli({"export", "--db", m_db.directory(), "--key", "1", "--all"}).code, 2);
}

// LibreOffice opens both files and shows the numbers of the summary: the species stocks, the
// template's totals calculated on opening, the results sheet's totals.
TEST_F(WorkbookCliTest, LibreOfficeShowsTheSummaryNumbers) {
    StandPlan plan;
    plan.species = 10;
    const int key = m_db.add(plan, 1);
    const TManualy225 stand = MakeReportStand(plan, 1);
    double total = 0, shown = 0;
    for (int i = 0; i < stand.count(); ++i) {
        total += stand.at(i).totalStock;
        shown += std::nearbyint(stand.at(i).totalStock);
    }
    ASSERT_EQ(
        cli({"export", "--db", m_db.directory(), "--key", QString::number(key), "--out", scratch("s.xlsx")})
            .code,
        0);
    ASSERT_EQ(
        cli({"results", "--db", m_db.directory(), "--key", QString::number(key), "--out", scratch("v.xls")})
            .code,
        0);

    QString problem;
    const QStringList xlsx = WorkbookReaders::libreOfficeCsv(scratch("s.xlsx"), &problem);
    ASSERT_EQ(xlsx.size(), 5) << problem.toStdString();
    const QStringList totals = lineStartingWith(xlsx[0], "Celkem");
    ASSERT_GE(totals.size(), 6);
    EXPECT_NEAR(totals[5].toDouble(), total, 1e-6);
    const QStringList first = lineStartingWith(xlsx[0], SpeciesTables::SpeciesName(stand.abbreviationAt(0)));
    ASSERT_GE(first.size(), 6);
    EXPECT_NEAR(first[5].toDouble(), stand.at(0).totalStock, 1e-9);
    // The tally sheet's class totals are the species' tree counts.
    const QStringList classes = lineStartingWith(xlsx[1], "Celkem");
    ASSERT_GE(classes.size(), 3);
    EXPECT_DOUBLE_EQ(classes[2].toDouble(), stand.at(0).classes[0].trees);

    const QStringList xls = WorkbookReaders::libreOfficeCsv(scratch("v.xls"), &problem);
    ASSERT_EQ(xls.size(), 1) << problem.toStdString();
    const QStringList results = lineStartingWith(xls[0], "Celkem");
    ASSERT_GE(results.size(), 6);
    // The sum of the whole cubic metres shown; the shrub area (m2) is no stock.
    EXPECT_DOUBLE_EQ(results[5].toDouble(), shown);
}
