#include "WindowPosition.h"

#include "SettingsKeys.h"

namespace WindowPosition {

QPoint Read(const IniFile& ini, const QString& shortName, QPoint current) {
    if (!ini.exists())
        return current;
    return {ini.ReadInteger(SettingsKeys::PracPlo, shortName + SettingsKeys::Leva, current.x()),
            ini.ReadInteger(SettingsKeys::PracPlo, shortName + SettingsKeys::Horni, current.y())};
}

void Write(IniFile& ini, const QString& shortName, QPoint position) {
    ini.WriteInteger(SettingsKeys::PracPlo, shortName + SettingsKeys::Leva, position.x());
    ini.WriteInteger(SettingsKeys::PracPlo, shortName + SettingsKeys::Horni, position.y());
}

} // namespace WindowPosition
