// Page numbers worked out from the stands' rows and the template's section heights: after every kind
// of change, and over many generated stands with long comments, they equal the pages the engine
// composes for the whole report; an unchanged database is not read again.
#include "OutputTestSupport.h"
#include "RawQuery.h"
#include "ReportProgress.h"
#include "SqlTransaction.h"
#include "StandFixtures.h"
#include "StandPageCache.h"
#include "TFJHKSest.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

// Counts the sections the numbering looks at (it is polled before each).
class Counter : public ReportProgress {
  public:
    void recordNumber(int) override {}
    bool poll() override {
        ++sections;
        return false;
    }
    int sections = 0;
};

class StandPageNumberingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.isValid());
        m_report = std::make_unique<TFJHKSest>(m_db.database());
        m_report->setTemplateDirectory(testsupport::binDir());
        m_report->SKomentarem = true;
        m_report->NumberingProgress = &m_counter;
    }
    // Rivers in Czech order, some with several stands; one stand long enough for two pages.
    void addStands() {
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

    // Numbers the pages as printing does and answers the sections looked at.
    int number() {
        m_counter.sections = 0;
        m_report->ChooseTemplate();
        m_report->ReadPageLayout();
        EXPECT_TRUE(m_report->NumberPages());
        return m_counter.sections;
    }
    std::vector<int> pages() {
        std::vector<int> p;
        for (int key : m_keys)
            p.push_back(m_db.stranka(key));
        return p;
    }
    // The pages on which the engine composes each stand in the report of all stands (0 for a
    // stand it does not print, -1 for one without rows).
    std::vector<int> composedPages() {
        m_report->NumberingProgress = nullptr;
        const std::optional<TFJHKSest::Layout> layout = m_report->LayOutStands();
        m_report->NumberingProgress = &m_counter;
        std::vector<int> p;
        for (int key : m_keys) {
            const auto found = layout->firstPages.find(key);
            p.push_back(found != layout->firstPages.end() ? found->second : m_db.stranka(key) == -1 ? -1 : 0);
        }
        return p;
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

TEST_F(StandPageNumberingTest, UnchangedDatabaseIsNotReadAgain) {
    addStands();
    EXPECT_GT(number(), 0);
    const std::vector<int> first = pages();
    // Cidlina L, Cidlina P, Čistá (two pages), Dyje L, dyje P, Chrudimka, Úpa L, Úpa P.
    EXPECT_EQ(first, (std::vector<int>{9, 1, 6, 3, 7, 5, 2, 8}));
    EXPECT_EQ(number(), 0);
    EXPECT_EQ(pages(), first);
    // A write by someone else is noticed: the pages are worked out again and put right.
    testsupport::RawQuery(m_db.database()).exec(QStringLiteral("update rivwoodses set STRANKA = 99"));
    EXPECT_GT(number(), 0);
    EXPECT_EQ(pages(), first);
    EXPECT_EQ(number(), 0);
    // The other template has pages of its own.
    m_report->SKomentarem = false;
    EXPECT_GT(number(), 0);
    EXPECT_EQ(pages(), composedPages());
    m_report->SKomentarem = true;
    EXPECT_GT(number(), 0);
    EXPECT_EQ(pages(), first);
}

TEST_F(StandPageNumberingTest, ChangedStandsGetThePagesOfTheComposedReport) {
    addStands();
    number();
    EXPECT_EQ(pages(), composedPages());
    // A re-saved stand (its page number cleared) with a comment of two pages.
    m_plans[2].comment = QStringLiteral("Dlouhá poznámka o břehu. ").repeated(400);
    resave(2);
    number();
    const std::vector<int> afterComment = pages();
    EXPECT_EQ(afterComment, composedPages());
    EXPECT_GE(afterComment[4] - afterComment[2], 3); // dyje takes three pages now

    // A river renamed: the order changes, and with it where the rivers change.
    m_plans[5].river = QStringLiteral("Jizera");
    resave(5);
    number();
    EXPECT_EQ(pages(), composedPages());

    // A stand deleted and one left without its summary.
    m_db.store().DeleteStandRows(m_keys[6]);
    testsupport::RawQuery(m_db.database())
        .exec(QStringLiteral("update rivwoodpor set souhrn = false where klic = %1").arg(m_keys[0]));
    number();
    EXPECT_EQ(m_db.stranka(m_keys[0]), 0);
    EXPECT_EQ(pages(), composedPages());
}

// Stands of 1 to 70 species on a few rivers, with comments from none to several pages long (long
// words, line breaks, blank lines), numbered with both templates: every stand gets the page the
// engine composes it on.
TEST_F(StandPageNumberingTest, GeneratedStandsWithLongCommentsGetTheComposedPages) {
    std::mt19937 random(2027);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const QStringList rivers{"Úpa", "Cidlina", "Čistá", "Chrudimka", "Dyje", "Jizera", "Ohře", "Sázava"};
    const QStringList words{
        "olše",  "vrba",      "podemletý",
        "břeh",  "nálet",     "jasan",
        "zápoj", "mezernatý", "Dlouhéslovobezmezerykterésenevejdenařádekajemusíbýtrozdělenonavícřádků"};
    {
        SqlTransaction tx(m_db.database());
        for (int i = 0; i < 520; ++i) {
            StandPlan plan = Stand(rivers[pick(int(rivers.size()))], pick(2) ? "L" : "P",
                                   QStringLiteral("%1,%2").arg(pick(40)).arg(pick(10)),
                                   QStringLiteral("Akce"), 1 + (pick(8) == 0 ? pick(70) : pick(12)));
            const int length = pick(5) == 0 ? pick(12000) : pick(300);
            while (plan.comment.size() < length) {
                plan.comment += words[pick(int(words.size()))];
                plan.comment += pick(25) == 0   ? QStringLiteral("\n")
                                : pick(60) == 0 ? QStringLiteral("\n\n")
                                                : " ";
            }
            plan.summary = pick(30) != 0;
            m_plans.push_back(plan);
            m_keys.push_back(m_db.add(plan, i + 1));
        }
        tx.commit();
    }
    for (bool comment : {true, false}) {
        m_report->SKomentarem = comment;
        number();
        const std::vector<int> numbered = pages(), composed = composedPages();
        for (size_t i = 0; i < m_keys.size(); ++i)
            ASSERT_EQ(numbered[i], composed[i])
                << "stand " << i << (comment ? " with" : " without") << " the comment";
        EXPECT_GT(*std::max_element(numbered.begin(), numbered.end()), 520);
    }
}
