#include "EngineTestSupport.h"
#include "TSestava.h"
#include "TemplateTestPrint.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

} // namespace

TEST(SestavaComponent, NameDirectoryAndAlias) {
    TSestava s;
    s.setReportName("jhkrep");
    EXPECT_EQ(s.reportName(), QStringLiteral("jhkrep.pts"));
    s.setReportName("jhk.kom.txt");
    EXPECT_EQ(s.reportName(), QStringLiteral("jhk.kom.pts"));
    s.setReportName("C:\\data.d\\sestava");
    EXPECT_EQ(s.reportName(), QStringLiteral("C:\\data.d\\sestava.pts"));
    s.setReportAlias("dbjhkdata");
    s.setReportDir("/tmp/x");
    EXPECT_EQ(s.reportDir(), QStringLiteral("/tmp/x/"));
    EXPECT_TRUE(s.reportAlias().isEmpty());
    s.setReportAlias("dbjhkdata");
    EXPECT_TRUE(s.reportDir().isEmpty());
}

TEST(SestavaComponent, TemplateFileName) {
    TSestava s;
    EXPECT_TRUE(s.templateFileName().isEmpty());
    EXPECT_EQ(s.errorString(), QStringLiteral("Není definována cesta a název souboru s předlohou."));
    s.setReportName("jhkrep.pts");
    s.setReportDir("/sablony");
    s.setProgramDirectory("/program");
    EXPECT_EQ(s.templateFileName(), QStringLiteral("/program/jhkrep.pts"));
    s.ReportDirIgnore = false;
    EXPECT_EQ(s.templateFileName(), QStringLiteral("/sablony/jhkrep.pts"));
    s.ReportDirIgnore = true;
    s.setDesigning(true);
    EXPECT_EQ(s.templateFileName(), QStringLiteral("/sablony/jhkrep.pts"));
    s.setDesigning(false);

    QStringList warnings;
    s.OnWarning = [&](const QString& w) { warnings.append(w); };
    s.AliasPath = [](const QString& alias) -> std::optional<QString> {
        if (alias == "dbjhkdata")
            return QStringLiteral("/databaze");
        return std::nullopt;
    };
    s.setReportAlias("dbjhkdata");
    MemoryDataSet memory;
    s.setDataSet(&memory);
    EXPECT_EQ(s.templateFileName(), QStringLiteral("/program/jhkrep.pts"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Nelze použít alias")));
}

TEST(SestavaComponent, MissingTemplateAndStoredTemplate) {
    QTemporaryDir dir;
    TSestava s;
    MemoryDataSet data;
    fillNumbers(data, 2);
    s.setDataSet(&data);
    s.setReportName("neni");
    s.setProgramDirectory(dir.path());
    EXPECT_EQ(s.compose(), TSestavaD::ComposeFailed);
    EXPECT_EQ(s.errorString(), QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                                   .arg(QDir(dir.path()).filePath("neni.pts")));

    s.IsStored = true;
    s.Predloha.setLines(basicLayout());
    EXPECT_EQ(s.compose(), TSestavaD::ComposeOk);
    EXPECT_EQ(s.output().pageCount(), 1);

    s.IsStored = false;
    s.OnNactiPredlohu = [](QStringList& lines) {
        lines = {QStringLiteral("I,3,2,1,10,0"), QStringLiteral("T,1,0,0,0,10,10,A,10,0,0,0,0,1,\"ev\",0")};
        return true;
    };
    EXPECT_EQ(s.compose(), TSestavaD::ComposeOk);
    EXPECT_EQ(pageTexts(s.output(), 0), (QStringList{"ev", "ev"}));
}

TEST(SestavaComponent, SaveAndReadBackWithBackup) {
    QTemporaryDir dir;
    const QByteArray canonical = testsupport::readFile(testsupport::dataPath("reports/canonical.pts"));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("jhkrep.pts"), canonical));
    TSestava s;
    s.ReportDirIgnore = false;
    s.setReportDir(dir.path());
    s.setReportName("jhkrep");
    ASSERT_TRUE(s.loadTemplate()) << s.errorString().toStdString();
    EXPECT_EQ(s.description(), QStringLiteral("Výsledky \"JHK\" porostů, souhrn"));
    s.setDescription(QStringLiteral("Nový popis"));
    ASSERT_TRUE(s.saveTemplate());
    EXPECT_EQ(testsupport::readFile(dir.filePath("jhkrep.BAK")), canonical);
    ASSERT_TRUE(s.loadTemplate());
    EXPECT_EQ(s.description(), QStringLiteral("Nový popis"));
    s.setDescription(QStringLiteral("Výsledky \"JHK\" porostů, souhrn"));
    ASSERT_TRUE(s.saveTemplate());
    EXPECT_EQ(testsupport::readFile(dir.filePath("jhkrep.pts")), canonical);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    ASSERT_TRUE(s.saveTemplateAs(dir.filePath("kopie.pts")));
    EXPECT_EQ(testsupport::readFile(dir.filePath("kopie.pts")), canonical);
    QStringList saved;
    s.OnUlozPredlohu = [&](const QStringList& lines) {
        saved = lines;
        return false;
    };
    EXPECT_FALSE(s.saveTemplate());
    EXPECT_EQ(s.errorString(), QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
    EXPECT_EQ(saved.first(), QStringLiteral("I,0,\"Výsledky \"\"JHK\"\" porostů, souhrn\""));
}

TEST(SestavaComponent, BrokenTemplateFileGivesTheReadersMessage) {
    QTemporaryDir dir;
    ASSERT_TRUE(
        testsupport::writeFile(dir.filePath("zly.pts"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    TSestava s;
    s.setProgramDirectory(dir.path());
    s.setReportName("zly");
    MemoryDataSet data;
    s.setDataSet(&data);
    EXPECT_EQ(s.compose(), TSestavaD::ComposeFailed);
    EXPECT_EQ(s.errorString(), QStringLiteral("Soubor neobsahuje předlohu tiskové sestavy."));
}
