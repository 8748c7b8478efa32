#pragma once

#include "StandDatabase.h"
#include "StandStore.h"
#include "TManualy225.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// Stands as the program stores them after the summary: species with filled diameter classes,
// the summary computed by the summary table, saved through the stand store.
struct StandPlan {
    QString river = QStringLiteral("Sázava");
    QString bank = QStringLiteral("L");
    QString riverKm = QStringLiteral("12,300");
    QString action = QStringLiteral("Revize břehů");
    int species = 4;
    QString comment;
    bool summary = true;
    double area = 8500;
};

StandPlan Stand(const QString& river, const QString& bank, const QString& riverKm, const QString& action,
                int species);
TManualy225 MakeReportStand(const StandPlan& plan, int seed);

// A fresh database directory with its tables, in a temporary directory of its own.
class ReportDatabase {
  public:
    ReportDatabase();
    bool isValid() const { return m_dir.isValid(); }
    QString directory() const { return m_dir.path(); }
    StandDatabase& database() { return *m_db; }
    StandStore& store() { return *m_store; }
    // Saves the stand under a new key and returns it.
    int add(const StandPlan& plan, int seed = 1);
    // STRANKA of a stand's species rows (-1 when it has none, -2 when they differ).
    int stranka(int key);

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<StandDatabase> m_db;
    std::unique_ptr<StandStore> m_store;
};
