#include "CaliperDataFolder.h"

#include "IniFile.h"
#include "SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

namespace CaliperDataFolder {

QString StartFolder(const QString& settingsPath, const char* key, const QString& programDirectory) {
    const IniFile ini(settingsPath);
    const QString folder = ini.exists() ? ini.ReadString(SettingsKeys::PrumerkaData, key) : QString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : programDirectory;
}

void Remember(const QString& settingsPath, const char* key, const QString& fileName) {
    IniFile ini(settingsPath);
    ini.WriteString(SettingsKeys::PrumerkaData, key,
                    QDir::toNativeSeparators(QFileInfo(fileName).absolutePath()));
}

} // namespace CaliperDataFolder
