#include "DatabaseChooser.h"

#include "DatabaseError.h"
#include "DatabaseSchema.h"
#include "IniFile.h"
#include "OldDatabaseDirectory.h"
#include "RivwoodError.h"
#include "SchemaUpgrade.h"
#include "SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

namespace DatabaseChooser {

namespace {

// The tables of an accepted directory: created when it was empty, then upgraded.
void prepareTables(StandDatabase& db, bool empty) {
    if (empty && (db.isReadOnly() || !StandDatabase::FilesWritable(db.directory())))
        throw DatabaseError(DatabaseError::ReadOnly,
                            QString("Do adresáře „%1“ nelze zapisovat, databázi porostů v něm nelze založit.")
                                .arg(QDir::toNativeSeparators(db.directory())));
    if (empty)
        db.CreateTables();
    db.CheckDatabaseFiles();
    db.close();
    if (db.complete())
        SchemaUpgrade::UpgradeTables(db);
}

// The tables of an accepted server database: created when there were none, then upgraded.
void prepareServerTables(StandDatabase& db, bool create) {
    if (create) {
        if (db.isReadOnly())
            throw DatabaseError(
                DatabaseError::ReadOnly,
                QString("Na serveru „%1“ nemáte práva založit tabulky databáze porostů.").arg(db.location()));
        db.CreateTables();
        db.CheckDatabaseFiles();
    }
    if (db.complete())
        SchemaUpgrade::UpgradeTables(db);
}

// Where the database is, to return to when the user cancels choosing another.
struct Location {
    ServerAddress server;
    QString directory;
};

Location locationOf(const StandDatabase& db) {
    return {db.server(), db.directory()};
}

void returnTo(StandDatabase& db, const Location& location) {
    if (!location.server.isEmpty()) {
        db.setServer(location.server);
        return;
    }
    db.setDirectory(location.directory);
    db.CheckDatabaseFiles();
}

// A database that takes no changes is told once, when it is opened.
void tellReadOnly(StandDatabase& db, const DatabaseDialogs& dialogs) {
    if (db.complete() && db.isReadOnly() && dialogs.show)
        dialogs.show(db.ReadOnlyMessage());
}

// Asks about an incomplete directory; on OK drops the older tables. Returns the "empty" flag to
// go on with, or nothing when refused.
std::optional<bool> settleIncomplete(StandDatabase& db, const YesNoQuestion& confirm) {
    if (db.complete() || db.empty())
        return db.empty();
    if (!(confirm && confirm(IncompleteQuestion())))
        return std::nullopt;
    db.DropOldTables();
    return true;
}

// The directory of the older program's database is told about and not used.
bool tellOld(const QString& directory, const DatabaseDialogs& dialogs) {
    if (!OldDatabaseDirectory::HoldsOldDatabase(directory))
        return false;
    if (dialogs.show)
        dialogs.show({UserMessage::Warning, OldDatabaseDirectory::Message(directory)});
    return true;
}

} // namespace

UserMessage IncompleteQuestion() {
    return {UserMessage::Warning, "Databázové soubory jsou neúplné, mají se založit nové ?"};
}

bool OpenDatabase(StandDatabase& db, const QString& defaultDirectory, const DatabaseDialogs& dialogs) {
    IniFile ini(db.settingsFile());
    bool valid = false;
    const QString server = !db.settingsFile().isEmpty() && ini.exists()
                               ? ini.ReadString(SettingsKeys::DataBase, SettingsKeys::Server).trimmed()
                               : QString();
    if (!server.isEmpty()) {
        try {
            if (UseServer(db, server, dialogs.confirm, dialogs.askPassword)) {
                tellReadOnly(db, dialogs);
                return true;
            }
        } catch (const RivwoodError& e) {
            if (dialogs.show)
                dialogs.show({UserMessage::Error, e.message()});
        }
    }
    if (!db.settingsFile().isEmpty() && ini.exists()) {
        const QString stored = ini.ReadString(SettingsKeys::DataBase, SettingsKeys::Path);
        db.setDirectory(stored);
        valid = !stored.isEmpty() && QFileInfo(stored).isDir() && !tellOld(stored, dialogs);
    }
    // The dialog starts in the default directory, made for it when missing, so that confirming
    // the offer is enough; it goes again when another directory is chosen.
    const bool madeDefault =
        !valid && !QFileInfo::exists(defaultDirectory) && QDir().mkpath(defaultDirectory);
    if (!valid)
        db.setDirectory(defaultDirectory);
    db.CheckDatabaseFiles();
    const bool ok = (db.complete() && valid) || ChooseDatabaseDirectory(db, dialogs);
    if (madeDefault && (!ok || QDir(db.directory()) != QDir(defaultDirectory)))
        QDir().rmdir(defaultDirectory);
    if (!ok) {
        if (dialogs.show)
            dialogs.show({UserMessage::Error, "Nebyla vybrána žádná databáze, program končí !"});
        return false;
    }
    if (!db.isOpen()) {
        db.close();
        prepareTables(db, db.empty());
        tellReadOnly(db, dialogs);
    }
    try {
        StoreLocation(db);
    } catch (const IoError&) {
        // The main window writes the key again when it closes; an unwritable settings file does
        // not stop the work with the database.
    }
    return true;
}

void StoreLocation(const StandDatabase& db) {
    if (db.settingsFile().isEmpty())
        return;
    IniFile ini(db.settingsFile());
    if (db.isServer()) {
        ini.WriteString(SettingsKeys::DataBase, SettingsKeys::Server, db.server().display());
        return;
    }
    if (!ini.ReadString(SettingsKeys::DataBase, SettingsKeys::Server).isEmpty())
        ini.WriteString(SettingsKeys::DataBase, SettingsKeys::Server, QString());
    ini.WriteString(SettingsKeys::DataBase, SettingsKeys::Path, QDir::toNativeSeparators(db.directory()));
}

bool ChooseDatabaseServer(StandDatabase& db, const DatabaseDialogs& dialogs) {
    const Location previous = locationOf(db);
    QString address = db.isServer() ? db.server().display() : QStringLiteral("postgresql://");
    for (;;) {
        const std::optional<QString> entered =
            dialogs.chooseServer ? dialogs.chooseServer(address) : std::nullopt;
        if (!entered) {
            returnTo(db, previous);
            return false;
        }
        address = *entered;
        try {
            if (!UseServer(db, address, dialogs.confirm, dialogs.askPassword))
                continue;
            tellReadOnly(db, dialogs);
            return true;
        } catch (const RivwoodError& e) {
            if (dialogs.show)
                dialogs.show({UserMessage::Error, e.message()});
        }
    }
}

bool UseServer(StandDatabase& db, const QString& address, const YesNoQuestion& confirm,
               const DatabaseDialogs::PasswordQuestion& askPassword) {
    db.setServer(ServerAddress(address));
    for (;;) {
        try {
            db.CheckDatabaseFiles();
            break;
        } catch (const DatabaseError& e) {
            if (e.cause() != DatabaseError::NeedsPassword || !askPassword)
                throw;
            const std::optional<QString> password = askPassword(db.location(), e.message());
            if (!password)
                throw;
            db.setPassword(*password);
        }
    }
    bool create = db.empty();
    if (!db.complete()) {
        if (!(confirm && confirm(IncompleteQuestion())))
            return false;
        create = true; // the missing tables are made; the ones there keep their rows
    }
    prepareServerTables(db, create);
    return db.complete();
}

bool ChooseDatabaseDirectory(StandDatabase& db, const DatabaseDialogs& dialogs) {
    const Location previous = locationOf(db);
    std::optional<bool> empty;
    while (!empty) {
        const std::optional<QString> file =
            dialogs.chooseFile ? dialogs.chooseFile(db.filesDirectory()) : std::nullopt;
        if (!file) {
            returnTo(db, previous);
            return false;
        }
        db.setDirectory(QFileInfo(*file).absolutePath());
        db.CheckDatabaseFiles();
        if (!db.complete() && db.empty())
            continue; // the directory does not exist
        if (dialogs.offerTakeOver && OldDatabaseDirectory::HoldsOldDatabase(db.directory())) {
            // A copy: the take-over moves the database elsewhere.
            const QString oldDirectory = db.directory();
            if (dialogs.offerTakeOver(oldDirectory))
                return true;
            continue;
        }
        if (tellOld(db.directory(), dialogs))
            continue;
        empty = settleIncomplete(db, dialogs.confirm);
    }
    prepareTables(db, *empty);
    tellReadOnly(db, dialogs);
    return true;
}

bool UseDirectory(StandDatabase& db, const QString& directory, const YesNoQuestion& confirm) {
    if (ServerAddress::IsServerAddress(directory))
        return UseServer(db, directory, confirm);
    if (!QFileInfo(directory).isDir())
        throw RivwoodError(
            QString("Adresář databáze „%1“ neexistuje.").arg(QDir::toNativeSeparators(directory)));
    OldDatabaseDirectory::Refuse(directory);
    db.setDirectory(QFileInfo(directory).absoluteFilePath());
    db.CheckDatabaseFiles();
    const std::optional<bool> empty = settleIncomplete(db, confirm);
    if (!empty)
        return false;
    prepareTables(db, *empty);
    return db.complete();
}

} // namespace DatabaseChooser
