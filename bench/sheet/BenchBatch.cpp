// The computation of 1,000 bulk-imported stands of 3 species (db compute): a Mantax file with
// mean heights is bulk-imported into a fresh database, then every stand is loaded, computed
// species by species as the buttons do, summarised and saved. The floor is the same computation
// and summary on the stands in memory, without the database.
// Usage: bench_batch [STANDS] [TREES] [DIRECTORY]
#include "DatabaseChooser.h"
#include "DatabaseStandSink.h"
#include "MantaxBulkImport.h"
#include "MantaxImport.h"
#include "SheetComputation.h"
#include "StandBatch.h"
#include "TallySheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* const kCodes[] = {"SM", "BK", "OL"};

QByteArray generate(int stands, int trees) {
    QByteArray out;
    unsigned seed = 4711;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    for (int s = 1; s <= stands; ++s) {
        out += "$A Porost " + QByteArray::number(s) + "\r\n$B B" + QByteArray::number(s) +
               "\r\n$D 01.06.2023\r\n";
        for (int t = 0; t < trees; ++t)
            out += "$1 " + QByteArray(kCodes[t % 3]) + " " +
                   QByteArray::number(12 + (next() % 4000) / 100.0, 'f', 1) + "\r\n";
        for (const char* code : kCodes)
            out += "$2 " + QByteArray(code) + " 0 " + QByteArray::number(180 + next() % 80) + "\r\n";
        out += "$9\r\n";
    }
    return out;
}

// Computes and summarises each imported stand in memory, as the sheet's buttons do.
class ComputingSink : public StandSink {
  public:
    explicit ComputingSink(QString refDir) : m_refDir(std::move(refDir)) {}
    int computed = 0;
    int AllocateStandKey() override { return ++m_key; }
    void SaveStand(const TManualy225& stand, int) override {
        TallySheet sheet(nullptr, m_refDir);
        StandSession session;
        session.stand = stand;
        sheet.open({OpenedStand::Origin::CommandLine, session, 0, {}});
        for (const SpeciesComputation& c : ComputeAllSpecies(sheet))
            computed += c.computed();
        sheet.summary().show();
    }

  private:
    QString m_refDir;
    int m_key = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int stands = args.size() > 1 ? args[1].toInt() : 1000;
    const int trees = args.size() > 2 ? args[2].toInt() : 90;
    QTemporaryDir tmp(args.size() > 3 ? QDir(args[3]).filePath("bench_batch-XXXXXX") : QString());
    if (stands < 1 || trees < 3 || !tmp.isValid()) {
        std::fprintf(stderr, "Použití: bench_batch [POROSTY] [STROMY] [ADRESÁŘ]\n");
        return 2;
    }
    // The reference files the build wrote beside the programs.
    const QString refDir = QString::fromUtf8(RIVWOOD_REFERENCE_DIR);
    const QString file = tmp.filePath("MANTAX.TXT");
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(generate(stands, trees)) < 0)
            return 1;
    }
    MantaxImport import(tmp.filePath("Rivwood.INI"));
    import.PrepareBulkImport(file);
    if (import.CheckOk() != SpeciesAssignment::Check::Ok)
        return 1;

    // Floor: the sheet's computation and the summary of every stand in memory.
    QElapsedTimer timer;
    timer.start();
    ComputingSink inMemory(refDir);
    import.ImportBulk(inMemory, StandSession().layout);
    const int computedInMemory = inMemory.computed;
    const double floorSeconds = timer.nsecsElapsed() / 1e9;

    QDir().mkpath(tmp.filePath("db"));
    StandDatabase db(tmp.filePath("Rivwood.INI"));
    if (!DatabaseChooser::UseDirectory(db, tmp.filePath("db"), [](const UserMessage&) { return true; }))
        return 1;
    StandStore store(db);
    const BulkImportResult imported = MantaxBulkImport::ImportIntoDatabase(
        import.lines(), import.blocks(), import.assignment(), ClassLayout::Make(4, 10), store);
    timer.restart();
    const StandBatchResult r = ComputeStands(store, refDir, imported.keys);
    const double batchSeconds = timer.nsecsElapsed() / 1e9;

    std::printf("stands: %d x 3 species, %d trees each\n", stands, trees);
    std::printf("in memory (compute + summary):          %8.3f s  %8.0f stands/s  (%d species computed)\n",
                floorSeconds, stands / floorSeconds, computedInMemory);
    std::printf(
        "db compute (load, compute, save):        %8.3f s  %8.0f stands/s  (%zu computed, %zu skipped)\n",
        batchSeconds, stands / batchSeconds, r.computed.size(), r.skipped.size());
    std::printf("db compute / in memory:                  %8.2f\n", batchSeconds / floorSeconds);
    return r.computed.size() == size_t(stands) ? 0 : 1;
}
