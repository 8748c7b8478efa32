// The stand report over a real stand database: page numbers stored in STRANKA against the pages
// the report engine actually composes, stand and report totals, the comment template, failures.
#include "TFJHKSest.h"
#include "OutputTestSupport.h"
#include "RawQuery.h"
#include "ReportItemPainter.h"
#include "ReportProgress.h"
#include "RivwoodError.h"
#include "StandFixtures.h"
#include "StandPageCache.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

QString money(double v) {
    return QString::number(v, 'f', 2).replace(u'.', u',');
}

class StandReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.isValid());
        m_report = std::make_unique<TFJHKSest>(m_db.database());
        m_report->setTemplateDirectory(testsupport::binDir());
    }

    // Five stands whose order in the report (river, bank, km, action, key) differs from their
    // order by action and key; the third has 70 species and takes two pages.
    void addMixedStands() {
        m_keys.push_back(
            m_db.add(Stand(QStringLiteral("Vltava"), "L", "1,0", QStringLiteral("Akce A"), 3), 1));
        m_keys.push_back(
            m_db.add(Stand(QStringLiteral("Berounka"), "P", "2,0", QStringLiteral("Akce B"), 5), 2));
        m_keys.push_back(
            m_db.add(Stand(QStringLiteral("Berounka"), "P", "3,0", QStringLiteral("Akce A"), 70), 3));
        m_keys.push_back(
            m_db.add(Stand(QStringLiteral("Otava"), "L", "4,0", QStringLiteral("Akce C"), 4), 4));
        m_keys.push_back(
            m_db.add(Stand(QStringLiteral("Vltava"), "P", "5,0", QStringLiteral("Akce A"), 2), 5));
    }

    ReportDatabase m_db;
    std::unique_ptr<TFJHKSest> m_report;
    std::vector<int> m_keys;
};

} // namespace

TEST_F(StandReportTest, EveryStandStartsOnThePageItsNumberSays) {
    addMixedStands();
    ASSERT_TRUE(m_report->PrintAllStands());
    const TSestVystup& out = m_report->SJHKVysC.output();
    const std::vector<StandHeader> headers = standHeaders(out);
    // The third stand continues on page 3 under its repeated header, which keeps its page number.
    ASSERT_EQ(headers.size(), 6u);
    const QStringList rivers{"Berounka", "Berounka", "Berounka", "Otava", "Vltava", "Vltava"};
    const QStringList kms{"2,0", "3,0", "3,0", "4,0", "1,0", "5,0"};
    const int expectedPages[] = {1, 2, 3, 4, 5, 6};
    const QStringList lists{"1", "2", "2", "4", "5", "6"};
    for (size_t i = 0; i < headers.size(); ++i) {
        EXPECT_EQ(headers[i].river, rivers[int(i)]) << i;
        EXPECT_EQ(headers[i].riverKm, kms[int(i)]) << i;
        EXPECT_EQ(headers[i].list, lists[int(i)]) << i;
        EXPECT_EQ(headers[i].page, expectedPages[i]) << i;
    }
    EXPECT_EQ(out.pageCount(), 6);
    // The pages are also what the database holds for each stand.
    EXPECT_EQ(m_db.stranka(m_keys[0]), 5);
    EXPECT_EQ(m_db.stranka(m_keys[1]), 1);
    EXPECT_EQ(m_db.stranka(m_keys[2]), 2);
    EXPECT_EQ(m_db.stranka(m_keys[3]), 4);
    EXPECT_EQ(m_db.stranka(m_keys[4]), 6);
    // The page foot counts the pages of the run.
    EXPECT_EQ(valueAfter(out.page(5), QStringLiteral("Vytištěno:"), 0).isEmpty(), false);
    EXPECT_TRUE(pageTexts(out.page(2)).contains(QStringLiteral("Strana 3")));
    EXPECT_TRUE(pageTexts(out.page(2)).contains(QStringLiteral("z 6")));
}

TEST_F(StandReportTest, OneStandIsPrintedWithItsPageInTheWholeReport) {
    addMixedStands();
    // Numbers left from an older run are replaced.
    testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update rivwoodses set STRANKA = 99"));
    ASSERT_TRUE(m_report->PrintStand(m_keys[3]));
    const TSestVystup& out = m_report->SJHKVysC.output();
    ASSERT_EQ(out.pageCount(), 1);
    const std::vector<StandHeader> headers = standHeaders(out);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].river, QStringLiteral("Otava"));
    EXPECT_EQ(headers[0].list, QStringLiteral("4"));
    EXPECT_EQ(m_report->PKlic1, m_keys[3]);
    EXPECT_EQ(m_report->PKlic2, m_keys[3]);
    // Printing one stand renumbers all of them.
    for (int key : m_keys)
        EXPECT_NE(m_db.stranka(key), 99) << key;
    EXPECT_EQ(m_db.stranka(m_keys[0]), 5);
}

TEST_F(StandReportTest, StandsWithoutSummaryAreLeftOutAndGetNoPage) {
    const int shown = m_db.add(Stand(QStringLiteral("Jizera"), "L", "1,0", QStringLiteral("A"), 3), 1);
    StandPlan hidden = Stand(QStringLiteral("Doubrava"), "L", "1,0", QStringLiteral("A"), 3);
    hidden.summary = false;
    const int notSummarised = m_db.add(hidden, 2);
    ASSERT_TRUE(m_report->PrintAllStands());
    const std::vector<StandHeader> headers = standHeaders(m_report->SJHKVysC.output());
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].river, QStringLiteral("Jizera"));
    EXPECT_EQ(m_db.stranka(shown), 1);
    EXPECT_EQ(m_db.stranka(notSummarised), 0);
}

TEST_F(StandReportTest, TotalsOfStandRiverAndReport) {
    const StandPlan a = Stand(QStringLiteral("Sázava"), "L", "1,0", QStringLiteral("A"), 6);
    const StandPlan b = Stand(QStringLiteral("Sázava"), "P", "2,0", QStringLiteral("A"), 4);
    m_db.add(a, 11);
    m_db.add(b, 12);
    const TManualy225 sa = MakeReportStand(a, 11), sb = MakeReportStand(b, 12);
    auto total = [](const TManualy225& s, bool* conifer = nullptr) {
        double sum = 0;
        for (int i = 0; i < s.count(); ++i)
            if (!conifer || s.at(i).conifer == *conifer)
                sum += s.at(i).totalStock;
        return sum;
    };
    ASSERT_TRUE(m_report->PrintAllStands());
    const TSestVystup& out = m_report->SJHKVysC.output();
    ASSERT_EQ(out.pageCount(), 2);
    const TStranaPrvku& first = out.page(0);
    const TStranaPrvku& second = out.page(1);
    // Stand foot: share, reduced area, conifer, broadleaf and total stock, stock per hectare.
    const QString shareSum = valueAfter(first, QStringLiteral("Celkem porost"));
    EXPECT_EQ(shareSum, QStringLiteral("100,0"));
    bool yes = true, no = false;
    EXPECT_TRUE(pageTexts(first).contains(money(total(sa, &yes))));
    EXPECT_TRUE(pageTexts(first).contains(money(total(sa, &no))));
    EXPECT_TRUE(pageTexts(first).contains(money(total(sa))));
    const QString perHa = QString::number(total(sa) / a.area * 10000, 'f', 1).replace(u'.', u',');
    EXPECT_TRUE(pageTexts(first).contains(perHa)) << perHa.toStdString();
    // The second stand's totals restart; the river and the report sum both stands.
    EXPECT_TRUE(pageTexts(second).contains(money(total(sb))));
    EXPECT_FALSE(pageTexts(second).contains(money(total(sa))));
    EXPECT_EQ(valueAfter(second, QStringLiteral("Celkem tok"), 0), QStringLiteral("Sázava"));
    EXPECT_TRUE(pageTexts(second).contains(money(total(sa) + total(sb))));
    // One body line per species: the abbreviations of the second stand, in species code order.
    int bodies = 0;
    for (const TVystPrvek& item : second.items)
        if (item.kind == 2 && sb.indexOf(item.text) >= 0)
            ++bodies;
    EXPECT_EQ(bodies, sb.count());
}

TEST_F(StandReportTest, CommentGrowsTheStandFootAndThePagesFollow) {
    QString comment;
    for (int i = 0; i < 40; ++i)
        comment += QStringLiteral("Nálet olše a vrby podél břehu, místy podemletý svah. ");
    StandPlan longOne = Stand(QStringLiteral("Cidlina"), "L", "1,0", QStringLiteral("A"), 40);
    longOne.comment = comment.trimmed();
    const int k1 = m_db.add(longOne, 1);
    StandPlan next = Stand(QStringLiteral("Cidlina"), "L", "2,0", QStringLiteral("A"), 3);
    next.comment = QStringLiteral("Krátká poznámka");
    const int k2 = m_db.add(next, 2);

    ASSERT_TRUE(m_report->PrintAllStands());
    const int pagesWithout = m_report->SJHKVysC.output().pageCount();
    EXPECT_EQ(pagesWithout, 2);

    m_report->SKomentarem = true;
    ASSERT_TRUE(m_report->PrintAllStands());
    EXPECT_EQ(m_report->SJHKVysC.reportName(), QStringLiteral("jhkkom.pts"));
    const TSestVystup& out = m_report->SJHKVysC.output();
    // 40 species and a comment of some twenty lines do not fit one page: the comment moves on,
    // and the next stand starts a page later than without it.
    const std::vector<StandHeader> headers = standHeaders(out);
    ASSERT_EQ(headers.size(), 3u);
    EXPECT_EQ(headers[0].list, QStringLiteral("1"));
    EXPECT_EQ(headers[1].page, 2); // the first stand's header again above its comment
    EXPECT_EQ(headers[1].list, QStringLiteral("1"));
    EXPECT_EQ(headers[2].page, 3);
    EXPECT_EQ(headers[2].list, QStringLiteral("3"));
    EXPECT_EQ(m_db.stranka(k1), 1);
    EXPECT_EQ(m_db.stranka(k2), 3);
    const QString printed = valueAfter(out.page(1), QStringLiteral("Poznámka:"));
    EXPECT_GT(printed.count(u'\n'), 10);
    EXPECT_EQ(QString(printed).replace(u'\n', u' ').simplified(), longOne.comment.simplified());
    EXPECT_EQ(valueAfter(out.page(2), QStringLiteral("Poznámka:")), QStringLiteral("Krátká poznámka"));
}

TEST_F(StandReportTest, PreviewGetsTheReportOverTheKeyRange) {
    addMixedStands();
    int rows = -1;
    m_report->Preview = [&](TSestava& report) {
        EXPECT_EQ(report.compose(), TSestavaD::ComposeOk);
        ReportDataSet* data = report.dataSet();
        rows = 0;
        for (data->first(); !data->eof(); data->next())
            ++rows;
        return false;
    };
    EXPECT_FALSE(m_report->PrintStand(m_keys[1]));
    EXPECT_EQ(rows, 5);
    // The query is closed once the preview is done.
    EXPECT_EQ(m_report->SJHKVysC.dataSet()->fieldCount(), 0);
    EXPECT_EQ(standHeaders(m_report->SJHKVysC.output()).size(), 1u);
}

TEST_F(StandReportTest, TemplateProblemsEndTheRun) {
    m_db.add(StandPlan(), 1);
    QTemporaryDir dir;
    m_report->setTemplateDirectory(dir.path());
    try {
        m_report->PrintAllStands();
        FAIL() << "no error for a missing template";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(
            e.message().startsWith(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy")))
            << e.message().toStdString();
    }
    // One group is not enough to number the pages by stand.
    QFile file(dir.filePath(QStringLiteral("jhkrep.pts")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("I,1,4,0,0\r\nI,2,0,826,1169,0,0,0,0,1,0\r\nI,3,2,1,18,0\r\nI,4,0,1,1,20,1,20,0\r\n"
               "T,2,DR_ZKR,0,0,60,18,Arial,10,0,0,0,0,1,\"\",0\r\n");
    file.close();
    EXPECT_THROW(m_report->PrintAllStands(), RivwoodError);
    EXPECT_EQ(m_db.stranka(1), 0);
}

TEST_F(StandReportTest, PageRendersHeaderAndOneLinePerSpecies) {
    m_db.add(Stand(QStringLiteral("Úpa"), "L", "1,0", QStringLiteral("A"), 7), 3);
    ASSERT_TRUE(m_report->PrintAllStands());
    const TSestVystup& out = m_report->SJHKVysC.output();
    ASSERT_EQ(out.pageCount(), 1);
    QImage image(out.pageSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportItemPainter().paintPage(painter, out.page(0));
    painter.end();
    auto inkRows = [&](const QRect& area) {
        // Horizontal bands of ink, one per printed line.
        int bands = 0;
        bool inBand = false;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            bool ink = false;
            for (int x = area.left(); x <= area.right() && !ink; ++x)
                ink = qGray(image.pixel(x, y)) < 128;
            if (ink && !inBand)
                ++bands;
            inBand = ink;
        }
        return bands;
    };
    // The title across the top of the first page.
    EXPECT_EQ(inkRows(QRect(200, 50, 400, 28)), 1);
    // Species abbreviations: one line each below the captions (page top 50 + start 96 + river head
    // 30 + stand head 150).
    const int firstBody = 50 + 96 + 30 + 150;
    EXPECT_EQ(inkRows(QRect(60, firstBody, 50, 7 * 18 - 2)), 7);
    EXPECT_EQ(inkRows(QRect(60, firstBody + 7 * 18 + 7, 50, 30)), 1); // "Celkem porost"
    // Nothing in the empty lower half but the page foot.
    EXPECT_EQ(inkRows(QRect(0, 700, 826, 1169 - 40 - 28 - 700)), 0);
    EXPECT_GE(inkRows(QRect(60, 1169 - 40 - 28, 726, 28)), 1);
}

TEST_F(StandReportTest, InterruptedNumberingPrintsNothing) {
    addMixedStands();
    ASSERT_TRUE(m_report->PrintAllStands());
    class Stop : public ReportProgress {
      public:
        void recordNumber(int) override {}
        bool poll() override { return ++polls > 20; }
        int polls = 0;
    } stop;
    testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update rivwoodses set STRANKA = 99"));
    // Without the remembered pages every stand is laid out again.
    QFile::remove(QDir(m_db.directory()).filePath(QString::fromLatin1(StandPageCache::FileName)));
    m_report->NumberingProgress = &stop;
    bool previewed = false;
    m_report->Preview = [&](TSestava&) { return previewed = true; };
    EXPECT_FALSE(m_report->PrintAllStands());
    EXPECT_FALSE(previewed);
    EXPECT_GT(stop.polls, 20);
    EXPECT_EQ(m_db.stranka(m_keys[0]), 99); // nothing written
    EXPECT_EQ(m_report->SJHKVysC.output().pageCount(), 0);
}

TEST_F(StandReportTest, SpeciesLinesPrintZeroStockOfTheOtherGroup) {
    m_db.add(Stand(QStringLiteral("Sázava"), "L", "1,0", QStringLiteral("A"), 6), 4);
    ASSERT_TRUE(m_report->PrintAllStands());
    const TStranaPrvku& page = m_report->SJHKVysC.output().page(0);
    // Conifer and broadleaf stock columns of each species line (x 60 + 380 and 60 + 465).
    int lines = 0;
    for (const TVystPrvek& species : page.items) {
        if (species.kind != TSiReportElement::FieldValue || species.rect.x() != 60 || species.text.size() > 3)
            continue;
        QStringList stocks;
        for (const TVystPrvek& item : page.items)
            if (item.kind == TSiReportElement::Function && item.rect.y() == species.rect.y() &&
                (item.rect.x() == 440 || item.rect.x() == 525))
                stocks << item.text;
        ASSERT_EQ(stocks.size(), 2) << species.text.toStdString();
        EXPECT_EQ(stocks.count(QStringLiteral("0,00")), 1) << stocks.join(u'|').toStdString();
        ++lines;
    }
    EXPECT_EQ(lines, 6);
}

TEST_F(StandReportTest, RiversInCzechOrder) {
    for (const char* river : {"Chrudimka", "Cidlina", "Dyje", "zlatý potok", "Úpa", "Čistá"})
        m_db.add(Stand(QString::fromUtf8(river), "L", "1,0", QStringLiteral("A"), 2), 1);
    ASSERT_TRUE(m_report->PrintAllStands());
    QStringList rivers;
    for (const StandHeader& h : standHeaders(m_report->SJHKVysC.output()))
        rivers << h.river;
    EXPECT_EQ(rivers, (QStringList{"Cidlina", "Čistá", "Dyje", "Chrudimka", "Úpa", "zlatý potok"}));
}
