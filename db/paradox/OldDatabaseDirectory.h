#pragma once

#include <QString>

// The directory of the older program's stand database: its table files carry our names
// (Rivwood*.db) but hold Paradox tables. Such a directory is never opened or written as SQLite.
namespace OldDatabaseDirectory {

// True when a Rivwood*.db file of the directory (any case) begins with a Paradox table header.
bool HoldsOldDatabase(const QString& directory);
// What the user reads about such a directory.
QString Message(const QString& directory);
// A RivwoodError with that message when the directory holds an old database.
void Refuse(const QString& directory);

} // namespace OldDatabaseDirectory
