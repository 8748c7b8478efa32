// Reads the five tables of an older program's stand database of 10,000 stands with 8 species
// each (10 filled classes and 3 sample heights a species, a comment a stand, every tenth one over
// 2 KiB) with the Paradox reader, every field of every record: records and stands per second,
// the floor for taking such a database over. Then takes the stands over into a fresh SQLite
// database: stands per second, and its ratio to the floor. The tables are written by pxlib first.
// Usage: bench_paradox [STANDS] [DIRECTORY]   (tables already in DIRECTORY are read as they are)
#include "DatabaseChooser.h"
#include "OldDatabaseTakeOver.h"
#include "OldStandTables.h"
#include "ParadoxTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

namespace {

constexpr int kSpecies = 8, kClasses = 10, kHeights = 3;
const char* const kTables[] = {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes", "RivwoodVys"};

struct Pass {
    qint64 records = 0, bytes = 0;
    double seconds = 0;
};

Pass readTable(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    Pass p;
    ParadoxTable table(path);
    const int fields = int(table.header().fields.size());
    while (table.next()) {
        for (int f = 0; f < fields; ++f)
            (void)table.value(f);
        ++p.records;
    }
    p.seconds = timer.nsecsElapsed() / 1e9;
    p.bytes = QFileInfo(path).size() + QFileInfo(ParadoxTable::MemoPathOf(path)).size();
    return p;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int stands = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::optional<QTemporaryDir> temporary;
    QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (dir.isEmpty()) {
        temporary.emplace();
        dir = temporary->path();
    }
    if (QFileInfo::exists(QDir(dir).filePath("RivwoodPor.db"))) {
        std::printf("the tables in %s, as they are\n", qPrintable(dir));
    } else {
        QElapsedTimer timer;
        timer.start();
        testsupport::WriteOldDatabase(dir, stands, kSpecies, kClasses, kHeights);
        std::printf(
            "%d stands x %d species (%d classes, %d sample heights each) written by pxlib in %.1f s, in %s\n",
            stands, kSpecies, kClasses, kHeights, timer.nsecsElapsed() / 1e9, qPrintable(dir));
    }

    std::printf("\n%-12s %10s %10s %12s %10s\n", "table", "records", "MB", "records/s", "MB/s");
    Pass total;
    qint64 standsRead = 0;
    for (const char* table : kTables) {
        // The best of three reads: the files are in the page cache after the first.
        Pass best;
        for (int run = 0; run < 3; ++run) {
            const Pass p = readTable(QDir(dir).filePath(QString(table) + ".db"));
            if (run == 0 || p.seconds < best.seconds)
                best = p;
        }
        std::printf("%-12s %10lld %10.1f %12.0f %10.1f\n", table, best.records, best.bytes / 1e6,
                    best.records / best.seconds, best.bytes / 1e6 / best.seconds);
        if (QString(table) == "RivwoodPor")
            standsRead = best.records;
        total.records += best.records;
        total.bytes += best.bytes;
        total.seconds += best.seconds;
    }
    std::printf("%-12s %10lld %10.1f %12.0f %10.1f\n", "all", total.records, total.bytes / 1e6,
                total.records / total.seconds, total.bytes / 1e6 / total.seconds);
    const double floor = standsRead / total.seconds;
    std::printf("\nreading every field of every table: %.3f s, %.0f stands/s\n", total.seconds, floor);

    // The take-over into a fresh database, best of two.
    double best = 0;
    OldDatabaseTakeOver::Result result;
    for (int run = 0; run < 2; ++run) {
        QTemporaryDir target;
        StandDatabase db(target.filePath("Rivwood.INI"));
        QDir().mkpath(target.filePath("db"));
        DatabaseChooser::UseDirectory(db, target.filePath("db"), [](const UserMessage&) { return true; });
        QElapsedTimer timer;
        timer.start();
        result = OldDatabaseTakeOver::TakeOver(dir, db, false);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (run == 0 || seconds < best)
            best = seconds;
    }
    const double rate = double(result.imported.size()) / best;
    std::printf("taking over into a fresh SQLite database: %zu stands (%d sample heights, %zu skipped) in "
                "%.3f s, %.0f stands/s = %.2f x the read floor\n",
                result.imported.size(), result.heights, result.skipped.size(), best, rate, rate / floor);
    return 0;
}
