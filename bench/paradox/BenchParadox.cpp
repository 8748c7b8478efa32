// Reads the five tables of an older program's stand database of 10,000 stands with 8 species
// each (10 filled classes and 3 sample heights a species, a comment a stand, every tenth one over
// 2 KiB) with the Paradox reader, every field of every record: records and stands per second,
// the floor for taking such a database over. The tables are written by pxlib first.
// Usage: bench_paradox [STANDS] [DIRECTORY]   (tables already in DIRECTORY are read as they are)
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

using testsupport::OldTableColumns;
using testsupport::OldTableKeyColumns;
using testsupport::ParadoxTableWriter;

// A row of the table with every column set from `seed`: text, numbers, flags, a memo.
std::vector<QVariant> row(const QString& table, int key, int seed) {
    std::vector<QVariant> values;
    for (const testsupport::OldColumn& c : OldTableColumns(table)) {
        switch (c.type) {
        case testsupport::OldColumn::Char:
            values.push_back(QString("Šř%1").arg(seed).left(c.size));
            break;
        case testsupport::OldColumn::Numeric:
            values.push_back(seed * 0.25);
            break;
        case testsupport::OldColumn::Smallint:
        case testsupport::OldColumn::Integer:
            values.push_back(seed % 30000);
            break;
        case testsupport::OldColumn::Boolean:
            values.push_back(seed % 2 == 0);
            break;
        case testsupport::OldColumn::Blob:
            values.push_back(QString("Poznámka k porostu %1. ").arg(key).repeated(key % 10 == 0 ? 120 : 2));
            break;
        }
    }
    values[0] = key;
    return values;
}

void writeTables(const QString& dir, int stands) {
    for (const char* table : kTables) {
        ParadoxTableWriter writer(QDir(dir).filePath(QString(table) + ".db"), OldTableColumns(table),
                                  OldTableKeyColumns(table));
        const int perStand = QString(table) == "RivwoodPor"   ? 1
                             : QString(table) == "RivwoodTlo" ? kSpecies * kClasses
                             : QString(table) == "RivwoodVys" ? kSpecies * kHeights
                                                              : kSpecies;
        for (int key = 1; key <= stands; ++key)
            for (int i = 0; i < perStand; ++i)
                writer.addRow(row(table, key, key * 100 + i));
    }
}

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
        writeTables(dir, stands);
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
    std::printf("\nreading every field of every table: %.3f s, %.0f stands/s\n", total.seconds,
                standsRead / total.seconds);
    return 0;
}
