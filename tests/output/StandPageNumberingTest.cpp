// Page numbers that are laid out again only where something changed: after every kind of change
// they equal those of a layout of the whole report, and an unchanged database is not laid out.
#include "OutputTestSupport.h"
#include "RawQuery.h"
#include "ReportProgress.h"
#include "StandFixtures.h"
#include "StandPageCache.h"
#include "TFJHKSest.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

// Counts the records laid out.
class Counter : public ReportProgress {
  public:
    void recordNumber(int) override { ++records; }
    bool poll() override { return false; }
    int records = 0;
};

class StandPageNumberingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.isValid());
        m_report = std::make_unique<TFJHKSest>(m_db.database());
        m_report->setTemplateDirectory(testsupport::binDir());
        m_report->SKomentarem = true;
        m_report->NumberingProgress = &m_counter;
        // Rivers in Czech order, some with several stands; one stand long enough for two pages.
        const char* rivers[] = {"Úpa", "Cidlina", "dyje", "Čistá", "Chrudimka", "Dyje", "Cidlina", "Úpa"};
        for (int i = 0; i < 8; ++i) {
            StandPlan plan =
                Stand(QString::fromUtf8(rivers[i]), i % 2 ? "L" : "P", QStringLiteral("%1,0").arg(i),
                      QStringLiteral("Akce"), i == 3 ? 55 : 3 + i);
            plan.comment = QStringLiteral("Poznámka %1").arg(i);
            m_plans.push_back(plan);
            m_keys.push_back(m_db.add(plan, i + 1));
        }
    }

    // Numbers the pages as printing does and answers the records laid out.
    int number() {
        m_counter.records = 0;
        m_report->ChooseTemplate();
        m_report->ReadPageLayout();
        EXPECT_TRUE(m_report->NumberPages());
        return m_counter.records;
    }
    std::vector<int> pages() {
        std::vector<int> p;
        for (int key : m_keys)
            p.push_back(m_db.stranka(key));
        return p;
    }
    // The pages of a layout of the whole report, without anything remembered.
    std::vector<int> wholeLayout() {
        const std::vector<int> before = pages();
        QFile::remove(QDir(m_db.directory()).filePath(QString::fromLatin1(StandPageCache::FileName)));
        testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update rivwoodses set STRANKA = 0"));
        number();
        const std::vector<int> whole = pages();
        EXPECT_EQ(before, whole);
        return whole;
    }
    void resave(int i) {
        m_db.store().SaveStand(MakeReportStand(m_plans[size_t(i)], i + 1), m_keys[size_t(i)]);
    }

    ReportDatabase m_db;
    std::unique_ptr<TFJHKSest> m_report;
    Counter m_counter;
    std::vector<StandPlan> m_plans;
    std::vector<int> m_keys;
};

} // namespace

TEST_F(StandPageNumberingTest, UnchangedDatabaseIsNotLaidOutAgain) {
    EXPECT_GT(number(), 0);
    const std::vector<int> first = pages();
    // Cidlina L, Cidlina P, Čistá (two pages), Dyje L, dyje P, Chrudimka, Úpa L, Úpa P.
    EXPECT_EQ(first, (std::vector<int>{9, 1, 6, 3, 7, 5, 2, 8}));
    EXPECT_EQ(number(), 0);
    EXPECT_EQ(pages(), first);
    // A write by someone else is noticed: the pages are checked and put right, still without layout.
    testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update rivwoodses set STRANKA = 99"));
    EXPECT_EQ(number(), 0);
    EXPECT_EQ(pages(), first);
    // The other template has pages of its own.
    m_report->SKomentarem = false;
    EXPECT_GT(number(), 0);
    m_report->SKomentarem = true;
    EXPECT_EQ(number(), 0);
    EXPECT_EQ(pages(), first);
}

TEST_F(StandPageNumberingTest, ChangedStandsAreLaidOutWithTheirNeighbours) {
    number();
    // A re-saved stand (its page number cleared) with a comment of two pages.
    m_plans[2].comment = QStringLiteral("Dlouhá poznámka o břehu. ").repeated(400);
    resave(2);
    const int records = number();
    // The records of dyje and of the stands before and after it (Dyje L, Chrudimka), not all 101.
    EXPECT_EQ(records, 5 + 8 + 7);
    const std::vector<int> afterComment = pages();
    EXPECT_EQ(afterComment, wholeLayout());
    EXPECT_GE(afterComment[4] - afterComment[2], 3); // dyje takes three pages now

    // A river renamed: the order changes, and with it where the rivers change.
    m_plans[5].river = QStringLiteral("Jizera");
    resave(5);
    number();
    const std::vector<int> afterRename = pages();
    EXPECT_EQ(afterRename, wholeLayout());

    // A stand deleted and one left without its summary.
    m_db.store().DeleteStandRows(m_keys[6]);
    testsupport::RawQuery(m_db.database())
        .exec(QStringLiteral("update rivwoodpor set souhrn = false where klic = %1").arg(m_keys[0]));
    number();
    EXPECT_EQ(m_db.stranka(m_keys[0]), 0);
    EXPECT_EQ(pages(), wholeLayout());
}
