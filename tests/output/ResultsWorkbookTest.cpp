// The results workbook of one stand: the sheet layout from QSestava, the font set before or after
// saving, the proposed file name; the Excel 5.0 file read back with xlrd.
#include "ResultsWorkbook.h"
#include "Biff5Writer.h"
#include "RawQuery.h"
#include "ResultsSheet.h"
#include "StandFixtures.h"
#include "StandQueries.h"
#include "TextUtils.h"
#include "WorkbookReaders.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ResultsWorkbookTest : public ::testing::Test {
  protected:
    QJsonObject written(const ResultsWorkbook& book) {
        const QString file = m_out.filePath("vysledky.xls");
        QString error, problem;
        EXPECT_TRUE(Biff5Writer::write(book, file, error)) << error.toStdString();
        const QJsonObject read = WorkbookReaders::readXls(file, &problem);
        if (!problem.isEmpty())
            ADD_FAILURE() << problem.toStdString();
        return read;
    }
    ReportDatabase m_db;
    QTemporaryDir m_out;
};

QJsonArray row(const QJsonObject& book, int r) {
    return book["sheets"][0]["rows"][r - 1].toArray();
}

} // namespace

TEST_F(ResultsWorkbookTest, SheetHoldsHeaderSpeciesShrubsOutsideTheTotalsInArialCe) {
    StandPlan plan = Stand("Sázava", "L", "12,300", "Revize břehů a doprovodných porostů 2026", 3);
    const int key = m_db.add(plan, 2);
    const std::vector<QueryRow> rows = StandQueries::QSestava(m_db.database(), key);
    ResultsWorkbook book;
    book.SetNumber(40, 1, 1); // left over from an earlier fill
    ResultsSheet::FillResultsSheet(book, 1, rows);
    ResultsSheet::SetWorkbookFont(book);
    const QJsonObject read = written(book);

    // The survey name cut to 28 characters, trailing blanks dropped.
    EXPECT_EQ(read["sheets"][0]["name"].toString(), "Revize břehů a doprovodných");
    EXPECT_EQ(row(read, 2)[0].toString(), "Sázava");
    EXPECT_EQ(row(read, 3)[1].toDouble(), 8500);
    EXPECT_EQ(row(read, 6)[4].toString(), "listnatá");
    // The totals are the sums of the stocks shown; the shrub area (m2) is no stock.
    double broadleaf = 0, total = 0;
    for (int i = 0; i < 3; ++i) {
        const QJsonArray r = row(read, 7 + i);
        EXPECT_EQ(r[0].toString(), StandQueries::text(rows[size_t(i)], "DR_ZKR"));
        EXPECT_EQ(r[5].toDouble(), RoundHalfEven(StandQueries::number(rows[size_t(i)], "DR_ZAS_CEL")));
        broadleaf += r[4].toDouble();
        total += r[5].toDouble();
    }
    EXPECT_EQ(row(read, 10)[0].toString(), "Křoviny (m2)");
    EXPECT_EQ(row(read, 10)[5].toDouble(), 150);
    EXPECT_EQ(row(read, 11)[0].toString(), "Celkem");
    EXPECT_EQ(row(read, 11)[4].toDouble(), broadleaf);
    EXPECT_EQ(row(read, 11)[5].toDouble(), total);
    EXPECT_EQ(read["sheets"][0]["rows"].toArray().size(), 11);
    for (const QJsonValue& font : read["fonts"].toArray())
        EXPECT_EQ(font.toString(), "Arial CE");
}

TEST_F(ResultsWorkbookTest, WithoutShrubsTheTotalsFollowTheSpeciesAndTheFileKeepsItsFont) {
    StandPlan plan;
    plan.species = 2;
    const int key = m_db.add(plan, 1);
    testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update RivwoodPor set KROVINY = 0"));
    ResultsWorkbook book;
    ResultsSheet::FillResultsSheet(book, 1, StandQueries::QSestava(m_db.database(), key));
    const QJsonObject read = written(book); // saved before the font is set
    EXPECT_EQ(row(read, 9)[0].toString(), "Celkem");
    EXPECT_EQ(read["fonts"][0].toString(), "Arial");
}

TEST(ResultsSheet, ProposedFileJoinsTheStandCodeWordsByOneUnderscore) {
    EXPECT_EQ(ResultsSheet::ProposedFileName("/opt/rivwood", "Svratka     L  37,450     Akce   "),
              "/opt/rivwood/Svratka_L_37,450_Akce.xls");
}
