// Saves and loads 1,000 stands of 8 species with 20 filled classes each through the stand store,
// and inserts the same rows with plain SQLite in one transaction as the floor to compare with.
// The bulk save, the load and the floor run in three rounds, the two backends and the floor side
// by side in each, and the best round of each counts: on a shared machine a single run measures
// mostly what the others were doing.
// Then 1, 4 and 8 writer processes save stands into one database at once, each save its own
// transaction as from the window or the command line: saves per second and the ratio to one
// writer. Everything runs on the table files and on a PostgreSQL server of the benchmark's own
// (a throwaway cluster with fsync on, on the same disk), side by side.
// Usage: bench_db [STANDS] [DIRECTORY] [SAVES PER WRITER]
//        bench_db --writer DIRECTORY|ADDRESS SAVES SEED   (one writer process, started by the benchmark)
#include "DatabaseChooser.h"
#include "SpeciesTables.h"
#include "SqlTransaction.h"
#include "StandStore.h"
#include "ThrowawayCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace {

constexpr int kSpecies = 8;
constexpr int kClasses = 20;

StandSession makeStand(int seed) {
    StandSession s;
    TManualy225& st = s.stand;
    st.river = QString("Tok %1").arg(seed % 50);
    st.bank = seed % 2 ? "L" : "P";
    st.riverKm = QString::number(seed);
    st.action = "Měření";
    st.designation = QString("Porost %1").arg(seed);
    st.area = 5000 + seed;
    const QStringList& all = SpeciesTables::DrevZkratky();
    for (int k = 0; k < kSpecies; ++k) {
        const QString abbr = all[k * 5];
        TManual225 e;
        e.abbreviation = StringToChars(abbr);
        e.curveSpecies = StringToChars(SpeciesTables::CurveSpeciesOf(abbr));
        e.tableSpecies = StringToChars(SpeciesTables::TableSpeciesOf(abbr));
        e.meanDiameter = 25 + k;
        e.meanHeight = 20 + k;
        e.computed = true;
        e.classes.resize(size_t(s.layout.ElementCount()));
        e.classCount = std::int16_t(e.classes.size());
        for (size_t i = 1; i < e.classes.size(); ++i)
            e.classes[i].centre = s.layout.Centre(int(i));
        for (int c = 1; c <= kClasses; ++c) {
            TTloustkoveStupne& el = e.classes[size_t(c)];
            el.trees = 1 + (c + seed) % 7;
            el.treeVolume = 0.05 * c;
            el.classVolume = el.trees * el.treeVolume;
            e.classes[0].trees += el.trees;
            e.classes[0].classVolume += el.classVolume;
        }
        e.totalStock = e.classes[0].classVolume;
        e.code = SpeciesTables::SpeciesCode(abbr);
        e.conifer = SpeciesTables::IsConifer(abbr);
        st.append(abbr, e);
    }
    return s;
}

// Processor seconds of this process, beside the wall clock: the disk is shared, the processor
// time shows the cost of the code itself.
double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

struct Timing {
    double wall = 0, cpu = 0;
};

class Stopwatch {
  public:
    Stopwatch() : m_cpu(cpuSeconds()) { m_wall.start(); }
    Timing elapsed() const { return {double(m_wall.nsecsElapsed()) / 1e9, cpuSeconds() - m_cpu}; }

  private:
    QElapsedTimer m_wall;
    double m_cpu;
};

Timing saveAll(StandStore& store, std::vector<StandSession>& stands, size_t count, bool oneTransaction) {
    Stopwatch t;
    std::optional<SqlTransaction> batch;
    if (oneTransaction)
        batch.emplace(store.database());
    for (size_t i = 0; i < count; ++i) {
        const int key = store.AllocateStandKey();
        store.SaveStand(stands[i].stand, key);
    }
    if (batch)
        batch->commit();
    return t.elapsed();
}

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The same rows with the SQLite C interface: prepared inserts, one transaction.
Timing plainFloor(const QString& directory, const std::vector<StandSession>& stands) {
    StandDatabase schemaOnly;
    DatabaseChooser::UseDirectory(schemaOnly, directory, {});
    schemaOnly.close();
    sqlite3* db = nullptr;
    check(sqlite3_open(QDir(directory).filePath("RivwoodPor.db").toUtf8().constData(), &db), db);
    for (const char* t : {"Dre", "Tlo", "Ses", "Vys"}) {
        const QString sql = QString("attach database '%1' as %2")
                                .arg(QDir(directory).filePath(QString("Rivwood%1.db").arg(t)), t);
        check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db);
    }
    auto prepare = [&](const char* sql) {
        sqlite3_stmt* s = nullptr;
        check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db);
        return s;
    };
    Stopwatch t;
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* por =
        prepare("insert into RivwoodPor (KLIC, USED, NazevTok, NazevBreh, NazevRKm, NazevAkce, PLOCHA, "
                "VEK, POC_DREV, KROVINY, POPIS, KOMENT, KODPOROSTU, DATUM, VYPOCTENO, SOUHRN) values "
                "(?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* dre = prepare("insert into RivwoodDre values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* tlo = prepare("insert into RivwoodTlo values (?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* ses =
        prepare("insert into RivwoodSes (KLIC, PLOCHA, ZAKM, DR_ZKR, DR_KOD, POR_V_ZAP, DR_ZAKM, DR_PLO, "
                "DR_PLO_RED, DR_PLO_RHA, DR_ZAST, JEHL, VYSKA, TLOUSTKA, JHK, GHA, DR_G, ZTJ, ZTL, ZT, "
                "ZHA, ZHA_JEHL, ZHA_LIST, DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL) values (?, ?, ?, ?, ?, ?, ?, "
                "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    auto text = [](sqlite3_stmt* s, int i, const QString& v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(s, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    };
    auto step = [&](sqlite3_stmt* s) {
        check(sqlite3_step(s), db);
        sqlite3_reset(s);
    };
    int key = 0;
    for (const StandSession& session : stands) {
        const TManualy225& st = session.stand;
        ++key;
        sqlite3_bind_int(por, 1, key);
        text(por, 2, st.river);
        text(por, 3, st.bank);
        text(por, 4, st.riverKm);
        text(por, 5, st.action);
        sqlite3_bind_double(por, 6, st.area);
        sqlite3_bind_int(por, 7, st.age);
        sqlite3_bind_int(por, 8, st.count());
        sqlite3_bind_double(por, 9, st.shrubArea);
        text(por, 10, st.designation);
        text(por, 11, st.comment);
        text(por, 12, st.code);
        text(por, 13, st.date);
        sqlite3_bind_int(por, 14, 1);
        sqlite3_bind_int(por, 15, 1);
        step(por);
        for (int p = 0; p < st.count(); ++p) {
            const TManual225& s = st.at(p);
            const QString zkr = CharsToString(s.abbreviation);
            sqlite3_bind_int(dre, 1, key);
            text(dre, 2, zkr);
            text(dre, 3, CharsToString(s.curveSpecies));
            text(dre, 4, CharsToString(s.tableSpecies));
            sqlite3_bind_int(dre, 5, s.curve);
            sqlite3_bind_double(dre, 6, s.meanDiameter);
            sqlite3_bind_int(dre, 7, s.meanDiameterComputed);
            sqlite3_bind_double(dre, 8, s.meanHeight);
            sqlite3_bind_int(dre, 9, s.computed);
            sqlite3_bind_double(dre, 10, s.tableStock);
            sqlite3_bind_int(dre, 11, s.classWidth);
            sqlite3_bind_int(dre, 12, int(s.classes.size()));
            sqlite3_bind_double(dre, 13, s.firstCentre);
            step(dre);
            for (size_t i = 1; i < s.classes.size(); ++i) {
                const TTloustkoveStupne& e = s.classes[i];
                if (!(e.trees > 0))
                    continue;
                sqlite3_bind_int(tlo, 1, key);
                text(tlo, 2, zkr);
                sqlite3_bind_double(tlo, 3, s.firstCentre + double(i - 1) * s.classWidth);
                sqlite3_bind_double(tlo, 4, e.trees);
                sqlite3_bind_double(tlo, 5, e.treeVolume);
                sqlite3_bind_double(tlo, 6, e.classVolume);
                step(tlo);
            }
            sqlite3_bind_int(ses, 1, key);
            sqlite3_bind_double(ses, 2, st.area);
            sqlite3_bind_double(ses, 3, s.standStocking);
            text(ses, 4, zkr);
            sqlite3_bind_int(ses, 5, s.code);
            sqlite3_bind_int(ses, 6, p + 1);
            const double values[] = {s.stocking, s.actualArea, s.reducedArea, s.reducedAreaShare, s.share};
            for (int i = 0; i < 5; ++i)
                sqlite3_bind_double(ses, 7 + i, values[i]);
            sqlite3_bind_int(ses, 12, s.conifer);
            const double more[] = {s.meanHeight, s.meanDiameter, double(s.curve), s.basalAreaPerHa,
                                   s.basalArea};
            for (int i = 0; i < 5; ++i)
                sqlite3_bind_double(ses, 13 + i, more[i]);
            for (int i = 18; i <= 26; ++i)
                sqlite3_bind_double(ses, i, s.tableStock + i);
            step(ses);
        }
    }
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    const Timing seconds = t.elapsed();
    for (sqlite3_stmt* s : {por, dre, tlo, ses})
        sqlite3_finalize(s);
    sqlite3_close(db);
    return seconds;
}

// One writer process: `saves` new stands, each in its own transaction.
int runWriter(const QString& location, int saves, int seed) {
    StandDatabase db;
    if (ServerAddress::IsServerAddress(location))
        db.setServer(ServerAddress(location));
    else
        db.setDirectory(location);
    StandStore store(db);
    for (int i = 0; i < saves; ++i)
        store.SaveNewStand(makeStand(seed * 1000 + i).stand);
    return 0;
}

// Wall seconds for `writers` processes of `saves` stands each on a fresh database.
double contention(const QString& directory, int writers, int saves) {
    if (!ServerAddress::IsServerAddress(directory))
        QDir().mkpath(directory);
    {
        StandDatabase db;
        DatabaseChooser::UseDirectory(db, directory, {});
    }
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer t;
    t.start();
    for (int w = 0; w < writers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->start(QCoreApplication::applicationFilePath(),
                 {"--writer", directory, QString::number(saves), QString::number(w + 1)});
        processes.push_back(std::move(p));
    }
    for (auto& p : processes)
        if (!p->waitForFinished(600000) || p->exitCode() != 0) {
            std::fprintf(stderr, "writer failed: %s\n", p->readAllStandardError().constData());
            std::exit(1);
        }
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

// Where the fresh databases of one backend are made: directories under the temporary one, or
// databases on the benchmark's server.
using FreshDatabase = std::function<QString(const QString& name)>;

struct Figures {
    Timing batchSave, singleSave, load;
    double writers[3] = {0, 0, 0}; // wall seconds of 1, 4, 8 writers
};
constexpr int kWriterCounts[3] = {1, 4, 8};

// The bulk save of all stands and their load, one stand after another, on a fresh database.
void bulk(const FreshDatabase& fresh, std::vector<StandSession>& stands, int count, Figures& f, bool first) {
    StandDatabase db;
    DatabaseChooser::UseDirectory(db, fresh("batch"), {});
    StandStore store(db);
    const Timing save = saveAll(store, stands, size_t(count), true);
    Stopwatch t;
    StandSession loaded;
    for (int key = 1; key <= count; ++key)
        store.LoadStand(loaded, key);
    const Timing load = t.elapsed();
    if (loaded.stand.count() != kSpecies) {
        std::fprintf(stderr, "load returned %d species\n", loaded.stand.count());
        std::exit(1);
    }
    if (first || save.wall < f.batchSave.wall)
        f.batchSave = save;
    if (first || load.wall < f.load.wall)
        f.load = load;
}

// One transaction per stand, and the writer processes.
void single(const FreshDatabase& fresh, std::vector<StandSession>& stands, int singleCount,
            int savesPerWriter, Figures& f) {
    {
        StandDatabase db;
        DatabaseChooser::UseDirectory(db, fresh("single"), {});
        StandStore store(db);
        f.singleSave = saveAll(store, stands, size_t(singleCount), false);
    }
    for (int i = 0; i < 3; ++i)
        f.writers[i] =
            contention(fresh(QString("writers%1").arg(kWriterCounts[i])), kWriterCounts[i], savesPerWriter);
}

void row(const char* what, const Timing& files, const Timing* server, int stands) {
    std::printf("%-44s %8.3f s %8.1f/s", what, files.wall, stands / files.wall);
    if (server)
        std::printf("   %8.3f s %8.1f/s   %5.2fx", server->wall, stands / server->wall,
                    server->wall / files.wall);
    std::printf("\n");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 5 && QString(argv[1]) == "--writer")
        return runWriter(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int savesPerWriter = argc > 3 ? std::max(1, std::atoi(argv[3])) : 25;
    // One transaction per stand costs a synchronous multi-file commit each (tens of ms on disk),
    // so that mode is measured on a tenth of the stands.
    const int singleCount = std::max(1, count / 10);
    QTemporaryDir tmp(argc > 2 ? QDir(argv[2]).filePath("bench_db-XXXXXX")
                               : QDir::tempPath() + "/bench_db-XXXXXX");
    if (!tmp.isValid())
        return std::fprintf(stderr, "no temporary directory\n"), 1;
    std::vector<StandSession> stands;
    for (int i = 0; i < count; ++i)
        stands.push_back(makeStand(i));
    const long rows = long(count) * (1 + kSpecies * (2 + kClasses));
    std::printf("%d stands, %d species x %d classes each (%ld rows in all), in %s\n", count, kSpecies,
                kClasses, rows, qPrintable(tmp.path()));

    int made = 0;
    const FreshDatabase directory = [&](const QString& name) {
        const QString path = QDir(tmp.path()).filePath(QString("%1-%2").arg(name).arg(++made));
        QDir().mkpath(path);
        return path;
    };
    QString whyNot;
    testsupport::ThrowawayCluster* cluster = testsupport::ThrowawayCluster::Shared(&whyNot, true);
    const FreshDatabase onServer = [&](const QString& name) {
        return cluster->CreateDatabase("bench_" + name);
    };
    if (!cluster)
        std::printf("no PostgreSQL server: %s\n", qPrintable(whyNot));
    Figures files;
    std::optional<Figures> server;
    if (cluster)
        server.emplace();
    Timing floor;
    for (int round = 0; round < 3; ++round) {
        bulk(directory, stands, count, files, round == 0);
        if (server)
            bulk(onServer, stands, count, *server, round == 0);
        const Timing plain = plainFloor(directory("plain"), stands);
        if (round == 0 || plain.wall < floor.wall)
            floor = plain;
    }
    single(directory, stands, singleCount, savesPerWriter, files);
    if (server)
        single(onServer, stands, singleCount, savesPerWriter, *server);

    std::printf("\n%-44s %21s   %21s   %6s\n", "", "SQLite (files)", "PostgreSQL", "PG/SQ");
    row("save, all stands in one transaction (bulk):", files.batchSave, server ? &server->batchSave : nullptr,
        count);
    row("load, one stand after another:", files.load, server ? &server->load : nullptr, count);
    const auto scaled = [&](const Timing& t) {
        return Timing{t.wall * count / singleCount, t.cpu * count / singleCount};
    };
    const Timing filesSingle = scaled(files.singleSave);
    const Timing serverSingle = server ? scaled(server->singleSave) : Timing{};
    std::printf("save, one transaction per stand (%d stands, scaled to %d):\n", singleCount, count);
    row("", filesSingle, server ? &serverSingle : nullptr, count);
    row("floor, plain SQLite inserts, one transaction:", floor, nullptr, count);
    std::printf("\nbulk save / floor (goal <= 1.3):                %5.2f\n",
                files.batchSave.wall / floor.wall);
    if (server) {
        std::printf("PostgreSQL / SQLite, save (goal <= 2):          %5.2f\n",
                    server->batchSave.wall / files.batchSave.wall);
        std::printf("PostgreSQL / SQLite, load (goal <= 2):          %5.2f\n",
                    server->load.wall / files.load.wall);
    }

    std::printf("\nconcurrent writer processes, %d saves each, one transaction per save (saves/s, x one "
                "writer):\n",
                savesPerWriter);
    for (int i = 0; i < 3; ++i) {
        const int w = kWriterCounts[i];
        const double rate = w * savesPerWriter / files.writers[i];
        std::printf("  %d writer%s SQLite %8.3f s %8.1f/s %5.2fx", w, w == 1 ? ": " : "s:", files.writers[i],
                    rate, rate / (savesPerWriter / files.writers[0]));
        if (server) {
            const double pg = w * savesPerWriter / server->writers[i];
            std::printf("   PostgreSQL %8.3f s %8.1f/s %5.2fx", server->writers[i], pg,
                        pg / (savesPerWriter / server->writers[0]));
        }
        std::printf("\n");
    }
    return 0;
}
