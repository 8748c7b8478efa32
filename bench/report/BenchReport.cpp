// bench_report [STANDS] [SPECIES] [LARGE]: builds a stand database (default 1,000 stands of 8 species
// on 20 rivers), then times the stand report of all stands: the page numbering, the composition
// alone, the PDF (against the composition: goal at most 1.5 times, at least 1,000 pages a second) and
// the text export, and the report of one stand. Then the report of one stand in databases of 10 and
// of LARGE (default 10,000) stands: the first run (goal at most 0.5 s for the large one), with nothing
// changed since, and right after that stand was saved again; and whether every stand's page number is
// the page the engine composes it on in the whole report. Times are wall-clock seconds, with the
// program's processor time beside them (what other programs on the machine hardly change).
#include "ClassLayout.h"
#include "DatabaseChooser.h"
#include "ReportTextExport.h"
#include "SpeciesTables.h"
#include "SqlTransaction.h"
#include "StandPages.h"
#include "StandStore.h"
#include "SummaryTable.h"
#include "TFJHKSest.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <vector>

namespace {

TManualy225 makeStand(int seed, int species) {
    TManualy225 st;
    st.designation = QStringLiteral("Porost %1").arg(seed);
    st.date = QStringLiteral("14.10.2026");
    st.river = QStringLiteral("Tok %1").arg(seed % 20, 2, 10, QLatin1Char('0'));
    st.bank = seed % 2 ? QStringLiteral("L") : QStringLiteral("P");
    st.riverKm = QStringLiteral("%1,%2").arg(seed / 40).arg(seed % 10 * 100, 3, 10, QLatin1Char('0'));
    st.action = QStringLiteral("Akce %1").arg(seed % 3);
    st.comment = QStringLiteral("Břehový porost, zápoj mezernatý.");
    st.area = 5000 + seed % 50 * 100;
    st.shrubArea = 100;
    st.age = 30 + seed % 60;
    const ClassLayout layout = ClassLayout::Make(4, 10);
    const QStringList& all = SpeciesTables::DrevZkratky();
    for (int k = 0; k < species && k < all.size(); ++k) {
        const QString abbr = all[(k * 5 + seed) % all.size()];
        TManual225 e;
        e.abbreviation = StringToChars(abbr);
        e.curveSpecies = StringToChars(SpeciesTables::CurveSpeciesOf(abbr));
        e.tableSpecies = StringToChars(SpeciesTables::TableSpeciesOf(abbr));
        e.classes.resize(size_t(layout.ElementCount()));
        e.classCount = std::int16_t(e.classes.size());
        double trees = 0, volume = 0, d2 = 0;
        for (int c = 1; c < layout.ElementCount(); ++c) {
            TTloustkoveStupne& el = e.classes[size_t(c)];
            el.centre = layout.Centre(c);
            if (c >= 3 && c <= 10) {
                el.trees = 1 + (c + k + seed) % 9;
                el.treeVolume = 0.0004 * std::pow(el.centre, 2.2);
                el.classVolume = el.trees * el.treeVolume;
                trees += el.trees;
                volume += el.classVolume;
                d2 += el.trees * el.centre * el.centre;
            }
        }
        e.classes[0].trees = trees;
        e.classes[0].classVolume = volume;
        e.classes[0].treeVolume = volume / trees;
        e.meanDiameter = std::round(std::sqrt(d2 / trees) * 10) / 10;
        e.meanHeight = 15 + (k + seed) % 12;
        e.computed = true;
        st.append(abbr, e);
    }
    SummaryTable table;
    table.Fill(st);
    table.Compute(st);
    st.summary = true;
    return st;
}

double seconds(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e9;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// Wall-clock and processor seconds since start() or the last lap().
struct Stopwatch {
    QElapsedTimer wall;
    double cpu = 0;
    void start() {
        wall.start();
        cpu = cpuSeconds();
    }
    std::pair<double, double> lap() {
        const std::pair<double, double> r{seconds(wall), cpuSeconds() - cpu};
        start();
        return r;
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Whether every stand holds as STRANKA the page the engine composes it on in the report of all stands
// (laid out whole, without the printing range's last page).
void checkPages(StandDatabase& db, TFJHKSest& sest) {
    sest.ChooseTemplate();
    sest.ReadPageLayout();
    sest.SJHKVysC.EndPage = std::numeric_limits<int>::max();
    const std::optional<TFJHKSest::Layout> layout = sest.LayOutStands();
    int same = 0, differ = 0, beyond = 0;
    for (const StandPages::Stand& s : StandPages::Read(db, {})) {
        const auto found = layout->firstPages.find(s.key);
        const int composed = found == layout->firstPages.end() ? 0 : found->second;
        (s.page == composed ? same : differ)++;
        beyond += composed > 9999;
    }
    std::printf("  page numbers against the composed report of %d pages: %d equal, %d differ%s\n",
                layout->pageCount, same, differ,
                beyond ? qPrintable(QStringLiteral(" (%1 stands lie beyond page 9,999, which a layout cut at "
                                                   "the printing range's last page left at 0)")
                                        .arg(beyond))
                       : "");
}

// The report of one stand (numbering and composition) in a database of `stands` stands.
void oneStand(int stands, int species) {
    QTemporaryDir dir;
    StandDatabase db(dir.filePath(QStringLiteral("Rivwood.INI")));
    DatabaseChooser::UseDirectory(db, dir.path(), [](const UserMessage&) { return true; });
    StandStore store(db);
    {
        SqlTransaction tx(db);
        for (int i = 0; i < stands; ++i)
            store.SaveStand(makeStand(i, species), store.AllocateStandKey());
        tx.commit();
    }
    TFJHKSest sest(db);
    sest.setTemplateDirectory(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const int key = stands / 2 + 1;
    Stopwatch t;
    t.start();
    sest.PrintStand(key);
    const auto [first, firstCpu] = t.lap();
    std::vector<double> unchanged, resaved;
    for (int run = 0; run < 5; ++run) {
        t.start();
        sest.PrintStand(key);
        unchanged.push_back(t.lap().first);
        store.SaveStand(makeStand(key - 1, species), key);
        t.start();
        sest.PrintStand(key);
        resaved.push_back(t.lap().first);
    }
    std::printf("one stand of %5d: first run %.3f s (processor %.3f s); then %.4f s unchanged, %.4f s after "
                "saving it again\n",
                stands, first, firstCpu, median(unchanged), median(resaved));
    if (stands >= 10000)
        std::printf("first one-stand print of %d / 0.5 s (goal <= 1):      %.2f (wall; processor %.2f)\n",
                    stands, first / 0.5, firstCpu / 0.5);
    checkPages(db, sest);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int stands = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int species = argc > 2 ? std::atoi(argv[2]) : 8;
    const int large = argc > 3 ? std::atoi(argv[3]) : 10000;
    QTemporaryDir dir;
    StandDatabase db(dir.filePath(QStringLiteral("Rivwood.INI")));
    DatabaseChooser::UseDirectory(db, dir.path(), [](const UserMessage&) { return true; });
    StandStore store(db);
    Stopwatch t;
    t.start();
    {
        SqlTransaction tx(db);
        for (int i = 0; i < stands; ++i)
            store.SaveStand(makeStand(i, species), store.AllocateStandKey());
        tx.commit();
    }
    std::printf("database: %d stands x %d species saved in %.2f s\n", stands, species, t.lap().first);

    TFJHKSest sest(db);
    sest.setTemplateDirectory(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    std::pair<double, double> compose{};
    int pages = 0;
    sest.Preview = [&](TSestava& report) {
        Stopwatch c;
        c.start();
        const int result = report.compose();
        compose = c.lap();
        pages = report.output().pageCount();
        return result == TSestavaD::ComposeOk;
    };
    t.start();
    if (!sest.PrintAllStands()) {
        std::fprintf(stderr, "composition failed: %s\n", qPrintable(sest.SJHKVysC.errorString()));
        return 1;
    }
    const auto whole = t.lap();
    std::printf("all stands: %d pages; composition %.3f s (processor %.3f s) = %.0f pages/s\n", pages,
                compose.first, compose.second, pages / compose.second);
    std::printf("page numbering: %.3f s (processor %.3f s)\n", whole.first - compose.first,
                whole.second - compose.second);

    const QString pdf = dir.filePath(QStringLiteral("sestava.pdf"));
    t.start();
    if (!sest.SJHKVysC.exportPdf(pdf)) {
        std::fprintf(stderr, "PDF failed: %s\n", qPrintable(sest.SJHKVysC.errorString()));
        return 1;
    }
    const auto pdfTime = t.lap();
    std::printf("PDF: %.3f s (processor %.3f s) = %.0f pages/s, %.1f MB\n", pdfTime.first, pdfTime.second,
                pages / pdfTime.second, QFileInfo(pdf).size() / 1048576.0);
    std::printf("PDF / composition (goal <= 1.5):                      %.2f (processor; wall %.2f)\n",
                pdfTime.second / compose.second, pdfTime.first / compose.first);
    std::printf("PDF pages per second / 1,000 (goal >= 1):             %.2f (processor; wall %.2f)\n",
                pages / pdfTime.second / 1000, pages / pdfTime.first / 1000);

    t.start();
    ReportTextExport text = ReportTextExport::forReport(sest.SJHKVysC);
    text.language = slCP852;
    text.exportToFile(sest.SJHKVysC.output(), dir.filePath(QStringLiteral("sestava.txt")));
    const auto textTime = t.lap();
    std::printf("text export (cp852): %.3f s (%.0f pages/s)\n", textTime.first, pages / textTime.first);

    t.start();
    sest.PrintStand(stands / 2);
    std::printf("one stand (pages numbered before): %.3f s, %d page(s)\n", t.lap().first,
                sest.SJHKVysC.output().pageCount());

    oneStand(10, species);
    if (large > 0)
        oneStand(large, species);
    return 0;
}
