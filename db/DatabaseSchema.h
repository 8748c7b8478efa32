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

// The copy record of the stand table, added by the upgrade after the change counter: where the
// stand was last copied from (the source database's location) and the change counter it had
// then. A save leaves them alone, so a stand's counter moving on from the copied one tells that
// it changed since.
inline constexpr const char* CopySourceColumn = "KOPIE_ZDROJ";
inline constexpr const char* CopyCounterColumn = "KOPIE_ZMENA";
inline constexpr int CopySourceWidth = 255;

// The SQL type that stands for NUMERIC.
inline constexpr const char* Numeric = "DOUBLE";

// The CREATE TABLE statement of a table, in its first layout (RivwoodPor without the user
// identification columns, which the upgrade adds).
QString CreateStatement(StandDatabase::Table table);
// Tables of the older version that DropOldTables removes.
QStringList OldTableNames();

// The lookup index of a table that keeps several rows per stand, by stand and species
// ("rivwoodtlo_klic").
QString StandIndexName(StandDatabase::Table table);
// The index of the free keys of the stand table, so that handing out a key does not read every
// stand.
inline constexpr const char* FreeKeyIndex = "rivwoodpor_volne";

} // namespace DatabaseSchema
