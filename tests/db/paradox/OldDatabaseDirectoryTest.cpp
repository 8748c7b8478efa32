#include "OldDatabaseDirectory.h"
#include "DatabaseChooser.h"
#include "IniFile.h"
#include "OldStandTables.h"
#include "ParadoxFixtures.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"
#include "StandDatabase.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

const QStringList Tables = {"RivwoodPor", "RivwoodDre", "RivwoodTlo", "RivwoodSes", "RivwoodVys"};

void writeOldTables(const QString& dir, const QStringList& tables) {
    for (const QString& t : tables)
        testsupport::WriteOldTable(dir, t, t == "RivwoodPor" ? StandRows() : Rows{});
}

bool isOldVersionMessage(const QString& message) {
    return message.contains("starší verze");
}

} // namespace

TEST(OldDatabaseDirectory, TellsParadoxTablesFromOtherFiles) {
    QTemporaryDir empty, old, lowerCase, sqlite, garbage;
    EXPECT_FALSE(OldDatabaseDirectory::HoldsOldDatabase(empty.path()));

    writeOldTables(old.path(), Tables);
    EXPECT_TRUE(OldDatabaseDirectory::HoldsOldDatabase(old.path()));

    writeOldTables(lowerCase.path(), {"RivwoodTlo"});
    QDir(lowerCase.path()).rename("RivwoodTlo.db", "rivwoodtlo.DB");
    EXPECT_TRUE(OldDatabaseDirectory::HoldsOldDatabase(lowerCase.path()));

    StandDatabase db(QDir(sqlite.path()).filePath("Rivwood.INI"));
    ASSERT_TRUE(DatabaseChooser::UseDirectory(db, sqlite.path(), {}));
    db.close();
    EXPECT_FALSE(OldDatabaseDirectory::HoldsOldDatabase(sqlite.path()));

    testsupport::writeFile(QDir(garbage.path()).filePath("RivwoodPor.db"), QByteArray(5000, '\x01'));
    EXPECT_FALSE(OldDatabaseDirectory::HoldsOldDatabase(garbage.path()));
}

TEST(OldDatabaseDirectory, IsNeitherOpenedNorChangedAsSqlite) {
    QTemporaryDir old, incomplete, work;
    writeOldTables(old.path(), Tables);
    // Two of the tables and one of the older layout: what the question about incomplete files
    // would drop and complete.
    writeOldTables(incomplete.path(), {"RivwoodPor", "RivwoodDre"});
    QFile::copy(QDir(old.path()).filePath("RivwoodTlo.db"), QDir(incomplete.path()).filePath("jhktlo.db"));
    const auto oldFiles = testsupport::directoryContents(old.path());
    const auto incompleteFiles = testsupport::directoryContents(incomplete.path());
    const QString settings = QDir(work.path()).filePath("Rivwood.INI");

    for (const QString& dir : {old.path(), incomplete.path()}) {
        StandDatabase db(settings);
        try {
            DatabaseChooser::UseDirectory(db, dir, [](const UserMessage&) { return true; });
            ADD_FAILURE() << "an old directory was used";
        } catch (const RivwoodError& e) {
            EXPECT_TRUE(isOldVersionMessage(e.message())) << e.message().toStdString();
        }
        db.setDirectory(dir);
        EXPECT_THROW(db.open(), RivwoodError);
    }

    // The window tells about it and asks for another directory; the stored one is not used.
    IniFile(settings).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, old.path());
    QStringList shown;
    QStringList chosen = {QDir(incomplete.path()).filePath("RivwoodPor.db")};
    int dialogs = 0;
    DatabaseDialogs d;
    d.chooseFile = [&](const QString&) -> std::optional<QString> {
        ++dialogs;
        return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen.takeFirst());
    };
    d.confirm = [](const UserMessage&) { return true; };
    d.show = [&](const UserMessage& m) { shown << m.text; };
    StandDatabase db(settings);
    EXPECT_FALSE(DatabaseChooser::OpenDatabase(db, work.path(), d));
    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(isOldVersionMessage(shown[0]) && shown[0].contains(QDir::toNativeSeparators(old.path())));
    EXPECT_TRUE(isOldVersionMessage(shown[1]) &&
                shown[1].contains(QDir::toNativeSeparators(incomplete.path())));
    EXPECT_EQ(shown[2], "Nebyla vybrána žádná databáze, program končí !");

    EXPECT_EQ(testsupport::directoryContents(old.path()), oldFiles);
    EXPECT_EQ(testsupport::directoryContents(incomplete.path()), incompleteFiles);
}
