// The template exports over real stand databases: one stand with its summary sheet and tally
// sheets, all stands one sheet per survey, refusals; read back with openpyxl.
#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "StandFixtures.h"
#include "StandQueries.h"
#include "TFDoExcelu.h"
#include "TestSupport.h"
#include "TextUtils.h"
#include "WorkbookReaders.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numbers>

namespace {

class TemplateExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.isValid());
        m_export.templateFile = QDir(testsupport::binDir()).filePath(TFDoExcelu::TemplateName);
    }
    QJsonObject read(const QString& file) {
        QString problem;
        const QJsonObject book = WorkbookReaders::readXlsx(file, &problem);
        if (!problem.isEmpty())
            ADD_FAILURE() << problem.toStdString();
        return book;
    }
    static QJsonObject cells(const QJsonObject& book, const QString& sheet) {
        for (const QJsonValue& s : book["sheets"].toArray())
            if (s["name"].toString() == sheet)
                return s["cells"].toObject();
        ADD_FAILURE() << "no sheet " << sheet.toStdString();
        return {};
    }
    static QJsonObject values(const QJsonObject& book, const QString& sheet) {
        for (const QJsonValue& s : book["sheets"].toArray())
            if (s["name"].toString() == sheet)
                return s["values"].toObject();
        return {};
    }
    static QStringList sheetNames(const QJsonObject& book) {
        QStringList names;
        for (const QJsonValue& s : book["sheets"].toArray())
            names << s["name"].toString();
        return names;
    }

    ReportDatabase m_db;
    TFDoExcelu m_export{m_db.database()};
    QTemporaryDir m_out;
};

} // namespace

TEST_F(TemplateExportTest, TenSpeciesFillTheSummaryRowsAndFourTallySheets) {
    StandPlan plan;
    plan.species = 10;
    const int key = m_db.add(plan, 1);
    const TManualy225 stand = MakeReportStand(plan, 1);
    ASSERT_EQ(stand.count(), 10);
    QString askedDir, proposed;
    m_export.SaveDialog1 = [&](const QString& dir, const QString& name) {
        askedDir = dir;
        proposed = name;
        return m_out.filePath("porost");
    };
    const QString file = m_export.ExportOneStand(key, stand, ClassLayout::Make(4, 10));
    EXPECT_EQ(file, m_out.filePath("porost.xlsx")); // the default extension
    EXPECT_EQ(askedDir, QDir(m_db.directory()).filePath("Sestavy"));
    EXPECT_TRUE(QFileInfo(askedDir).isDir());
    EXPECT_EQ(proposed, "Sázava_L_12,300.xlsx");

    const QJsonObject book = read(file);
    EXPECT_EQ(sheetNames(book), (QStringList{"sestava", "zapisnik", "zapisnik1", "zapisnik2", "zapisnik3"}));
    const QJsonObject s = cells(book, "sestava");
    EXPECT_EQ(s["C8"].toString(), "Sázava");
    EXPECT_EQ(s["L8"].toString(), "12,300");
    EXPECT_EQ(s["D2"].toString(), "Revize břehů");
    EXPECT_DOUBLE_EQ(s["C10"].toDouble(), 8500);
    // One row per species from the "zacatek" row on, each starting in column 1, then the totals.
    const std::vector<QueryRow> rows = StandQueries::QSestava(m_db.database(), key);
    ASSERT_EQ(rows.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        const QString r = QString::number(15 + i);
        EXPECT_EQ(s["A" + r].toString(),
                  SpeciesTables::SpeciesName(StandQueries::text(rows[size_t(i)], "DR_ZKR")));
        EXPECT_DOUBLE_EQ(s["F" + r].toDouble(), StandQueries::number(rows[size_t(i)], "DR_ZAS_CEL"));
    }
    EXPECT_FALSE(s.contains("A25"));
    EXPECT_EQ(s["F26"].toString(), "=SUM(F15:F25)");
    // Readers that do not calculate see the value stored beside each formula.
    const QJsonObject sv = values(book, "sestava");
    double total = 0;
    for (int i = 15; i <= 24; ++i)
        total += sv["F" + QString::number(i)].toDouble();
    EXPECT_DOUBLE_EQ(sv["F26"].toDouble(), total);
    EXPECT_EQ(values(book, "zapisnik")["B2"].toString(), "Sázava") << "the text formula \"\"&sestava!C8";

    // Trees in classes 3..9 only: seven class rows from diameter 2 x 4 + 10 = 18 cm.
    const QJsonObject z = cells(book, "zapisnik");
    EXPECT_DOUBLE_EQ(z["A6"].toDouble(), 18);
    EXPECT_DOUBLE_EQ(z["B6"].toDouble(), 18 * std::numbers::pi);
    EXPECT_DOUBLE_EQ(z["A12"].toDouble(), 42);
    EXPECT_FALSE(z.contains("A13"));
    EXPECT_EQ(z["C14"].toString(), "=SUM(C6:C13)");
    EXPECT_EQ(z["C4"].toString(), SpeciesTables::SpeciesName(stand.abbreviationAt(0)));
    EXPECT_EQ(z["I4"].toString(), SpeciesTables::SpeciesName(stand.abbreviationAt(2)));
    EXPECT_DOUBLE_EQ(z["D7"].toDouble(), stand.at(0).classes[4].treeVolume);
    // Species 9 is group 0 of the third extra sheet.
    const QJsonObject z3 = cells(book, "zapisnik3");
    EXPECT_EQ(z3["C4"].toString(), SpeciesTables::SpeciesName(stand.abbreviationAt(9)));
    EXPECT_FALSE(z3.contains("F4"));
    EXPECT_DOUBLE_EQ(z3["C8"].toDouble(), stand.at(9).classes[5].trees);
    EXPECT_DOUBLE_EQ(z3["E12"].toDouble(), stand.at(9).classes[9].classVolume);
}

TEST_F(TemplateExportTest, StandWithoutSummaryIsRefusedBeforeTheDialog) {
    StandPlan plan;
    plan.summary = false;
    const int key = m_db.add(plan, 1);
    bool asked = false;
    m_export.SaveDialog1 = [&](const QString&, const QString&) {
        asked = true;
        return m_out.filePath("x.xlsx");
    };
    try {
        m_export.ExportOneStand(key, MakeReportStand(plan, 1), ClassLayout::Make(4, 10));
        FAIL() << "exported";
    } catch (const RivwoodError& e) {
        EXPECT_EQ(e.message(), TFDoExcelu::NotComputed);
    }
    EXPECT_FALSE(asked);
}

// Surveys sorted as the query sorts them; "akce a" joins "Akce A", a stand without a survey and
// one whose name no sheet can carry get sheets of their own instead of ending the command.
TEST_F(TemplateExportTest, AllStandsGiveOneSheetPerSurveyWithABlockPerStand) {
    const int a1 = m_db.add(Stand("Vltava", "L", "1,0", "Akce A", 3), 1);
    const int a2 = m_db.add(Stand("Otava", "P", "2,0", "akce a", 2), 2);
    m_db.add(Stand("Jizera", "L", "3,0", "Akce B", 1), 3);
    m_db.add(Stand("Ohře", "L", "4,0", "", 1), 4);
    m_db.add(Stand("Svitava", "L", "5,0", "Oprava: břehy [úsek 2] / jaro 2026", 1), 5);
    const QString file = m_export.ExportAllStands();
    EXPECT_EQ(file, QDir(m_db.directory()).filePath("Sestavy/Rivwood.xlsx"));

    const QJsonObject book = read(file);
    EXPECT_EQ(sheetNames(book),
              (QStringList{"Bez akce", "Akce A", "Akce B", "Oprava_ břehy _úsek 2_ _ jaro"}));
    const QJsonObject s = cells(book, "Akce A");
    EXPECT_EQ(s["D2"].toString(), "Akce A");
    EXPECT_EQ(s["C8"].toString(), "Vltava");
    EXPECT_DOUBLE_EQ(s["C10"].toDouble(), 8500);
    // Three species rows from row 14, the shrubs, the totals two rows below: the sums of the
    // species' stocks, without the shrub area (m2).
    const std::vector<QueryRow> rows = StandQueries::QSestava(m_db.database(), a1);
    ASSERT_EQ(rows.size(), 3u);
    double broadleaf = 0, total = 0;
    for (int i = 0; i < 3; ++i) {
        const QString r = QString::number(14 + i);
        EXPECT_EQ(s["A" + r].toString(), StandQueries::text(rows[size_t(i)], "DR_ZKR"));
        EXPECT_DOUBLE_EQ(s["F" + r].toDouble(),
                         RoundHalfEven(StandQueries::number(rows[size_t(i)], "DR_ZAS_CEL")));
        broadleaf += s["E" + r].toDouble();
        total += s["F" + r].toDouble();
    }
    EXPECT_EQ(s["A17"].toString(), "Křoviny (m²)");
    EXPECT_DOUBLE_EQ(s["E17"].toDouble(), 150);
    EXPECT_EQ(s["A19"].toString(), "Celkem");
    EXPECT_DOUBLE_EQ(s["E19"].toDouble(), broadleaf);
    EXPECT_DOUBLE_EQ(s["F19"].toDouble(), total);
    // The second stand of the survey follows below the totals.
    EXPECT_EQ(s["C21"].toString(), "Otava");
    EXPECT_EQ(s["A29"].toString(), "Křoviny (m²)");
    EXPECT_EQ(s["A31"].toString(), "Celkem");
    EXPECT_EQ(StandQueries::QSestava(m_db.database(), a2).size(), 2u);
    EXPECT_EQ(s["A18"].toString(), QString());
    EXPECT_FALSE(cells(book, "Bez akce").contains("D2"));
}

TEST_F(TemplateExportTest, DatabaseWithoutStandsWritesNothing) {
    EXPECT_EQ(m_export.ExportAllStands(), QString());
    EXPECT_FALSE(QFileInfo::exists(QDir(m_db.directory()).filePath("Sestavy/Rivwood.xlsx")));
}
