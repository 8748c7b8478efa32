// bench_report [STANDS] [SPECIES]: builds a stand database (default 1,000 stands of 8 species on 20
// rivers), then times the stand report of all stands: the page numbering (a layout pass over every
// stand and the STRANKA updates), the composition alone, the PDF and the text export, and the report
// of one stand. Then the report of one stand in databases of 10 and of 10,000 stands, once the
// pages have been numbered: with nothing changed since, and right after that stand was saved again.
#include "ClassLayout.h"
#include "DatabaseChooser.h"
#include "ReportTextExport.h"
#include "SpeciesTables.h"
#include "SqlTransaction.h"
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The report of one stand (numbering and composition) in a database of `stands` stands.
void oneStand(int stands, int species) {
    QTemporaryDir dir;
    StandDatabase db(dir.filePath(QStringLiteral("Rivwood.INI")));
    DatabaseChooser::UseDirectory(db, dir.path(), [](const UserMessage&) { return true; });
    StandStore store(db);
    {
        SqlTransaction tx(db.connection());
        for (int i = 0; i < stands; ++i)
            store.SaveStand(makeStand(i, species), store.AllocateStandKey());
        tx.commit();
    }
    TFJHKSest sest(db);
    sest.setTemplateDirectory(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const int key = stands / 2 + 1;
    QElapsedTimer t;
    t.start();
    sest.PrintStand(key);
    const double first = seconds(t);
    std::vector<double> unchanged, resaved;
    for (int run = 0; run < 5; ++run) {
        t.restart();
        sest.PrintStand(key);
        unchanged.push_back(seconds(t));
        store.SaveStand(makeStand(key - 1, species), key);
        t.restart();
        sest.PrintStand(key);
        resaved.push_back(seconds(t));
    }
    std::printf("one stand of %5d: first run %.3f s; then %.4f s unchanged, %.4f s after saving it again\n",
                stands, first, median(unchanged), median(resaved));
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
    QElapsedTimer t;
    t.start();
    {
        SqlTransaction tx(db.connection());
        for (int i = 0; i < stands; ++i)
            store.SaveStand(makeStand(i, species), store.AllocateStandKey());
        tx.commit();
    }
    std::printf("database: %d stands x %d species saved in %.2f s\n", stands, species, seconds(t));

    TFJHKSest sest(db);
    sest.setTemplateDirectory(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    double composeTime = 0;
    int pages = 0;
    sest.Preview = [&](TSestava& report) {
        QElapsedTimer c;
        c.start();
        const int result = report.compose();
        composeTime = seconds(c);
        pages = report.output().pageCount();
        return result == TSestavaD::ComposeOk;
    };
    t.restart();
    if (!sest.PrintAllStands()) {
        std::fprintf(stderr, "composition failed: %s\n", qPrintable(sest.SJHKVysC.errorString()));
        return 1;
    }
    const double whole = seconds(t);
    std::printf("all stands: %d pages; composition %.3f s = %.0f pages/s; with page numbering %.3f s\n",
                pages, composeTime, pages / composeTime, whole);
    std::printf("page numbering (layout pass over all stands + STRANKA): %.3f s\n", whole - composeTime);

    const QString pdf = dir.filePath(QStringLiteral("sestava.pdf"));
    t.restart();
    if (!sest.SJHKVysC.exportPdf(pdf)) {
        std::fprintf(stderr, "PDF failed: %s\n", qPrintable(sest.SJHKVysC.errorString()));
        return 1;
    }
    const double pdfTime = seconds(t);
    std::printf("PDF: %.3f s (%.0f pages/s, %.1f MB)\n", pdfTime, pages / pdfTime,
                QFileInfo(pdf).size() / 1048576.0);

    t.restart();
    ReportTextExport text = ReportTextExport::forReport(sest.SJHKVysC);
    text.language = slCP852;
    text.exportToFile(sest.SJHKVysC.output(), dir.filePath(QStringLiteral("sestava.txt")));
    const double textTime = seconds(t);
    std::printf("text export (cp852): %.3f s (%.0f pages/s)\n", textTime, pages / textTime);

    t.restart();
    sest.PrintStand(stands / 2);
    std::printf("one stand (pages numbered before): %.3f s, %d page(s)\n", seconds(t),
                pages = sest.SJHKVysC.output().pageCount());

    oneStand(10, species);
    if (large > 0)
        oneStand(large, species);
    return 0;
}
