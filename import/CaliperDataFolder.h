#pragma once

#include <QString>

// The folder of the last caliper data file, kept in "PrumerkaData" ("Mantax" or "Vaduz").
namespace CaliperDataFolder {

// Where the file dialog starts: the remembered folder when it exists, else the program directory.
QString StartFolder(const QString& settingsPath, const char* key, const QString& programDirectory);
// Remembers the folder of a chosen file.
void Remember(const QString& settingsPath, const char* key, const QString& fileName);

} // namespace CaliperDataFolder
