#include "EngineTestSupport.h"
#include "ReportProgress.h"
#include "TemplateTestPrint.h"
#include "TemplateWriter.h"

#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

struct ReportRun {
    TSestavaD report;
    MemoryDataSet data;
    int result = -1;

    explicit ReportRun(const QStringList& lines, int records = 10) {
        loadTemplate(report, lines);
        fillNumbers(data, records);
        report.setDataSet(&data);
        report.setLocale(QLocale::c());
        report.setPrintTime(QDateTime(QDate(2024, 3, 7), QTime(8, 5, 9)));
    }
    const TSestVystup& out() {
        if (result < 0)
            result = report.compose();
        return report.output();
    }
};

QStringList bodies(const TSestVystup& out, int page) {
    QStringList texts;
    for (const TVystPrvek& item : out.page(page).items)
        if (item.kind == TSiReportElement::FieldValue)
            texts.append(item.text);
    return texts;
}

} // namespace

TEST(EngineCompose, PagesBreakBeforeTheFootAndTheFootSitsAtTheBottom) {
    ReportRun run(basicLayout(), 20);
    const TSestVystup& out = run.out();
    EXPECT_EQ(run.result, TSestavaD::ComposeOk);
    // Page 1: start 100–150, head –190, bodies from 190 while they end by 880 (1000 − 100 − 20).
    ASSERT_EQ(out.pageCount(), 3);
    EXPECT_EQ(bodies(out, 0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(bodies(out, 1), (QStringList{"7", "8", "9", "10", "11", "12", "13"}));
    EXPECT_EQ(bodies(out, 2), (QStringList{"14", "15", "16", "17", "18", "19", "20"}));
    EXPECT_EQ(findItem(out, 0, "Začátek")->rect.topLeft(), QPoint(50, 100));
    EXPECT_EQ(findItem(out, 0, "Hlava")->rect.y(), 150);
    EXPECT_EQ(findItem(out, 0, "1")->rect.y(), 190);
    EXPECT_EQ(findItem(out, 0, "6")->rect.y(), 690);
    EXPECT_EQ(findItem(out, 1, "Hlava")->rect.y(), 100);
    EXPECT_EQ(findItem(out, 1, "7")->rect.y(), 140);
    for (int p = 0; p < 3; ++p) {
        const TVystPrvek* foot = findItem(out, p, QStringLiteral("Strana %1").arg(p + 1));
        ASSERT_NE(foot, nullptr);
        EXPECT_EQ(foot->kind, TSiReportElement::Variable);
        EXPECT_EQ(foot->rect.y(), 880);
    }
    // 14 … 20 end at 840; the report end (30) still fits above the foot.
    EXPECT_EQ(findItem(out, 2, "Konec")->rect.y(), 840);
    EXPECT_EQ(findItem(out, 0, "Začátek"), &out.page(0).items.front());
}

TEST(EngineCompose, MaxRecordsAndSingleRecord) {
    ReportRun limited(basicLayout(), 10);
    limited.report.MaxRecords = 3;
    EXPECT_EQ(bodies(limited.out(), 0), (QStringList{"1", "2", "3"}));

    ReportRun single(basicLayout(), 10);
    single.report.TiskJedenZaznam = true;
    single.data.first();
    single.data.next();
    single.data.next();
    EXPECT_EQ(bodies(single.out(), 0), (QStringList{"3"}));
}

TEST(EngineCompose, EmptyDataSetPrintsOneBody) {
    ReportRun run(basicLayout(), 0);
    const TSestVystup& out = run.out();
    ASSERT_EQ(out.pageCount(), 1);
    EXPECT_EQ(bodies(out, 0), (QStringList{""}));
    EXPECT_NE(findItem(out, 0, "Konec"), nullptr);
}

TEST(EngineCompose, NoPageHeadOnTheFirstPage) {
    QStringList lines = basicLayout();
    lines.replace(2, QStringLiteral("I,3,1,1,40,1"));
    ReportRun run(lines, 14);
    const TSestVystup& out = run.out();
    ASSERT_GE(out.pageCount(), 2);
    EXPECT_EQ(findItem(out, 0, "Hlava"), nullptr);
    EXPECT_EQ(out.page(0).items.front().text, QStringLiteral("Začátek"));
    EXPECT_EQ(findItem(out, 0, "1")->rect.y(), 150);
    EXPECT_EQ(out.page(1).items.front().text, QStringLiteral("Hlava"));
    EXPECT_EQ(findItem(out, 1, "Hlava")->rect.y(), 100);
}

TEST(EngineCompose, NewPageOptionsOfStartBodyAndEnd) {
    QStringList lines = basicLayout();
    lines.replace(1, QStringLiteral("I,3,0,1,50,1"));
    lines.replace(3, QStringLiteral("I,3,2,1,100,1"));
    lines.replace(4, QStringLiteral("I,3,3,1,30,1"));
    ReportRun run(lines, 3);
    const TSestVystup& out = run.out();
    // Start alone, then one body per page, then the end on a page of its own.
    ASSERT_EQ(out.pageCount(), 5);
    EXPECT_EQ(pageTexts(out, 0), (QStringList{"Začátek", "Strana 1"}));
    EXPECT_EQ(pageTexts(out, 1), (QStringList{"Hlava", "1", "Strana 2"}));
    EXPECT_EQ(bodies(out, 2), (QStringList{"2"}));
    EXPECT_EQ(bodies(out, 3), (QStringList{"3"}));
    EXPECT_EQ(pageTexts(out, 4), (QStringList{"Hlava", "Konec", "Strana 5"}));
}

TEST(EngineCompose, PageCountIsFilledInAtTheEnd) {
    QStringList lines = basicLayout();
    lines.append(QStringLiteral("Z,5,4,300,0,100,20,Arial,10,0,0,0,0,1,\"\",0"));
    lines.append(QStringLiteral("H,5,4,300,0,100,20,Arial,10,0,0,0,0,1,\"z %d stran\",0"));
    lines.append(QStringLiteral("H,5,4,400,0,100,20,Arial,10,0,0,0,0,1,\"%s\",0"));
    ReportRun run(lines, 20);
    const TSestVystup& out = run.out();
    ASSERT_EQ(out.pageCount(), 3);
    auto counts = [&](int page) {
        QStringList texts;
        for (const TVystPrvek& item : out.page(page).items)
            if (item.pageCount)
                texts.append(item.text);
        return texts;
    };
    EXPECT_EQ(counts(0), (QStringList{"3", "z 3 stran", "????"}));
    EXPECT_EQ(counts(1), (QStringList{"z 3 stran", "????"}));
    EXPECT_EQ(counts(2), (QStringList{"z 3 stran", "????"}));
}

TEST(EngineCompose, SystemVariablesAndParameters) {
    QStringList lines = basicLayout();
    lines.append(QStringLiteral("Z,5,0,300,0,100,20,Arial,10,0,0,0,0,1,\"\",0"));
    lines.append(QStringLiteral("Z,5,1,400,0,100,20,Arial,10,0,0,0,0,1,\"hh:nn:ss\",0"));
    lines.append(QStringLiteral("Z,5,0,500,0,100,20,Arial,10,0,0,0,0,1,\"dd/mm/yyyy\",0"));
    lines.append(QStringLiteral("T,5,2,200,0,100,20,Arial,10,0,0,0,0,1,\"ř. %3d\",0"));
    lines.append(QStringLiteral("T,5,9,300,0,100,20,Arial,10,0,0,0,0,1,\"\",0")); // no such group
    lines.append(QStringLiteral("T,4,1,400,0,100,20,Arial,10,0,0,0,0,1,\"\",0"));
    lines.append(QStringLiteral("T,4,7,500,0,100,20,Arial,10,0,0,0,0,1,\"x\",0"));
    lines.append(QStringLiteral("T,3,0,600,0,100,20,Arial,10,0,0,0,0,1,\"\",0"));
    ReportRun run(lines, 2);
    run.report.Parametry = QStringList{"první", "druhý"};
    const TSestVystup& out = run.out();
    const QStringList texts = pageTexts(out, 0);
    EXPECT_TRUE(texts.contains("7.3.2024"));
    EXPECT_TRUE(texts.contains("08:05:09"));
    EXPECT_TRUE(texts.contains("07.03.2024"));
    EXPECT_TRUE(texts.contains("ř.   1"));
    EXPECT_TRUE(texts.contains("ř.   2"));
    EXPECT_EQ(texts.count("????"), 2);
    EXPECT_EQ(texts.count("druhý"), 2);
    EXPECT_EQ(texts.count("Číslo"), 2); // caption of field 0
    EXPECT_EQ(texts.count(""), 2);      // parameter 7 does not exist
}

TEST(EngineCompose, FailingValuesPrintQuestionMarks) {
    const QStringList lines = {QStringLiteral("I,3,2,1,20,0"),
                               QStringLiteral("T,2,5,0,0,10,10,A,10,0,0,0,0,1,\"\",0"),
                               QStringLiteral("T,2,chybi,0,0,10,10,A,10,0,0,0,0,1,\"\",0"),
                               QStringLiteral("T,6,3,0,0,10,10,A,10,0,0,0,0,1,\"\",0")};
    TSestavaD report;
    loadTemplate(report, lines);
    MemoryDataSet empty; // no fields at all
    report.setDataSet(&empty);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    EXPECT_EQ(pageTexts(report.output(), 0), (QStringList{"????", "????", "????"}));

    // With fields, a number out of range and an unknown name both print field 0.
    ReportRun run(lines, 1);
    EXPECT_EQ(pageTexts(run.out(), 0), (QStringList{"1", "1", "????"}));
}

TEST(EngineCompose, GroupsFootsFunctionsAndCounters) {
    const QStringList lines = {
        QStringLiteral("I,2,0,800,3000,0,0,0,0,1,0"),
        QStringLiteral("I,3,2,1,10,0"),
        QStringLiteral("I,4,0,1,1,10,1,10,0"),
        QStringLiteral("F,0,Soucet,\"\",0,\"0\",2,\"#3\",2,15,2,2"),
        QStringLiteral("F,1,Pocet,\"\",0,\"0\",0,\"\",1,15,0,2"),
        QStringLiteral("S0,2,skupina,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("S0,5,6,100,0,50,10,A,10,0,0,0,0,1,\"sk %d\",0"),
        QStringLiteral("T,2,n,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("T,5,5,100,0,50,10,A,10,0,0,0,0,1,\"r%d\",0"),
        QStringLiteral("U0,6,soucet,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("U0,6,Pocet,100,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("U0,2,skupina,200,0,50,10,A,10,0,0,0,0,1,\"\",0"),
    };
    ReportRun run(lines, 7); // groups G0 (1–3), G1 (4–6), G2 (7)
    const QStringList texts = pageTexts(run.out(), 0);
    // The foot of a group sees its last record and the sums restart per group; the count runs on.
    EXPECT_EQ(texts.join(u' '), QStringLiteral("G0 sk 1 1 r1 2 r2 3 r3 9.00 3 G0 "
                                               "G1 sk 2 4 r1 5 r2 6 r3 22.50 6 G1 "
                                               "G2 sk 3 7 r1 10.50 7 G2"));
    // Heads and foots advance the position like any section.
    EXPECT_EQ(findItem(run.out(), 0, "G1")->rect.y(), 50);
}

TEST(EngineCompose, NestedGroupNumbersRestartInTheirOuterGroup) {
    const QStringList lines = {
        QStringLiteral("I,2,0,800,3000,0,0,0,0,1,0"),
        QStringLiteral("I,3,2,1,10,0"),
        QStringLiteral("I,4,0,0,1,10,0,0,0"),
        QStringLiteral("I,4,1,1,1,10,0,0,0"),
        QStringLiteral("S0,2,0,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("S1,5,8,0,0,50,10,A,10,0,0,0,0,1,\"v%d\",0"),
    };
    TSestavaD report;
    loadTemplate(report, lines);
    MemoryDataSet data;
    data.addField("a", ReportDataSet::String);
    data.addField("b", ReportDataSet::String);
    for (const char* row : {"Ax", "Ax", "Ay", "Bx", "By", "By"})
        data.addRow({QString(row[0]), QString(row[1])});
    report.setDataSet(&data);
    report.compose();
    EXPECT_EQ(pageTexts(report.output(), 0).join(u' '), QStringLiteral("A v1 v2 B v1 v2"));
}

TEST(EngineCompose, GroupNewPageAndPageRestart) {
    const QStringList lines = {
        QStringLiteral("I,2,0,800,1000,0,0,0,0,1,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("I,4,0,1,0,0,0,0,1"),
        QStringLiteral("F,0,NaStrance,\"\",0,\"0\",1,\"\",1,15,0,2"),
        QStringLiteral("T,6,0,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
    };
    ReportRun run(lines, 14); // G0 1–3, G1 4–6, …, G4 13–14; pages of 10 bodies
    const TSestVystup& out = run.out();
    ASSERT_EQ(out.pageCount(), 5);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(pageTexts(out, p), (QStringList{"1", "2", "3"})) << p;
    EXPECT_EQ(pageTexts(out, 4), (QStringList{"1", "2"}));
}

TEST(EngineCompose, EndPageStopsTheComposition) {
    ReportRun run(basicLayout(), 40);
    run.report.EndPage = 2;
    const TSestVystup& out = run.out();
    // Composition stops once a body would go to page 3.
    ASSERT_EQ(out.pageCount(), 3);
    EXPECT_TRUE(bodies(out, 2).isEmpty());
    EXPECT_EQ(findItem(out, 2, "Konec"), nullptr);
}

TEST(EngineCompose, PrintColumns) {
    const QStringList lines = {QStringLiteral("I,2,0,800,1000,50,50,0,0,3,30"),
                               QStringLiteral("I,3,2,1,20,0"), QStringLiteral("I,3,3,1,20,0"),
                               QStringLiteral("T,2,n,10,0,50,10,A,10,0,0,0,0,1,\"\",0"),
                               QStringLiteral("K,1,0,0,0,50,10,A,10,0,0,0,0,1,\"konec\",0")};
    ReportRun run(lines, 4);
    const TSestVystup& out = run.out();
    // Printable width 700 plus the gap 30, in three columns of 243.33.
    EXPECT_EQ(findItem(out, 0, "1")->rect.topLeft(), QPoint(60, 0));
    EXPECT_EQ(findItem(out, 0, "2")->rect.topLeft(), QPoint(50 + 243 + 10, 0));
    EXPECT_EQ(findItem(out, 0, "3")->rect.topLeft(), QPoint(50 + 486 + 10, 0));
    EXPECT_EQ(findItem(out, 0, "4")->rect.topLeft(), QPoint(60, 20));
    // The unfinished row is closed before the report end.
    EXPECT_EQ(findItem(out, 0, "konec")->rect.y(), 40);
}

TEST(EngineCompose, StretchingMemoGrowsTheBody) {
    const QStringList lines = {QStringLiteral("I,2,0,800,3000,0,0,0,0,1,0"), QStringLiteral("I,3,2,1,36,0"),
                               QStringLiteral("T,1,0,0,0,50,10,A,10,0,0,0,0,1,\"nad\",0"),
                               QStringLiteral("T,2,0,0,10,300,20,A,10,0,0,16,0,1,\"\",0"),
                               QStringLiteral("T,1,0,0,30,50,6,A,10,0,0,0,0,1,\"pod\",0")};
    TSestavaD report;
    loadTemplate(report, lines);
    MemoryDataSet data;
    data.addField("poznamka", ReportDataSet::Memo);
    data.addRow({QStringLiteral("první řádek\ndruhý řádek\ntřetí řádek\nčtvrtý")});
    data.addRow({QStringLiteral("krátká")});
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TSestVystup& out = report.output();
    const TVystPrvek* memo = nullptr;
    for (const TVystPrvek& item : out.page(0).items)
        if (item.kind == TSiReportElement::FieldValue && !memo)
            memo = &item;
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->multiLine);
    EXPECT_EQ(memo->lines().size(), 4);
    EXPECT_GT(memo->rect.height(), 4 * 13); // four lines of a 10-point font
    const int growth = memo->rect.height() - 20;
    // The band below the memo moves down by the growth, and so does the next body.
    std::vector<int> pod;
    std::vector<int> nad;
    for (const TVystPrvek& item : out.page(0).items) {
        if (item.text == "pod")
            pod.push_back(item.rect.y());
        if (item.text == "nad")
            nad.push_back(item.rect.y());
    }
    ASSERT_EQ(pod.size(), 2u);
    EXPECT_EQ(pod[0], 30 + growth);
    EXPECT_EQ(nad[1], 36 + growth);
    EXPECT_EQ(pod[1], nad[1] + 30); // one line fits the memo's own height
}

TEST(EngineCompose, SectionHookAndInterrupt) {
    ReportRun skipped(basicLayout(), 3);
    skipped.report.OnTiskOddilu = [](int section) { return section != TOddilSestavy::Hlava; };
    EXPECT_EQ(findItem(skipped.out(), 0, "Hlava"), nullptr);
    EXPECT_EQ(findItem(skipped.out(), 0, "1")->rect.y(), 150);

    struct StopAfter : ReportProgress {
        int polls = 0;
        int limit = 0;
        int lastRecord = 0;
        void recordNumber(int n) override { lastRecord = n; }
        bool poll() override { return ++polls > limit; }
    } progress;
    progress.limit = 5; // start, head, three bodies
    ReportRun run(basicLayout(), 10);
    run.report.setProgress(&progress);
    const TSestVystup& out = run.out();
    EXPECT_EQ(run.result, TSestavaD::ComposeInterrupted);
    EXPECT_EQ(bodies(out, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(findItem(out, 0, "Konec"), nullptr);
    EXPECT_EQ(progress.lastRecord, 4);
}

TEST(EngineCompose, CharacterGridRoundsPositionsToLines) {
    const QStringList lines = {QStringLiteral("I,2,0,800,1000,0,0,0,0,1,0"), QStringLiteral("I,3,0,1,20,0"),
                               QStringLiteral("I,3,2,1,20,0"), QStringLiteral("I,6,1,8,8,0,0"),
                               QStringLiteral("T,2,0,0,0,50,10,A,10,0,0,0,0,1,\"\",0")};
    ReportRun run(lines, 3);
    const TSestVystup& out = run.out();
    // 6 lines per inch: 20 rounds to 16.67, then 33.33 + 20 to 33.33 ... each body one line.
    EXPECT_EQ(findItem(out, 0, "1")->rect.y(), 17);
    EXPECT_EQ(findItem(out, 0, "2")->rect.y(), 33);
    EXPECT_EQ(findItem(out, 0, "3")->rect.y(), 50);
}

TEST(EngineCompose, DataSetChecks) {
    TSestavaD report;
    loadTemplate(report, basicLayout());
    EXPECT_EQ(report.compose(), TSestavaD::ComposeFailed);
    EXPECT_EQ(report.errorString(), QStringLiteral("Není definován zdroj dat."));
    MemoryDataSet data;
    fillNumbers(data, 2);
    data.setActive(false);
    data.setOpenable(false);
    report.setDataSet(&data);
    QString asked;
    report.OnQuestion = [&](const QString& q) {
        asked = q;
        return true;
    };
    EXPECT_EQ(report.compose(), TSestavaD::ComposeFailed);
    EXPECT_EQ(asked, QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?"));
    EXPECT_EQ(report.errorString(), QStringLiteral("Připojenou tabulku se nepodařilo otevřít."));
    data.setOpenable(true);
    EXPECT_EQ(report.compose(), TSestavaD::ComposeOk);
    EXPECT_EQ(bodies(report.output(), 0), (QStringList{"1", "2"}));
}

TEST(EngineCompose, SubReportPrintsTheDetailRecordsInPlace) {
    const QStringList lines = {
        QStringLiteral("I,2,0,800,3000,0,0,0,0,1,0"),
        QStringLiteral("I,3,2,1,40,0"),
        QStringLiteral("T,2,0,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("T,15,0,100,10,300,20"),
        QStringLiteral("T,1,0,0,30,50,10,A,10,0,0,0,0,1,\"pod\",0"),
        QStringLiteral("D0,I,3,0,1,10,0"),
        QStringLiteral("D0,I,3,2,1,10,0"),
        QStringLiteral("D0,Z,1,0,0,0,50,10,A,10,0,0,0,0,1,\"detail\",0"),
        QStringLiteral("D0,T,2,0,5,0,50,10,A,10,0,0,0,0,1,\"\",0"),
    };
    ReportRun run(lines, 2);
    MemoryDataSet detail;
    detail.addField("d", ReportDataSet::String);
    detail.addRow({QStringLiteral("a")});
    detail.addRow({QStringLiteral("b")});
    detail.addRow({QStringLiteral("c")});
    run.report.OnGetDetailData = [&](const TSestavaTyp* owner, int n) -> ReportDataSet* {
        return owner == &run.report && n == 0 ? &detail : nullptr;
    };
    const TSestVystup& out = run.out();
    QStringList where;
    for (const TVystPrvek& item : out.page(0).items)
        where.append(QStringLiteral("%1@%2,%3").arg(item.text).arg(item.rect.x()).arg(item.rect.y()));
    // Detail start at 10, its bodies at 20, 30, 40; the band after the placeholder follows them.
    EXPECT_EQ(where.join(u' '), QStringLiteral("1@0,0 detail@100,10 a@105,20 b@105,30 c@105,40 pod@0,50 "
                                               "2@0,60 detail@100,70 a@105,80 b@105,90 c@105,100 pod@0,110"));
}

namespace {

// A group foot with a caption beside a stretching memo, below the bodies; page head, page foot.
QStringList memoFootLayout() {
    return {QStringLiteral("I,2,0,800,1000,0,0,100,100,1,0"),
            QStringLiteral("I,3,1,1,40,0"),
            QStringLiteral("I,3,2,1,20,0"),
            QStringLiteral("I,3,4,1,20"),
            QStringLiteral("I,4,0,1,0,0,1,20,0"),
            QStringLiteral("H,1,0,0,0,200,20,Arial,10,0,0,0,0,1,\"Hlava\",0"),
            QStringLiteral("T,2,n,0,0,100,20,Arial,10,0,0,0,0,1,\"\",0"),
            QStringLiteral("U0,1,0,0,0,100,20,Arial,10,0,0,0,0,1,\"Poznámka:\",0"),
            QStringLiteral("U0,2,poznamka,100,0,300,20,Arial,10,0,0,16,0,1,\"\",0"),
            QStringLiteral("P,5,3,0,0,100,20,Arial,10,0,0,0,0,1,\"Strana %d\",0")};
}

QString sentences(int count) {
    QStringList s;
    for (int i = 1; i <= count; ++i)
        s << QStringLiteral("Věta %1 o olších a vrbách na břehu.").arg(i, 3, 10, QLatin1Char('0'));
    return s.join(u' ');
}

} // namespace

TEST(EngineCompose, MemoLongerThanAPageContinuesBetweenHeadAndFoot) {
    TSestavaD report;
    loadTemplate(report, memoFootLayout());
    MemoryDataSet data;
    data.addField("n", ReportDataSet::Integer);
    data.addField("poznamka", ReportDataSet::Memo);
    const QString memo = sentences(150);
    for (int i = 1; i <= 30; ++i)
        data.addRow({i, memo});
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TSestVystup& out = report.output();
    ASSERT_GE(out.pageCount(), 3);
    QStringList printed;
    for (int p = 0; p < out.pageCount(); ++p) {
        EXPECT_EQ(findItem(out, p, "Hlava")->rect.y(), 100) << p;
        EXPECT_EQ(findItem(out, p, QStringLiteral("Strana %1").arg(p + 1))->rect.y(), 1000 - 100 - 20) << p;
        for (const TVystPrvek& item : out.page(p).items) {
            if (item.kind != TSiReportElement::FieldValue || !item.multiLine)
                continue;
            // Between the page head and the page foot.
            EXPECT_GE(item.rect.top(), 140) << p;
            EXPECT_LE(item.rect.bottom(), 1000 - 100 - 20) << p;
            printed << item.lines();
        }
    }
    // The bodies fill page 1; the memo starts below them and runs on; every sentence once, in order.
    EXPECT_EQ(findItem(out, 0, "Poznámka:")->rect.y(), 140 + 30 * 20);
    EXPECT_EQ(printed.join(u' ').simplified(), memo);
}

TEST(EngineCompose, MemoThatFitsAPageMovesWhole) {
    TSestavaD report;
    loadTemplate(report, memoFootLayout());
    MemoryDataSet data;
    data.addField("n", ReportDataSet::Integer);
    data.addField("poznamka", ReportDataSet::Memo);
    for (int i = 1; i <= 30; ++i)
        data.addRow({i, sentences(20)});
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TSestVystup& out = report.output();
    ASSERT_EQ(out.pageCount(), 2);
    EXPECT_EQ(findItem(out, 1, "Poznámka:")->rect.y(), 140);
    EXPECT_EQ(findItem(out, 0, "Poznámka:"), nullptr);
}

TEST(EngineCompose, RepeatedGroupHeadOnThePagesTheGroupContinues) {
    const QStringList lines = {
        QStringLiteral("I,2,0,800,1000,0,0,0,0,1,0"),
        QStringLiteral("I,3,1,1,20,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("I,4,0,1,1,30,0,0,1,1"), // new page per group, head repeated
        QStringLiteral("H,1,0,0,0,50,10,A,10,0,0,0,0,1,\"Hlava\",0"),
        QStringLiteral("S0,2,skupina,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("T,2,n,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
    };
    TSestavaD report;
    loadTemplate(report, lines);
    MemoryDataSet data;
    data.addField("n", ReportDataSet::Integer);
    data.addField("skupina", ReportDataSet::String);
    for (int i = 1; i <= 14; ++i)
        data.addRow({i, i <= 12 ? QStringLiteral("A") : QStringLiteral("B")});
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TSestVystup& out = report.output();
    // Nine bodies a page: A 1–9, A 10–12 below a repeated head, B on a page of its own with one head.
    ASSERT_EQ(out.pageCount(), 3);
    EXPECT_EQ(pageTexts(out, 0).mid(0, 3), (QStringList{"Hlava", "A", "1"}));
    EXPECT_EQ(pageTexts(out, 1), (QStringList{"Hlava", "A", "10", "11", "12"}));
    EXPECT_EQ(findItem(out, 1, "10")->rect.y(), 50);
    EXPECT_EQ(pageTexts(out, 2), (QStringList{"Hlava", "B", "13", "14"}));
    // The flag is kept in the template.
    EXPECT_TRUE(report.groups()[0].repeatHead);
    EXPECT_TRUE(TemplateWriter::write(report).contains(QStringLiteral("I,4,0,1,1,30,0,0,1,1")));
}
