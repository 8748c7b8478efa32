// Many rivwood-cli processes on one database at once, as a team on a shared drive or server:
// 8 writers of 25 stands each, with lists and loads in between; on table files and on a server.
#include "DbTestSupport.h"

#include "DatabaseChooser.h"
#include "IniFile.h"

#include <QDir>
#include <QJsonArray>
#include <QSet>
#include <QSqlQuery>
#include <chrono>
#include <thread>

namespace {

constexpr int kWriters = 8;
constexpr int kSaves = 25;
// The whole run stops by itself after this, whatever the processes do.
constexpr auto kDeadline = std::chrono::seconds(60);

QByteArray standJson(int writer, int n) {
    return QString(R"({"river":"Tok %1","bank":"L","riverKm":"%2","action":"Zátěž","area":5000,
      "species":[{"abbreviation":"SM","curveSpecies":"sm","tableSpecies":"sm","meanDiameter":30,
        "meanHeight":25,"classes":[[0,10,0.5,5],[10,4,0.4,1.6],[14,6,0.5666,3.4]]},
       {"abbreviation":"BK","curveSpecies":"bk","tableSpecies":"bk","classes":[[0,5,0.4,2],[10,5,0.4,2]]}]})")
        .arg(writer)
        .arg(n)
        .toUtf8();
}

// What one writer saw.
struct Writer {
    std::vector<int> keys; // reported by the saves that succeeded
    QStringList failures;  // stderr of every command that failed
    QStringList messages;  // every stderr text, failed or not
    bool finishedInTime = true;
};

void runWriter(const QString& settings, const QString& db, int w, Writer& out) {
    const auto stop = std::chrono::steady_clock::now() + kDeadline;
    auto record = [&](const CliRun& r) {
        if (!r.err.isEmpty())
            out.messages << QString::fromUtf8(r.err);
        if (r.code != 0)
            out.failures << QString::fromUtf8(r.err);
    };
    for (int n = 0; n < kSaves; ++n) {
        if (std::chrono::steady_clock::now() > stop) {
            out.finishedInTime = false;
            return;
        }
        const CliRun saved =
            RunCli(settings, {"db", "save", "-", "--db", db, "--duplicate", "yes"}, standJson(w, n));
        record(saved);
        if (saved.code == 0)
            out.keys.push_back(saved.json()["key"].toInt());
        if (n % 5 == 4 && !out.keys.empty()) {
            record(RunCli(settings, {"db", "list", "--db", db}));
            const CliRun loaded =
                RunCli(settings, {"db", "load", QString::number(out.keys.back()), "--db", db});
            record(loaded);
            if (loaded.code == 0 && loaded.json()["river"].toString() != QString("Tok %1").arg(w))
                out.failures << "stand " + QString::number(out.keys.back()) + " loaded with another river";
        }
    }
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Backends, StoreTest, ::testing::Values(Backend::Files, Backend::Server),
                         BackendName);

TEST_P(StoreTest, ConcurrentWritersListsAndLoadsKeepEveryStand) {
    IniFile(settings()).WriteString("DataBase", "BusyTimeout", "20");
    const QString location = freshLocation();
    std::vector<Writer> writers(kWriters);
    {
        std::vector<std::thread> threads;
        for (int w = 0; w < kWriters; ++w)
            threads.emplace_back(runWriter, settings(), location, w, std::ref(writers[size_t(w)]));
        for (std::thread& t : threads)
            t.join();
    }
    QSet<int> keys;
    int reported = 0;
    for (const Writer& w : writers) {
        EXPECT_TRUE(w.finishedInTime);
        EXPECT_TRUE(w.failures.isEmpty()) << w.failures.join("\n").toStdString();
        for (const QString& m : w.messages)
            EXPECT_FALSE(m.contains("poškozen")) << m.toStdString();
        reported += int(w.keys.size());
        for (int k : w.keys)
            keys.insert(k);
    }
    EXPECT_EQ(reported, kWriters * kSaves);
    EXPECT_EQ(keys.size(), reported) << "two saves reported one key";

    const CliRun list = RunCli(settings(), {"db", "list", "--db", location});
    QSet<int> listed;
    for (const QJsonValue& s : list.json()["stands"].toArray())
        listed.insert(s.toObject()["key"].toInt());
    EXPECT_EQ(listed, keys);
    if (GetParam() == Backend::Server) {
        m_db = std::make_unique<StandDatabase>(settings());
        m_db->setServer(ServerAddress(location));
        EXPECT_EQ(scalar("select count(*) from rivwooddre").toInt(), 2 * reported);
        return;
    }
    for (const char* file :
         {"RivwoodPor.db", "RivwoodDre.db", "RivwoodTlo.db", "RivwoodSes.db", "RivwoodVys.db"}) {
        QSqlQuery q(rawFile(file));
        ASSERT_TRUE(q.exec("pragma integrity_check") && q.next());
        EXPECT_EQ(q.value(0).toString(), "ok") << file;
    }
    QSqlQuery species(rawFile("RivwoodDre.db"));
    ASSERT_TRUE(species.exec("select count(*) from rivwooddre") && species.next());
    EXPECT_EQ(species.value(0).toInt(), 2 * reported);
    closeRaw();
}

TEST_P(StoreTest, SimultaneousSavesOfOneNewCodeStoreItOnce) {
    const QString location = freshLocation();
    {
        StandDatabase db(settings());
        ASSERT_TRUE(DatabaseChooser::UseDirectory(db, location, {}));
    }
    constexpr int kSavers = 12;
    std::vector<CliRun> runs(kSavers);
    {
        std::vector<std::thread> threads;
        for (int i = 0; i < kSavers; ++i)
            threads.emplace_back([&, i] {
                runs[size_t(i)] = RunCli(
                    settings(), {"db", "save", "-", "--db", location, "--duplicate", "no"}, standJson(0, 0));
            });
        for (std::thread& t : threads)
            t.join();
    }
    int stored = 0;
    for (const CliRun& r : runs) {
        if (r.code == 0)
            ++stored;
        else
            EXPECT_EQ(QString::fromUtf8(r.err).trimmed(), "Duplicitní kód porostu. Má se přesto uložit ?");
    }
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(RunCli(settings(), {"db", "list", "--db", location}).json()["stands"].toArray().size(), 1);
}
