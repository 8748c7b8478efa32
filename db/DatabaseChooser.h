#pragma once

#include "StandDatabase.h"
#include "StandStore.h"
#include "UserMessage.h"

#include <functional>
#include <optional>

// What the directory choice needs from the windows.
struct DatabaseDialogs {
    // The file dialog "Výběr složky s databází" (file name "*.db", several files selectable),
    // started in the given directory: the chosen file name, of which only the directory is used,
    // or nothing when cancelled.
    std::function<std::optional<QString>(const QString& startDirectory)> chooseFile;
    // OK/No confirmation; true for OK.
    YesNoQuestion confirm;
    // A message box with an OK button.
    std::function<void(const UserMessage&)> show;
    // The dialog "Databázový server" asking for a server address, shown with the given one: the
    // address entered, or nothing when cancelled.
    std::function<std::optional<QString>(const QString& address)> chooseServer;
    // The password dialog, for a server that asks for a password that neither the address nor
    // ~/.pgpass gives, or refused the one typed: shown with the server's address and the
    // server's reason; the password typed, or nothing when cancelled.
    using PasswordQuestion =
        std::function<std::optional<QString>(const QString& address, const QString& reason)>;
    PasswordQuestion askPassword;
    // Offered when the directory chosen holds the older program's Paradox database: asks whether
    // to take its stands over, and where to. True when they were taken over into a new database,
    // which the database now is; false goes back to choosing. Without it the directory is told
    // about and the dialog comes again.
    std::function<bool(const QString& oldDirectory)> offerTakeOver;
};

// Finding, choosing, creating and upgrading the database directory.
namespace DatabaseChooser {

// At the first display of the main window: takes the server of the settings file
// ("DataBase"/"Server") when there is one and it can be used (else its error is shown), then the
// directory of "DataBase"/"Path" when it exists, else asks starting in the default directory (the program
// directory, or the user's data directory of an installed program), which is created for the
// dialog and removed again when left empty and unchosen; creates and upgrades the tables and
// writes the directory back to the settings file. False (after
// "Nebyla vybrána žádná databáze, program končí !") when no directory was chosen.
bool OpenDatabase(StandDatabase& db, const QString& defaultDirectory, const DatabaseDialogs& dialogs);

// "Nastavení adresáře": the dialog until a usable directory is chosen or the dialog is cancelled.
// An incomplete directory asks "Databázové soubory jsou neúplné, mají se založit nové ?"; OK
// drops the older tables and creates the missing ones, No shows the dialog again. A directory
// of the older program's Paradox database is never opened: its take-over is offered (or it is
// told about) and the dialog comes again unless the take-over made a new database. Cancelled:
// false, and the database keeps its previous directory. The settings file is not written.
bool ChooseDatabaseDirectory(StandDatabase& db, const DatabaseDialogs& dialogs);

// "Databázový server…": the address dialog until a server database is opened or the dialog is
// cancelled; an error of the server (unreachable, refused login, no rights) is shown and the
// dialog comes again. A server without the tables gets them; one with some of them asks as an
// incomplete directory does. Cancelled: false, and the database keeps its previous place. The
// settings file is not written.
bool ChooseDatabaseServer(StandDatabase& db, const DatabaseDialogs& dialogs);

// Uses a server database without a dialog: created and upgraded as by UseDirectory. False when
// the question about incomplete tables was refused; a fault of the address or the server is a
// RivwoodError. A server that asks for a password asks `askPassword` (until it takes the one
// typed or the dialog is cancelled); the password then serves the rest of the run.
bool UseServer(StandDatabase& db, const QString& address, const YesNoQuestion& confirm,
               const DatabaseDialogs::PasswordQuestion& askPassword = {});

// Writes where the database is into the settings file: "Server" for a server (without password),
// else "Path" with "Server" cleared.
void StoreLocation(const StandDatabase& db);

// Uses the given directory without a dialog (the command line); a server address
// (postgresql://…) is taken as by UseServer: an empty directory gets its
// tables, an incomplete one gets them when `confirm` says OK to the same question; then the
// tables are upgraded. False when the question was refused; a directory that does not exist, or
// that holds the older program's Paradox database, is a RivwoodError.
bool UseDirectory(StandDatabase& db, const QString& directory, const YesNoQuestion& confirm);

// The question about an incomplete directory.
UserMessage IncompleteQuestion();

} // namespace DatabaseChooser
