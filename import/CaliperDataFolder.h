#pragma once

#include <QString>

// The folder of the last caliper data file, kept in "PrumerkaData" ("Mantax" or "Vaduz").
namespace CaliperDataFolder {

// Where the file dialog starts: the remembered folder when it exists, else the program directory.
QString StartFolder(const QString& settingsPath, const char* key, const QString& programDirectory);
// Remembers the folder of a chosen file.
void Remember(const QString& settingsPath, const char* key, const QString& fileName);

// The file filters of the caliper dialogs: the caliper's own files first (a Vaduz report is a
// *.DAT or a *.TXT file), then every file.
inline constexpr const char* MantaxFilter = "Registrační průměrka (*.TXT)|*.TXT|Všechny soubory (*)|*";
inline constexpr const char* VaduzFilter =
    "Registrační průměrka (*.DAT, *.TXT)|*.DAT;*.TXT|Všechny soubory (*)|*";

} // namespace CaliperDataFolder
