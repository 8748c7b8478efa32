#pragma once

#include "StandDatabase.h"
#include "StandStore.h"

#include <QTemporaryDir>

namespace testsupport {

// A fresh stand database for one test: a temporary directory with its own settings file and a
// database directory "db" whose tables are created and open.
class TempStandDatabase {
    QTemporaryDir m_dir; // first: the database lives in it

  public:
    TempStandDatabase();

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString settingsFile() const { return path("Rivwood.INI"); }
    QString databaseDirectory() const { return path("db"); }

    StandDatabase database;
    StandStore store{database};
};

} // namespace testsupport
