#include "UserIdentification.h"

#include "IniFile.h"
#include "SettingsKeys.h"

UserIdentification UserIdentification::Load(const QString& settingsFile) {
    UserIdentification u;
    if (settingsFile.isEmpty())
        return u;
    const IniFile ini(settingsFile);
    using namespace SettingsKeys;
    u.zavod = ini.ReadString(SettingsKeys::UserIdentification, Zavod);
    u.provoz = ini.ReadString(SettingsKeys::UserIdentification, Provoz);
    u.taxator = ini.ReadString(SettingsKeys::UserIdentification, Taxator);
    u.uzivatel = ini.ReadString(SettingsKeys::UserIdentification, Uzivatel);
    return u;
}

void UserIdentification::Save(const QString& settingsFile) const {
    if (settingsFile.isEmpty())
        return;
    IniFile ini(settingsFile);
    using namespace SettingsKeys;
    const std::pair<const char*, const QString*> values[] = {
        {Zavod, &zavod}, {Provoz, &provoz}, {Taxator, &taxator}, {Uzivatel, &uzivatel}};
    for (const auto& [key, value] : values)
        if (!value->isEmpty())
            ini.WriteString(SettingsKeys::UserIdentification, key, *value);
}
