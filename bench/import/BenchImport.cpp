// Generates a Mantax record file of 1,000 stands with 500 trees each, bulk-imports it into a fresh
// stand database and prints trees per second, with the time of the plain parse (reading, block
// splitting and conversion) and of the tally alone for comparison; the best of three rounds. The
// goal's ratio is taken on processor time, with the wall-clock ratio beside it.
// Usage: bench_import [STANDS] [TREES] [DIRECTORY]
#include "CaliperFile.h"
#include "DatabaseChooser.h"
#include "DatabaseStandSink.h"
#include "MantaxImport.h"
#include "MantaxStandReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// Processor time of the program, which other programs on the machine hardly change.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

const char* const kCodes[] = {"SM", "BK", "OL", "JS", "21", "34", "DB", "7"};

QByteArray generate(int stands, int trees) {
    QByteArray out;
    out.reserve(qsizetype(stands) * (trees * 14 + 120));
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    for (int s = 1; s <= stands; ++s) {
        out += "$A Porost " + QByteArray::number(s) + "\r\n";
        out += "$B Úsek " + QByteArray::number(s % 97) + "/" + QByteArray::number(s) + "\r\n";
        out += "$D 0" + QByteArray::number(1 + s % 9) + ".06.2023\r\n";
        for (int t = 0; t < trees; ++t) {
            const char* code = kCodes[next() % 8];
            const double d = 8 + (next() % 6000) / 100.0;
            out += "$1 " + QByteArray(code) + " " + QByteArray::number(d, 'f', 1) + "\r\n";
            if (t % 50 == 0)
                out += "$2 " + QByteArray(code) + " 0 " + QByteArray::number(150 + next() % 150) + "\r\n";
        }
        out += "$9\r\n";
    }
    return out;
}

// Counts the trees of the stands instead of storing them.
class CountingSink : public StandSink {
  public:
    long long trees = 0;
    int AllocateStandKey() override { return ++m_key; }
    void SaveStand(const TManualy225& stand, int) override {
        for (int i = 0; i < stand.count(); ++i)
            trees += (long long)stand.at(i).classes[0].trees;
    }

  private:
    int m_key = 0;
};

void assignAll(SpeciesAssignment& a) {
    a.Assign("21", "BO");
    a.Assign("34", "MD");
    a.Assign("7", "HB");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int stands = args.size() > 1 ? args[1].toInt() : 1000;
    const int trees = args.size() > 2 ? args[2].toInt() : 500;
    QTemporaryDir tmp(args.size() > 3 ? QDir(args[3]).filePath("bench_import-XXXXXX") : QString());
    if (stands < 1 || trees < 1 || !tmp.isValid()) {
        std::fprintf(stderr, "Použití: bench_import [POROSTY] [STROMY] [ADRESÁŘ]\n");
        return 2;
    }
    const QString file = tmp.filePath("MANTAX.TXT");
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(generate(stands, trees)) < 0)
            return 1;
    }
    const double totalTrees = double(stands) * trees;
    std::printf("Mantax file: %d stands x %d trees = %.0f trees, %.1f MB\n", stands, trees, totalTrees,
                QFileInfo(file).size() / 1e6);

    // Three rounds, the best of each figure counting: on a shared machine one run measures mostly
    // what the others were doing.
    double parseSeconds = 0, tallySeconds = 0, importSeconds = 0, parseCpu = 0, importCpu = 0;
    long long tallied = 0;
    BulkImportResult r;
    for (int round = 0; round < 3; ++round) {
        // Plain parse: reading, splitting into blocks, conversion and the code list.
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuSeconds();
        MantaxImport parsed;
        parsed.PrepareBulkImport(file);
        const double parse = timer.nsecsElapsed() / 1e9, parseProcessor = cpuSeconds() - cpu;

        // Tally alone: every block read from the file into a stand in memory.
        assignAll(parsed.assignment());
        timer.restart();
        CountingSink counted;
        parsed.ImportBulk(counted, ClassLayout::Make(4, 10));
        tallied = counted.trees;
        const double tally = timer.nsecsElapsed() / 1e9;

        // The whole bulk import into a fresh database, from the file on.
        const QString dbDir = tmp.filePath(QString("db%1").arg(round));
        QDir().mkpath(dbDir);
        StandDatabase db(tmp.filePath("Rivwood.INI"));
        if (!DatabaseChooser::UseDirectory(db, dbDir, [](const UserMessage&) { return true; }))
            return 1;
        StandStore store(db);
        timer.restart();
        cpu = cpuSeconds();
        MantaxImport import(tmp.filePath("Rivwood.INI"));
        import.PrepareBulkImport(file);
        assignAll(import.assignment());
        if (import.CheckOk() != SpeciesAssignment::Check::Ok) {
            std::fprintf(stderr, "assignment incomplete\n");
            return 1;
        }
        r = MantaxBulkImport::ImportIntoDatabase(import.lines(), import.blocks(), import.assignment(),
                                                 ClassLayout::Make(4, 10), store);
        const double whole = timer.nsecsElapsed() / 1e9, wholeProcessor = cpuSeconds() - cpu;
        parseSeconds = round == 0 ? parse : std::min(parseSeconds, parse);
        tallySeconds = round == 0 ? tally : std::min(tallySeconds, tally);
        importSeconds = round == 0 ? whole : std::min(importSeconds, whole);
        parseCpu = round == 0 ? parseProcessor : std::min(parseCpu, parseProcessor);
        importCpu = round == 0 ? wholeProcessor : std::min(importCpu, wholeProcessor);
    }

    std::printf("plain parse (read, split, convert, codes): %8.3f s  %10.0f trees/s\n", parseSeconds,
                totalTrees / parseSeconds);
    std::printf("tally into stands (memory):                %8.3f s  %10.0f trees/s  (%lld trees counted)\n",
                tallySeconds, totalTrees / tallySeconds, tallied);
    std::printf(
        "bulk import into a fresh database:         %8.3f s  %10.0f trees/s  (%zu stands, keys %d..%d)\n",
        importSeconds, totalTrees / importSeconds, r.keys.size(), r.keys.empty() ? 0 : r.keys.front(),
        r.keys.empty() ? 0 : r.keys.back());
    std::printf("bulk import / plain parse (goal <= 3):     %8.2f (processor %.3f s / %.3f s; wall %.2f)\n",
                importCpu / parseCpu, importCpu, parseCpu, importSeconds / parseSeconds);
    return r.keys.size() == size_t(stands) && tallied == (long long)totalTrees ? 0 : 1;
}
