#pragma once

#include "StandDatabase.h"

#include <QString>
#include <QStringList>

// The five stand tables. NUMERIC columns hold doubles (declared DOUBLE, so SQLite keeps every
// value as a double), BOOLEAN columns 0/1, CHAR(n) columns texts of at most n characters.
namespace DatabaseSchema {

// CHAR widths of the text columns.
inline constexpr int NazevTokWidth = 20, NazevBrehWidth = 2, NazevRKmWidth = 16, NazevAkceWidth = 30,
                     PopisWidth = 80, KodPorostuWidth = 70, DatumWidth = 16, UserWidth = 80, ZkrWidth = 3;

// The change counter of the stand table, added by the upgrade: every write of a stand's row
// (allocation, save, deletion) counts it up, so a save can tell that someone else changed the
// stand since it was loaded.
inline constexpr const char* ChangeColumn = "ZMENA";

// The SQL type that stands for NUMERIC.
inline constexpr const char* Numeric = "DOUBLE";

// The CREATE TABLE statement of a table, in its first layout (RivwoodPor without the user
// identification columns, which the upgrade adds).
QString CreateStatement(StandDatabase::Table table);
// Tables of the older version that DropOldTables removes.
QStringList OldTableNames();

// Creates each table that is missing in the directory; a statement that fails (the table
// exists, the file is not a database) is skipped and the next one runs. The connection of `db`
// is closed first and reopens on the current directory at its next use.
void CreateTables(StandDatabase& db, const QString& directory);
// Creates each table that is missing in the server database of `db`, in its first layout like
// CreateTables, and the collation "czech". Tables that keep several rows per stand get a column
// "rowid" numbering the rows in the order they were written, as SQLite does by itself.
void CreateServerTables(StandDatabase& db);
// Drops the tables of the older version ("rivwoopor", "jhkdre", "jhktlo", "jhkses", "jhkvys"),
// each kept in its own file <name>.db of the directory; a file left without tables is removed.
// Every error is ignored.
void DropOldTables(StandDatabase& db, const QString& directory);

} // namespace DatabaseSchema
