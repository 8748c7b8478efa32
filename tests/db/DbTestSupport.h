#pragma once

#include "StandDatabase.h"
#include "StandSession.h"

#include <QJsonObject>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A fresh temporary database directory per test, with its own settings file.
class DbTest : public ::testing::Test {
  protected:
    void SetUp() override;

    QString dir() const { return m_dir.path(); }
    QString settings() const { return m_dir.filePath("Rivwood.INI"); }
    // Creates and upgrades the five tables in dir() and returns the open database.
    StandDatabase& openFresh();
    // A raw connection to one file of the directory, for building and inspecting tables.
    QSqlDatabase rawFile(const QString& fileName);
    void closeRaw();
    // Runs a statement on a raw connection; fails the test on an error.
    void rawExec(const QString& fileName, const QString& sql);
    // One value of a query on the attached connection.
    QVariant scalar(const QString& sql);

    QTemporaryDir m_dir;
    std::unique_ptr<StandDatabase> m_db;
    QStringList m_raw;
};

// The two places a stand database can be: a directory of table files, a database on the tests'
// own PostgreSQL server.
enum class Backend { Files, Server };
std::string BackendName(const ::testing::TestParamInfo<Backend>& info);

// A DbTest run on both: openFresh() gives a fresh database in dir() or on the server (the server
// runs are skipped, with the reason, where no server can be started).
class StoreTest : public DbTest, public ::testing::WithParamInterface<Backend> {
  protected:
    void SetUp() override;
    // Where a fresh database is: dir() or a new database's address.
    QString freshLocation();
    StandDatabase& openFresh();
};

// One run of rivwood-cli with a settings file; `input` goes to its standard input.
struct CliRun {
    int code = -1;
    QByteArray out, err;
    QJsonObject json() const;
};
CliRun RunCli(const QString& settings, QStringList args, const QByteArray& input = {});

// A stand of `species` species with `classes` filled classes each, every field set; species k has
// k + 2 sample heights.
StandSession MakeStand(int species, int classes, int seed = 1);
